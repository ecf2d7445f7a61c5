#include "framework/controls/BitBtn.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/GlyphLayout.h"
#include "framework/messages/MessageQueue.h"
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
// The toolkit's button draws only its frame; the glyph and the caption are
// placed the way the bit button's Layout, Margin and Spacing say, which
// the toolkit's own icon placement cannot express.
class TQtBitButton : public QPushButton {
public:
    TQtBitButton(TBitBtn* owner, QWidget* parent) : QPushButton(parent), FOwner(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const QIcon face = opt.icon;
        const QString caption = opt.text;
        opt.text.clear();
        opt.icon = QIcon();
        p.drawControl(QStyle::CE_PushButtonBevel, opt);
        const QSize gs = face.isNull() ? QSize(0, 0) : iconSize();
        const QSize ts = caption.isEmpty() ? QSize(0, 0) : fontMetrics().size(Qt::TextShowMnemonic, caption);
        const int offset = isDown() || isChecked() ? 1 : 0;
        TPoint glyphAt, textAt;
        PlaceGlyphAndText(FOwner->Layout(), FOwner->Margin(), FOwner->Spacing(), width(), height(), gs.width(),
                          gs.height(), ts.width(), ts.height(), offset, glyphAt, textAt);
        if (!face.isNull()) {
            const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled : isDown() ? QIcon::Active : QIcon::Normal;
            p.drawPixmap(glyphAt.X, glyphAt.Y, face.pixmap(gs, mode));
        }
        if (!caption.isEmpty())
            p.drawItemText(QRect(textAt.X, textAt.Y, ts.width(), ts.height()), Qt::AlignCenter | Qt::TextShowMnemonic,
                           opt.palette, isEnabled(), caption, QPalette::ButtonText);
        if (opt.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &opt, this);
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

private:
    TBitBtn* FOwner;
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
    if (FWidget) FWidget->update();
}

void TBitBtn::SetMargin(int v) {
    if (v == FMargin) return;
    FMargin = v;
    if (FWidget) FWidget->update();
}

void TBitBtn::SetSpacing(int v) {
    if (v == FSpacing) return;
    FSpacing = v;
    if (FWidget) FWidget->update();
}

QWidget* TBitBtn::CreateWidget(QWidget* parent) {
    auto* b = new TQtBitButton(this, parent);
    b->setAutoDefault(true);
    b->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(b, &QPushButton::clicked, [this] { GuardedCall([this] { Click(); }); });
    return b;
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
    b->update();
}
