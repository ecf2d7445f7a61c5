#include "framework/controls/BitBtn.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
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
    if (FWidget) ApplyGlyph();
}

void TBitBtn::SetMargin(int v) {
    FMargin = v;
    if (FWidget) ApplyGlyph();
}

void TBitBtn::SetSpacing(int v) {
    FSpacing = v;
    if (FWidget) ApplyGlyph();
}

void TBitBtn::InitWidget() {
    TButton::InitWidget();
    ApplyGlyph();
}

void TBitBtn::ApplyGlyph() {
    auto* b = static_cast<QPushButton*>(FWidget);
    if (FGlyph->Empty()) {
        b->setIcon(QIcon());
        return;
    }
    FGlyph->SetTransparent(true);
    const QImage all = FGlyph->MaskedImage();
    const int w = all.width() / FNumGlyphs;
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(all.copy(0, 0, w, all.height())), QIcon::Normal);
    if (FNumGlyphs > 1) icon.addPixmap(QPixmap::fromImage(all.copy(w, 0, w, all.height())), QIcon::Disabled);
    if (FNumGlyphs > 2) icon.addPixmap(QPixmap::fromImage(all.copy(2 * w, 0, w, all.height())), QIcon::Active);
    b->setIcon(icon);
    b->setIconSize(QSize(w, all.height()));
    // The toolkit places the picture left of the text; the other layouts
    // turn the button's direction round or keep the default.
    b->setLayoutDirection(FLayout == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}
