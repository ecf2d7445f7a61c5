#include "framework/controls/Edit.h"

#include <QLineEdit>

#include "framework/controls/EditTextInternal.h"
#include "framework/messages/MessageQueue.h"

using namespace velmor_internal;

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
    e->setTextMargins(width, width, width, width);
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
