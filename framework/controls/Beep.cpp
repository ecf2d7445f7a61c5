#include "framework/controls/Beep.h"

#include <QApplication>

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
    // Without an application object (a tool at the command line) there is
    // no display to ring.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

void SetBeepHook(TBeepHook hook) { Hook() = std::move(hook); }
