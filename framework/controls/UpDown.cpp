#include "framework/controls/UpDown.h"

#include <algorithm>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Pen.h"
#include "framework/rtl/StrUtils.h"

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner) {
    ControlStyle &= ~csClickEvents;
    FWidth = 17;
    FHeight = 21;
}

TUpDown::~TUpDown() { Unhook(); }

void TUpDown::Unhook() {
    if (FAssociate && FOldBuddyProc) FAssociate->WindowProc = FOldBuddyProc;
    FOldBuddyProc = nullptr;
}

void TUpDown::SetAssociate(TWinControl* v) {
    if (v == FAssociate) return;
    Unhook();
    FAssociate = v;
    if (!v) return;
    v->FreeNotification(this);
    // The buddy's own procedure stays; we only listen for its text.
    FOldBuddyProc = v->WindowProc;
    v->WindowProc = [this](TMessage& m) {
        TWndMethod old = FOldBuddyProc;
        if (old) old(m);
        if (m.Msg == CM_TEXTCHANGED) BuddyTextChanged();
    };
    // Sits against the buddy's right edge, taking its width from the buddy.
    if (v->Parent() && !FParent) SetParent(v->Parent());
    if (AlignButton == udRight) {
        v->SetWidth(std::max(0, v->Width() - FWidth));
        SetBounds(v->Left() + v->Width(), v->Top(), FWidth, v->Height());
    } else {
        SetBounds(v->Left(), v->Top(), FWidth, v->Height());
        v->SetBounds(v->Left() + FWidth, v->Top(), std::max(0, v->Width() - FWidth), v->Height());
    }
    UpdateBuddy();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FAssociate) {
        FOldBuddyProc = nullptr;
        FAssociate = nullptr;
    }
}

void TUpDown::SetMin(int v) {
    FMin = v;
    SetPosition(FPosition);
}

void TUpDown::SetMax(int v) {
    FMax = v;
    SetPosition(FPosition);
}

void TUpDown::SetPosition(int v) {
    v = std::clamp(v, std::min(FMin, FMax), std::max(FMin, FMax));
    if (v == FPosition) {
        UpdateBuddy();
        return;
    }
    FPosition = v;
    UpdateBuddy();
}

void TUpDown::UpdateBuddy() {
    if (!FAssociate || FWritingBuddy) return;
    String s = IntToStr(FPosition);
    if (Thousands) {
        const bool neg = !s.empty() && s[0] == '-';
        String digits = neg ? s.substr(1) : s;
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
        s = (neg ? "-" : "") + digits;
    }
    FWritingBuddy = true;
    FAssociate->SetText(s);
    FWritingBuddy = false;
}

void TUpDown::BuddyTextChanged() {
    if (FWritingBuddy) return;
    String t = Trim(FAssociate->Text());
    t.erase(std::remove(t.begin(), t.end(), ','), t.end());
    int v = 0;
    if (!TryStrToInt(t, v)) return;  // half-typed text leaves the position
    if (v < std::min(FMin, FMax) || v > std::max(FMin, FMax)) return;
    FPosition = v;
}

void TUpDown::Step(TUDBtnType button) {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    const int lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
    // Min above Max turns the arrows round, as the classic control does.
    const int dir = (button == btNext) == (FMin <= FMax) ? 1 : -1;
    int v = FPosition + dir * Increment;
    if (v > hi) v = Wrap ? lo : hi;
    if (v < lo) v = Wrap ? hi : lo;
    FPosition = v;
    UpdateBuddy();
    Invalidate();
    if (OnClick) OnClick(this, button);
}

void TUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    Step(y < FHeight / 2 ? btNext : btPrev);
}

void TUpDown::Paint() {
    TCanvas* c = Canvas();
    const int h = FHeight / 2;
    for (int half = 0; half < 2; ++half) {
        TRect r = Bounds(0, half * h, FWidth, half ? FHeight - h : h);
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH);
        c->Brush()->SetColor(Enabled() ? clBtnText : clBtnShadow);
        c->Pen()->SetColor(Enabled() ? clBtnText : clBtnShadow);
        const int cx = FWidth / 2, cy = r.Top + r.Height() / 2;
        if (half == 0)
            c->Polygon({Point(cx - 3, cy + 1), Point(cx + 3, cy + 1), Point(cx, cy - 2)});
        else
            c->Polygon({Point(cx - 3, cy - 1), Point(cx + 3, cy - 1), Point(cx, cy + 2)});
    }
}
