#include "toolbars/TbSplitterPane.h"

#include "toolbars/TbSplitter.h"

namespace {

bool IsMouseMessage(UINT msg) {
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

}  // namespace

TTbSplitterPane::TTbSplitterPane(TComponent* owner, TTbSplitter* splitter)
    : TTbCustomPanel(owner), FSplitter(splitter) {
    SetBorderOuter(TFrameStyle::fsNone);
    ControlStyle |= csAcceptsControls;
    SetTabStop(false);
}

void TTbSplitterPane::SetVisible(bool v) {
    if (v == Visible()) return;
    TTbCustomPanel::SetVisible(v);
    if (FSplitter) FSplitter->PaneVisibilityChanged();
}

void TTbSplitterPane::WndProc(TMessage& message) {
    // A pane that is a dock site keeps its mouse: its clients' grabbers
    // are on it.
    if (FSplitter && !HasState(csDesigning) && !DockSite()) {
        if (message.Msg == WM_NCHITTEST) {
            message.Result = HTTRANSPARENT;
            return;
        }
        if (IsMouseMessage(message.Msg)) {
            const int x = GetXLParam(message.LParam) + Left();
            const int y = GetYLParam(message.LParam) + Top();
            message.Result = FSplitter->Perform(message.Msg, message.WParam, MakeLParam(x, y));
            return;
        }
    }
    TTbCustomPanel::WndProc(message);
}
