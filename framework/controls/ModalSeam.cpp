#include "framework/controls/ModalSeam.h"

namespace {
TModalHandler& Handler() {
    static TModalHandler h;
    return h;
}
std::vector<TShownDialog>& Log() {
    static std::vector<TShownDialog> log;
    return log;
}
}  // namespace

TModalHandler SetModalHandler(TModalHandler handler) {
    TModalHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

const TModalHandler& ModalHandler() { return Handler(); }
const std::vector<TShownDialog>& ShownDialogs() { return Log(); }
void ClearShownDialogs() { Log().clear(); }
void velmor_internal::RecordShownDialog(const TShownDialog& d) { Log().push_back(d); }
