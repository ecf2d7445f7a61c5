#include "framework/controls/qt/WsButtons.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "framework/controls/GlyphLayout.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/MessageQueue.h"

namespace {
void ConnectClicked(QAbstractButton* b, std::function<void()> onClicked) {
    QObject::connect(b, &QAbstractButton::clicked, [fn = std::move(onClicked)] { GuardedCall(fn); });
}

// The toolkit's button draws only its frame; the glyph and the caption are
// placed the way the bit button's Layout, Margin and Spacing say, which
// the toolkit's own icon placement cannot express.
class TQtBitButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;

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
        PlaceGlyphAndText(FLayout, FMargin, FSpacing, width(), height(), gs.width(), gs.height(), ts.width(),
                          ts.height(), offset, glyphAt, textAt);
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
};

// The classic box answers a click anywhere in its rectangle, not only on
// the square and the caption's letters.
class TWholeCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Like the classic button, the whole rectangle answers a click.
class TWholeRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* SetUpPushButton(QPushButton* b, std::function<void()> onClicked) {
    b->setAutoDefault(true);
    b->setFocusPolicy(Qt::StrongFocus);
    ConnectClicked(b, std::move(onClicked));
    return b;
}
}  // namespace

namespace velmor_ws {
QWidget* CreatePushButton(QWidget* parent, std::function<void()> onClicked) {
    return SetUpPushButton(new QPushButton(parent), std::move(onClicked));
}

void SetButtonDefault(QWidget* button, bool isDefault) { static_cast<QPushButton*>(button)->setDefault(isDefault); }

void SetButtonCaption(QWidget* button, const String& caption) {
    static_cast<QAbstractButton*>(button)->setText(QString::fromStdString(caption));
}

QWidget* CreateBitButton(QWidget* parent, std::function<void()> onClicked) {
    return SetUpPushButton(new TQtBitButton(parent), std::move(onClicked));
}

void SetBitButtonLayout(QWidget* button, TButtonLayout layout, int margin, int spacing) {
    auto* b = static_cast<TQtBitButton*>(button);
    if (b->FLayout == layout && b->FMargin == margin && b->FSpacing == spacing) return;
    b->FLayout = layout;
    b->FMargin = margin;
    b->FSpacing = spacing;
    b->update();
}

void SetBitButtonGlyph(QWidget* button, TBitmap* glyph, int numGlyphs) {
    auto* b = static_cast<QPushButton*>(button);
    if (glyph->Empty()) {
        b->setIcon(QIcon());
        return;
    }
    const QImage all = glyph->MaskedImage();
    const int w = all.width() / numGlyphs;
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(all.copy(0, 0, w, all.height())), QIcon::Normal);
    if (numGlyphs > 1) icon.addPixmap(QPixmap::fromImage(all.copy(w, 0, w, all.height())), QIcon::Disabled);
    if (numGlyphs > 2) icon.addPixmap(QPixmap::fromImage(all.copy(2 * w, 0, w, all.height())), QIcon::Active);
    b->setIcon(icon);
    b->setIconSize(QSize(w, all.height()));
    b->update();
}

QWidget* CreateCheckBox(QWidget* parent, std::function<void()> onClicked) {
    auto* b = new TWholeCheckBox(parent);
    b->setFocusPolicy(Qt::StrongFocus);
    // The classic box fills its own background: what lies under it does
    // not show through.
    b->setAutoFillBackground(true);
    ConnectClicked(b, std::move(onClicked));
    return b;
}

void SetCheckState(QWidget* checkBox, TCheckBoxState state) {
    static_cast<QCheckBox*>(checkBox)->setCheckState(state == cbChecked  ? Qt::Checked
                                                     : state == cbGrayed ? Qt::PartiallyChecked
                                                                         : Qt::Unchecked);
}

void SetCheckBoxAllowGrayed(QWidget* checkBox, bool allowGrayed) {
    static_cast<QCheckBox*>(checkBox)->setTristate(allowGrayed);
}

QWidget* CreateRadioButton(QWidget* parent, std::function<void()> onClicked) {
    auto* b = new TWholeRadioButton(parent);
    // The control decides who is checked; the toolkit only shows it.
    b->setAutoExclusive(false);
    b->setFocusPolicy(Qt::StrongFocus);
    ConnectClicked(b, std::move(onClicked));
    return b;
}

void SetRadioChecked(QWidget* radioButton, bool checked) { static_cast<QRadioButton*>(radioButton)->setChecked(checked); }
}  // namespace velmor_ws
