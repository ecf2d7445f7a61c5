#include "toolbars/TbMemo.h"

#include <algorithm>

#include "framework/controls/Clipboard.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "toolbars/TbCommon.h"
#include "toolbars/TbFrameController.h"

TTbMemo::TTbMemo(TComponent* owner) : TMemo(owner) { ControlStyle &= ~csSetCaption; }

TTbMemo::~TTbMemo() {
    if (FFrameController) FFrameController->RemoveControl(this);
}

// --- frame -----------------------------------------------------------------------------

void TTbMemo::SetFrameVisible(bool v) {
    if (v == FFrameVisible) return;
    FFrameVisible = v;
    NonClientChanged();
    RepaintFrame();
}

void TTbMemo::SetFrameStyle(TFrameStyle v) {
    if (v == FFrameStyle) return;
    FFrameStyle = v;
    RepaintFrame();
}

void TTbMemo::SetFrameColor(TColor v) {
    if (v == FFrameColor) return;
    FFrameColor = v;
    RepaintFrame();
}

void TTbMemo::SetFrameSides(TSides v) {
    if (v == FFrameSides) return;
    FFrameSides = v;
    RepaintFrame();
}

void TTbMemo::SetFrameFlatStyle(TFrameStyle v) {
    if (v == FFrameFlatStyle) return;
    FFrameFlatStyle = v;
    RepaintFrame();
}

void TTbMemo::SetFrameFocusStyle(TFrameStyle v) {
    if (v == FFrameFocusStyle) return;
    FFrameFocusStyle = v;
    RepaintFrame();
}

void TTbMemo::SetFrameFlat(bool v) {
    if (v == FFrameFlat) return;
    FFrameFlat = v;
    if (v) {
        FFrameVisible = true;
        if (!HasState(csLoading)) {
            FFrameSides = AllSides;
            FFrameStyle = FFrameFlatStyle;
        }
        NonClientChanged();
    }
    RepaintFrame();
}

void TTbMemo::SetFrameController(TTbFrameController* v) {
    if (v == FFrameController) return;
    if (FFrameController) {
        FFrameController->RemoveControl(this);
        RemoveFreeNotification(FFrameController);
    }
    FFrameController = v;
    if (v) {
        v->FreeNotification(this);
        v->AddControl(this);
    }
}

void TTbMemo::Notification(TComponent* component, TOperation operation) {
    TMemo::Notification(component, operation);
    if (operation == opRemove && component == FFrameController) FFrameController = nullptr;
}

void TTbMemo::ApplyFrameSetting(int setting, const TTbFrameController& c) {
    switch (setting) {
    case fcsColor: SetColor(c.Color()); break;
    case fcsFrameColor: SetFrameColor(c.FrameColor()); break;
    case fcsFrameFlat: SetFrameFlat(c.FrameFlat()); break;
    case fcsFrameFlatStyle: SetFrameFlatStyle(c.FrameFlatStyle()); break;
    case fcsFrameFocusStyle: SetFrameFocusStyle(c.FrameFocusStyle()); break;
    case fcsFrameSides: SetFrameSides(c.FrameSides()); break;
    case fcsFrameStyle: SetFrameStyle(c.FrameStyle()); break;
    case fcsFrameVisible: SetFrameVisible(c.FrameVisible()); break;
    default: break;  // a memo has no buttons to flatten
    }
}

void TTbMemo::UpdateFrame(bool viaMouse, bool inside) {
    if (viaMouse) FMouseInside = inside;
    if (!FFrameFlat) return;
    FFrameStyle = FHasFocus || FMouseInside ? FFrameFocusStyle : FFrameFlatStyle;
    RepaintFrame();
}

void TTbMemo::RepaintFrame() { Invalidate(); }

void TTbMemo::PaintFrame(TCanvas* canvas) const {
    if (!FFrameVisible) return;
    const TRect r = Rect(0, 0, Width(), Height());
    DrawBevel(canvas, r, Color(), Color(), 2, AllSides);
    if (FFrameStyle == TFrameStyle::fsFlat)
        DrawSides(canvas, r, FFrameColor, FFrameSides, FFrameColor);
    else
        DrawBorderSides(canvas, r, FFrameStyle, FFrameSides);
}

// The band round the text is painted in Color.
void TTbMemo::ColorChanged() {
    TMemo::ColorChanged();
    if (FFrameVisible) RepaintFrame();
}

void TTbMemo::Resize() {
    TMemo::Resize();
    if (FFrameVisible) RepaintFrame();
}

// --- focus and mouse ---------------------------------------------------------------------

void TTbMemo::DoEnter() {
    FHasFocus = true;
    UpdateFrame(false, true);
    TMemo::DoEnter();
}

void TTbMemo::DoExit() {
    TMemo::DoExit();
    FHasFocus = false;
    UpdateFrame(false, false);
}

void TTbMemo::MouseEnter() {
    UpdateFrame(true, true);
    TMemo::MouseEnter();
}

void TTbMemo::MouseLeave() {
    UpdateFrame(true, false);
    TMemo::MouseLeave();
}

bool TTbMemo::DoMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos) {
    TMemo::DoMouseWheel(shift, wheelDelta, mousePos);
    const int lines = (shift & ssCtrl) ? 3 : 1;
    ScrollLines(wheelDelta < 0 ? lines : -lines);
    return true;
}

// --- caret -----------------------------------------------------------------------------------

int TTbMemo::GetLine() const { return LineFromChar(SelStart()) + 1; }

int TTbMemo::GetColumn() const { return SelStart() - LineIndex(GetLine() - 1) + 1; }

void TTbMemo::SetColumn(int column) {
    const int line = GetLine() - 1;
    if (column < 1 || column > LineLength(line) + 1) return;
    SetSelStart(LineIndex(line) + column - 1);
    ReportCaret();
}

void TTbMemo::SetLine(int line) {
    if (line < 1) return;
    const int start = LineIndex(line - 1);
    if (start < 0) {
        // Past the last line: the caret goes to the end, the view stays.
        SetSelStart(GetTextLen());
        return;
    }
    SetSelStart(start);
    if (GetLine() != line) return;
    ScrollLines(line - FirstVisibleLine() - 1);
    ReportCaret();
}

void TTbMemo::ReportCaret() {
    if (OnLineColChange) OnLineColChange(this, GetLine(), GetColumn());
}

void TTbMemo::ReportClipboard() {
    if (OnClipboardChange) OnClipboardChange(this, SelLength() != 0, Clipboard()->HasFormat(CF_TEXT));
}

void TTbMemo::WidgetCreated() {
    TMemo::WidgetCreated();
    ReportCaret();
    ReportClipboard();
}

void TTbMemo::Change() {
    TMemo::Change();
    ReportCaret();
    ReportClipboard();
}

void TTbMemo::Click() {
    TMemo::Click();
    ReportCaret();
    ReportClipboard();
}

void TTbMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TMemo::MouseUp(button, shift, x, y);
    ReportClipboard();
}

void TTbMemo::KeyDown(Word& key, TShiftState shift) {
    TMemo::KeyDown(key, shift);
    ReportCaret();
    ReportClipboard();
}

void TTbMemo::KeyUp(Word& key, TShiftState shift) {
    TMemo::KeyUp(key, shift);
    ReportCaret();
    ReportClipboard();
}

void TTbMemo::KeyPress(char& key) {
    if (TabOnEnter && key == '\r') {
        key = 0;
        FocusNextControl();
        return;
    }
    TMemo::KeyPress(key);
}

void TTbMemo::FocusNextControl() {
    TWinControl* parent = Parent();
    if (!parent) return;
    // The next control in the parent's tab order that can take the focus.
    std::vector<TWinControl*> order;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) order.push_back(w);
    std::sort(order.begin(), order.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    const auto self = std::find(order.begin(), order.end(), this);
    if (self == order.end()) return;
    for (size_t k = 1; k < order.size(); ++k) {
        TWinControl* w = order[(static_cast<size_t>(self - order.begin()) + k) % order.size()];
        if (w->TabStop() && w->CanFocus()) {
            w->SetFocus();
            return;
        }
    }
}
