#include "framework/controls/Label.h"

#include <cctype>

#include "framework/controls/DialogKeys.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"

char GetAccelChar(const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

bool IsAccel(WPARAM key, const String& caption) {
    const char accel = GetAccelChar(caption);
    return accel && key < 0x80 && accel == static_cast<char>(std::tolower(static_cast<int>(key)));
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 65;
    FHeight = 17;
    ControlStyle |= csReplicatable;
    AdjustBounds();
    velmor_internal::EnsureDialogKeys();
}

TLabel::~TLabel() = default;

char TLabel::Accelerator() const { return FShowAccelChar ? GetAccelChar(FText) : 0; }

void TLabel::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && FFocusControl && FShowAccelChar && IsAccel(m.WParam, FText)) {
        if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
        m.Result = 1;
        return;
    }
    TGraphicControl::WndProc(m);
}

void TLabel::SetFocusControl(TWinControl* v) {
    if (v == FFocusControl) return;
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TLabel::SetAutoSize(bool v) {
    if (v == FAutoSize) return;
    FAutoSize = v;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TLabel::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
    if (v == FShowAccelChar) return;
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

unsigned TLabel::DrawFlags() const {
    unsigned f = DT_EXPANDTABS;
    if (FWordWrap) f |= DT_WORDBREAK;
    if (FAlignment == taCenter) f |= DT_CENTER;
    if (FAlignment == taRightJustify) f |= DT_RIGHT;
    if (!FShowAccelChar) f |= DT_NOPREFIX;
    return f;
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || HasState(csLoading)) return;
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect r = Rect(0, 0, FWordWrap ? FWidth : 0, 0);
    const String text = FText.empty() ? String(" ") : FText;
    DrawText(measure.Canvas(), text, r, DrawFlags() | DT_CALCRECT);
    int left = FLeft;
    // A right-aligned label grows to the left, a centred one both ways.
    if (!FWordWrap && FAlignment == taRightJustify) left = FLeft + FWidth - r.Width();
    if (!FWordWrap && FAlignment == taCenter) left = FLeft + (FWidth - r.Width()) / 2;
    SetBounds(left, FTop, r.Width(), r.Height());
}

void TLabel::TextChanged() {
    AdjustBounds();
    TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::Paint() {
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(client);
    }
    c->Brush()->SetStyle(bsClear);
    TRect r = client;
    unsigned flags = DrawFlags();
    if (FLayout != tlTop) {
        TRect calc = Rect(0, 0, client.Width(), 0);
        DrawText(c, FText, calc, flags | DT_CALCRECT);
        const int free = client.Height() - calc.Height();
        r.Top += FLayout == tlCenter ? free / 2 : free;
    }
    if (!Enabled()) {
        // The classic disabled look: a white copy offset below a grey one.
        c->Font()->SetColor(clBtnHighlight);
        TRect shadow = r;
        shadow.Left += 1;
        shadow.Top += 1;
        shadow.Right += 1;
        shadow.Bottom += 1;
        DrawText(c, FText, shadow, flags);
        c->Font()->SetColor(clBtnShadow);
    }
    DrawText(c, FText, r, flags);
}
