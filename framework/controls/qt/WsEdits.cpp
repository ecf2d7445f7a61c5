#include "framework/controls/qt/WsEdits.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cctype>

#include "framework/controls/qt/EditTextInternal.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageQueue.h"

// --- model and toolkit text ------------------------------------------------------

namespace {
int Utf8Len(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c >> 5) == 6) return 2;
    if ((c >> 4) == 14) return 3;
    if ((c >> 3) == 30) return 4;
    return 1;
}

// Steps through the model text a character at a time while `more(i, q)`
// holds, keeping i (the byte in the model) and q (the widget's position)
// in step: CR LF is one widget position, a character outside the basic
// plane two.
template <class More>
void WalkPositions(const String& model, size_t& i, int& q, More more) {
    const size_t n = model.size();
    while (more(i, q) && i < n) {
        if (model[i] == '\r' && i + 1 < n && model[i + 1] == '\n') {
            i += 2;
            q += 1;
            continue;
        }
        const int len = Utf8Len(static_cast<unsigned char>(model[i]));
        q += len == 4 ? 2 : 1;
        i += static_cast<size_t>(len);
    }
}
}  // namespace

QString velmor_internal::ToWidgetText(const String& model) {
    String s;
    s.reserve(model.size());
    for (size_t i = 0; i < model.size(); ++i) {
        if (model[i] == '\r' && i + 1 < model.size() && model[i + 1] == '\n') continue;
        s += model[i] == '\r' ? '\n' : model[i];
    }
    return QString::fromStdString(s);
}

String velmor_internal::FromWidgetText(const QString& text, bool multiline) {
    const String s = text.toStdString();
    if (!multiline) return s;
    String out;
    out.reserve(s.size() + s.size() / 16);
    for (char c : s) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

int velmor_internal::ToWidgetPos(const String& model, int pos) {
    size_t i = 0;
    int q = 0;
    WalkPositions(model, i, q, [pos](size_t at, int) { return static_cast<int>(at) < pos; });
    return q;
}

int velmor_internal::FromWidgetPos(const String& model, int widgetPos) {
    size_t i = 0;
    int q = 0;
    WalkPositions(model, i, q, [widgetPos](size_t, int at) { return at < widgetPos; });
    return static_cast<int>(std::min(i, model.size()));
}

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

// The margins round the text area are the border a memo may paint itself.
class TMemoWidget : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    using QPlainTextEdit::setViewportMargins;
};

TMemoWidget* MemoOf(QWidget* w) { return static_cast<TMemoWidget*>(w); }

// The framework's date and time picture as the toolkit writes it.
QString QtFormat(const String& f) {
    QString out;
    for (size_t i = 0; i < f.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
        size_t n = 1;
        while (i + n < f.size() && std::tolower(static_cast<unsigned char>(f[i + n])) == c) ++n;
        if (c == 'a' && f.compare(i, 4, "AMPM") == 0) {
            out += "AP";
            i += 4;
            continue;
        }
        switch (c) {
        case 'm': out += QString(static_cast<int>(std::min<size_t>(n, 4)), 'M'); break;
        case 'n': out += n >= 2 ? "mm" : "m"; break;
        case 'd': out += QString(static_cast<int>(std::min<size_t>(n, 4)), 'd'); break;
        case 'y': out += n <= 2 ? "yy" : "yyyy"; break;
        case 'h': out += n >= 2 ? "hh" : "h"; break;
        case 's': out += n >= 2 ? "ss" : "s"; break;
        default: out += QString::fromStdString(f.substr(i, n)); break;
        }
        i += n;
    }
    return out;
}

QDateTime ToQt(TDateTime v) {
    int y, mo, d, h, mi, s, ms;
    DecodeDate(v, y, mo, d);
    DecodeTime(v, h, mi, s, ms);
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

TDateTime FromQt(const QDateTime& q) {
    return EncodeDate(q.date().year(), q.date().month(), q.date().day()) +
           EncodeTime(q.time().hour(), q.time().minute(), q.time().second(), q.time().msec());
}

// The toolkit's widget: the optional check box and the editor beside it.
class TPickerWidget : public QWidget {
public:
    explicit TPickerWidget(QWidget* parent) : QWidget(parent), Check(new QCheckBox(this)), Edit(new QDateTimeEdit(this)) {}
    void Place(bool showCheck) {
        Check->setVisible(showCheck);
        const int cw = showCheck ? 18 : 0;
        Check->setGeometry(2, (height() - 16) / 2, 16, 16);
        Edit->setGeometry(cw, 0, std::max(0, width() - cw), height());
    }
    QCheckBox* Check;
    QDateTimeEdit* Edit;
};

TPickerWidget* PickerOf(QWidget* w) { return static_cast<TPickerWidget*>(w); }
}  // namespace

namespace velmor_ws {

// ---- the one-line edit ----

QWidget* CreateLineEdit(QWidget* parent,
                        std::function<void(const String& text, const TEditSelection& selection)> onChanged) {
    auto* e = new QLineEdit(parent);
    e->setFocusPolicy(Qt::StrongFocus);
    auto pull = [e, onChanged = std::move(onChanged)] {
        GuardedCall([e, &onChanged] {
            const String text = e->text().toStdString();
            const int start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
            const int end = e->hasSelectedText() ? e->selectionEnd() : e->cursorPosition();
            TEditSelection sel;
            sel.Start = FromWidgetPos(text, start);
            sel.Length = FromWidgetPos(text, end) - sel.Start;
            sel.CaretAtStart = e->hasSelectedText() && e->cursorPosition() == start;
            onChanged(text, sel);
        });
    };
    QObject::connect(e, &QLineEdit::textChanged, e, pull);
    QObject::connect(e, &QLineEdit::selectionChanged, e, pull);
    QObject::connect(e, &QLineEdit::cursorPositionChanged, e, pull);
    return e;
}

void SetLineEditAlignment(QWidget* edit, TAlignment alignment) {
    const Qt::Alignment h = alignment == taCenter         ? Qt::AlignHCenter
                            : alignment == taRightJustify ? Qt::AlignRight
                                                          : Qt::AlignLeft;
    static_cast<QLineEdit*>(edit)->setAlignment(h | Qt::AlignVCenter);
}

void SetLineEditOptions(QWidget* edit, bool readOnly, int maxLength, char passwordChar) {
    auto* e = static_cast<QLineEdit*>(edit);
    e->setReadOnly(readOnly);
    e->setMaxLength(maxLength > 0 ? maxLength : 32767);
    if (passwordChar) {
        // The character is a byte of the program's text; bytes past ASCII
        // are taken as Latin-1, as the classic single-byte controls show them.
        auto* style = e->findChild<TPasswordStyle*>(QString(), Qt::FindDirectChildrenOnly);
        if (!style) style = new TPasswordStyle(e);
        style->Char = QChar::fromLatin1(passwordChar);
        // Setting the style again makes the edit ask for the character anew.
        e->setStyle(style);
    }
    e->setEchoMode(passwordChar ? QLineEdit::Password : QLineEdit::Normal);
}

// ---- the memo ----

QWidget* CreateMemo(QWidget* parent, std::function<void(QWidget* memo, bool textChanged)> onChanged) {
    auto* e = new TMemoWidget(parent);
    e->setFocusPolicy(Qt::StrongFocus);
    auto pull = [e, fn = std::move(onChanged)](bool textToo) { GuardedCall([e, &fn, textToo] { fn(e, textToo); }); };
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [pull] { pull(true); });
    QObject::connect(e, &QPlainTextEdit::cursorPositionChanged, e, [pull] { pull(false); });
    QObject::connect(e, &QPlainTextEdit::selectionChanged, e, [pull] { pull(false); });
    return e;
}

String MemoText(QWidget* memo) { return FromWidgetText(MemoOf(memo)->toPlainText(), true); }

TEditSelection MemoSelection(QWidget* memo, const String& model) {
    const QTextCursor c = MemoOf(memo)->textCursor();
    const int a = FromWidgetPos(model, c.anchor());
    const int p = FromWidgetPos(model, c.position());
    TEditSelection sel;
    sel.Start = std::min(a, p);
    sel.Length = std::abs(p - a);
    sel.CaretAtStart = p < a;
    return sel;
}

void SetMemoLayout(QWidget* memo, bool wordWrap, TScrollStyle scrollBars, bool wantTabs, TAlignment alignment) {
    QPlainTextEdit* e = MemoOf(memo);
    e->setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const bool h = (scrollBars == ssHorizontal || scrollBars == ssBoth) && !wordWrap;
    const bool v = scrollBars == ssVertical || scrollBars == ssBoth;
    e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->setTabChangesFocus(!wantTabs);
    QTextOption opt = e->document()->defaultTextOption();
    opt.setAlignment(alignment == taCenter ? Qt::AlignHCenter : alignment == taRightJustify ? Qt::AlignRight
                                                                                             : Qt::AlignLeft);
    e->document()->setDefaultTextOption(opt);
}

void SetMemoReadOnly(QWidget* memo, bool readOnly, bool hideSelection) {
    QPlainTextEdit* e = MemoOf(memo);
    e->setReadOnly(readOnly);
    QPalette pal = e->palette();
    if (hideSelection) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Base));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::Text));
    } else {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
    }
    e->setPalette(pal);
}

void AppendMemoText(QWidget* memo, const String& tail) {
    QTextDocument* doc = MemoOf(memo)->document();
    QTextCursor c(doc);
    c.movePosition(QTextCursor::End);
    // Text set by code is no step the widget's own undo takes back.
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    c.insertText(ToWidgetText(tail));
    doc->setUndoRedoEnabled(undo);
}

int MemoFirstVisibleLine(QWidget* memo) { return MemoOf(memo)->cursorForPosition(QPoint(0, 0)).blockNumber(); }

void ScrollMemoLines(QWidget* memo, int lines) {
    QScrollBar* sb = MemoOf(memo)->verticalScrollBar();
    sb->setValue(sb->value() + lines);
}

void ScrollMemoToCaret(QWidget* memo) { MemoOf(memo)->ensureCursorVisible(); }

TPoint MemoPosFromChar(QWidget* memo, const String& model, int pos) {
    QPlainTextEdit* e = MemoOf(memo);
    QTextCursor c(e->document());
    c.setPosition(std::min(ToWidgetPos(model, pos), e->document()->characterCount() - 1));
    const QRect r = e->cursorRect(c);
    const QPoint p = e->viewport()->mapTo(e, r.topLeft());
    return Point(p.x(), p.y());
}

QWidget* MemoViewport(QWidget* memo) { return MemoOf(memo)->viewport(); }

// ---- the date and time picker ----

QWidget* CreateDateTimePicker(QWidget* parent, std::function<void(TDateTime value)> onChanged,
                              std::function<void(bool checked)> onChecked) {
    auto* w = new TPickerWidget(parent);
    w->setFocusProxy(w->Edit);
    w->Edit->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(w->Edit, &QDateTimeEdit::dateTimeChanged, w->Edit,
                     [fn = std::move(onChanged)](const QDateTime& q) { GuardedCall([&fn, q] { fn(FromQt(q)); }); });
    QObject::connect(w->Check, &QCheckBox::toggled, w->Check,
                     [fn = std::move(onChecked)](bool v) { GuardedCall([&fn, v] { fn(v); }); });
    return w;
}

QWidget* DateTimeEditor(QWidget* picker) { return PickerOf(picker)->Edit; }

void SetDateTimePicker(QWidget* picker, const TDateTimePickerState& st) {
    TPickerWidget* w = PickerOf(picker);
    w->Edit->setDisplayFormat(QtFormat(st.Format));
    w->Edit->setCalendarPopup(st.CalendarPopup);
    w->Edit->setMinimumDateTime(ToQt(st.Min));
    w->Edit->setMaximumDateTime(ToQt(st.Max));
    w->Edit->setDateTime(ToQt(st.Value));
    w->Check->setChecked(st.Checked);
    w->Edit->setEnabled(st.EditorEnabled);
    w->Place(st.ShowCheckbox);
}

void PlaceDateTimePicker(QWidget* picker, bool showCheckbox) { PickerOf(picker)->Place(showCheckbox); }

// ---- both ----

void SetEditText(QWidget* edit, const String& model) {
    if (auto* e = qobject_cast<QLineEdit*>(edit)) {
        const QString t = QString::fromStdString(model);
        if (e->text() != t) e->setText(t);
        return;
    }
    QPlainTextEdit* e = MemoOf(edit);
    const QString t = ToWidgetText(model);
    if (e->toPlainText() != t) e->setPlainText(t);
}

void SetEditSelection(QWidget* edit, const String& model, const TEditSelection& sel) {
    if (auto* e = qobject_cast<QLineEdit*>(edit)) {
        const int s = ToWidgetPos(model, sel.Start);
        const int en = ToWidgetPos(model, sel.Start + sel.Length);
        if (sel.Length == 0)
            e->setCursorPosition(s);
        else if (sel.CaretAtStart)
            e->setSelection(en, s - en);
        else
            e->setSelection(s, en - s);
        return;
    }
    QPlainTextEdit* e = MemoOf(edit);
    QTextCursor c(e->document());
    if (sel.Length == 0 && sel.Start == static_cast<int>(model.size())) {
        // The caret at the end, as after lines are added: no need to count.
        c.movePosition(QTextCursor::End);
    } else {
        const int s = ToWidgetPos(model, sel.Start);
        const int en = ToWidgetPos(model, sel.Start + sel.Length);
        c.setPosition(sel.CaretAtStart ? en : s);
        c.setPosition(sel.CaretAtStart ? s : en, QTextCursor::KeepAnchor);
    }
    e->setTextCursor(c);
}

void SetEditBorder(QWidget* edit, int width, int marginLeft, int marginRight) {
    if (auto* e = qobject_cast<QLineEdit*>(edit)) {
        e->setFrame(width <= 0);
        e->setTextMargins(width + marginLeft, width, width + marginRight, width);
        return;
    }
    TMemoWidget* e = MemoOf(edit);
    e->setFrameStyle(width > 0 ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
    e->setViewportMargins(width + marginLeft, width, width + marginRight, width);
}

void PaintOverEdit(QWidget* edit, std::intptr_t paintEvent, TCanvas* canvas, int width, int height,
                   const std::function<void()>& paint) {
    // The widget paints first, so the border lies on top of its background.
    static_cast<QObject*>(edit)->event(reinterpret_cast<QEvent*>(paintEvent));
    PaintWidget(edit, canvas, width, height, paint);
}


}  // namespace velmor_ws
