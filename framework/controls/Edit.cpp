#include "framework/controls/Edit.h"

#include <QLineEdit>
#include <QProxyStyle>

#include "framework/controls/EditTextInternal.h"
#include "framework/messages/MessageQueue.h"

using namespace velmor_internal;

namespace {
// The line edit asks its style which character hides a password; this
// style answers with the one the program chose and leaves the rest to the
// application's style.
class TPasswordStyle : public QProxyStyle {
public:
    explicit TPasswordStyle(QObject* owner) : QProxyStyle(nullptr) { setParent(owner); }
    QChar Char = QChar(0x25CF);
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return Char.unicode();
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};
}  // namespace

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

void TEdit::SetPasswordChar(char v) {
    if (v == FPasswordChar) return;
    FPasswordChar = v;
    if (FWidget) PushReadOnlyToWidget();
}

QWidget* TEdit::CreateWidget(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setFocusPolicy(Qt::StrongFocus);
    auto pull = [this, e] {
        GuardedCall([this, e] {
            const String text = e->text().toStdString();
            const int start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
            const int end = e->hasSelectedText() ? e->selectionEnd() : e->cursorPosition();
            const int s = FromWidgetPos(text, start);
            const int l = FromWidgetPos(text, end) - s;
            WidgetTextChanged(text, s, l, e->hasSelectedText() && e->cursorPosition() == start);
        });
    };
    QObject::connect(e, &QLineEdit::textChanged, pull);
    QObject::connect(e, &QLineEdit::selectionChanged, pull);
    QObject::connect(e, &QLineEdit::cursorPositionChanged, pull);
    return e;
}

void TEdit::ApplyNonClient(int width) {
    auto* e = static_cast<QLineEdit*>(FWidget);
    e->setFrame(width <= 0);
    e->setTextMargins(width + FTextMarginLeft, width, width + FTextMarginRight, width);
}

void TEdit::ApplyAlignment() {
    auto* e = static_cast<QLineEdit*>(FWidget);
    const Qt::Alignment h = FAlignment == taCenter         ? Qt::AlignHCenter
                            : FAlignment == taRightJustify ? Qt::AlignRight
                                                           : Qt::AlignLeft;
    e->setAlignment(h | Qt::AlignVCenter);
}

void TEdit::InitWidget() {
    TCustomEdit::InitWidget();
    PushReadOnlyToWidget();
    FPushing = true;
    PushSelectionToWidget();
    FPushing = false;
}

void TEdit::PushTextToWidget() {
    auto* e = static_cast<QLineEdit*>(FWidget);
    const QString t = QString::fromStdString(FText);
    if (e->text() != t) e->setText(t);
}

void TEdit::PushSelectionToWidget() {
    auto* e = static_cast<QLineEdit*>(FWidget);
    const int s = ToWidgetPos(FText, FSelStart);
    const int en = ToWidgetPos(FText, FSelStart + FSelLength);
    if (FSelLength == 0)
        e->setCursorPosition(s);
    else if (FCaretAtStart)
        e->setSelection(en, s - en);
    else
        e->setSelection(s, en - s);
}

void TEdit::PushReadOnlyToWidget() {
    auto* e = static_cast<QLineEdit*>(FWidget);
    e->setReadOnly(FReadOnly);
    e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    if (FPasswordChar) {
        // The character is a byte of the program's text; bytes past ASCII
        // are taken as Latin-1, as the classic single-byte controls show them.
        auto* style = e->findChild<TPasswordStyle*>(QString(), Qt::FindDirectChildrenOnly);
        if (!style) style = new TPasswordStyle(e);
        style->Char = QChar::fromLatin1(FPasswordChar);
        // Setting the style again makes the edit ask for the character anew.
        e->setStyle(style);
    }
    e->setEchoMode(FPasswordChar ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::DoEnter() {
    // Tabbing into an edit selects its text, as the classic one does.
    if (AutoSelect) SelectAll();
    TCustomEdit::DoEnter();
}

void TEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case EM_SETPASSWORDCHAR:
        SetPasswordChar(static_cast<char>(m.WParam));
        return;
    case EM_GETPASSWORDCHAR:
        m.Result = static_cast<unsigned char>(FPasswordChar);
        return;
    default:
        TCustomEdit::WndProc(m);
    }
}
