#include "framework/controls/Beep.h"

#include "framework/controls/qt/WsApplication.h"

namespace {
TBeepHook& Hook() {
    static TBeepHook hook;
    return hook;
}
}  // namespace

void MessageBeep(UINT type) {
    if (Hook()) {
        Hook()(type);
        return;
    }
    velmor_ws::Beep();
}

void SetBeepHook(TBeepHook hook) { Hook() = std::move(hook); }
