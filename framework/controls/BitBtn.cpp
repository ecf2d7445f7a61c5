#include "framework/controls/BitBtn.h"

#include <algorithm>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/qt/WsButtons.h"
#include "framework/graphics/Bitmap.h"

namespace {
struct TKindInfo {
    const char* Caption;
    TModalResult Result;
};
const TKindInfo kKinds[] = {
    {"", mrNone},       {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},    {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
};
}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(new TBitmap) {
    FGlyph->OnChange = [this](TObject*) {
        if (FWidget) ApplyGlyph();
    };
}

TBitBtn::~TBitBtn() { FGlyph->OnChange = nullptr; }

void TBitBtn::SetKind(TBitBtnKind v) {
    if (v == FKind) return;
    FKind = v;
    if (v == bkCustom) return;
    SetCaption(kKinds[v].Caption);
    SetModalResult(kKinds[v].Result);
    SetDefault(v == bkOK || v == bkYes);
    SetCancel(v == bkCancel || v == bkNo);
}

void TBitBtn::Click() {
    // Close and Help act on their own; the rest is a plain button.
    if (FKind == bkClose) {
        TButton::Click();
        if (TForm* f = GetParentForm(this)) f->Close();
        return;
    }
    if (FKind == bkHelp) {
        TButton::Click();
        if (Application) Application->HelpContext(HelpContext);
        return;
    }
    TButton::Click();
}

void TBitBtn::SetGlyph(TBitmap* v) {
    FGlyph->Assign(v);
    if (FWidget) ApplyGlyph();
}

void TBitBtn::SetNumGlyphs(int v) {
    v = std::clamp(v, 1, 4);
    if (v == FNumGlyphs) return;
    FNumGlyphs = v;
    if (FWidget) ApplyGlyph();
}

void TBitBtn::SetLayout(TButtonLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    if (FWidget) velmor_ws::SetBitButtonLayout(FWidget, FLayout, FMargin, FSpacing);
}

void TBitBtn::SetMargin(int v) {
    if (v == FMargin) return;
    FMargin = v;
    if (FWidget) velmor_ws::SetBitButtonLayout(FWidget, FLayout, FMargin, FSpacing);
}

void TBitBtn::SetSpacing(int v) {
    if (v == FSpacing) return;
    FSpacing = v;
    if (FWidget) velmor_ws::SetBitButtonLayout(FWidget, FLayout, FMargin, FSpacing);
}

QWidget* TBitBtn::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateBitButton(parent, [this] { Click(); });
}

void TBitBtn::InitWidget() {
    TButton::InitWidget();
    velmor_ws::SetBitButtonLayout(FWidget, FLayout, FMargin, FSpacing);
    ApplyGlyph();
}

void TBitBtn::ApplyGlyph() {
    if (!FGlyph->Empty()) FGlyph->SetTransparent(true);
    velmor_ws::SetBitButtonGlyph(FWidget, FGlyph.get(), FNumGlyphs);
}
