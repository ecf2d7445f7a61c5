#include "framework/controls/CustomMemo.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include "framework/classes/Strings.h"
#include "framework/controls/EditTextInternal.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

using namespace velmor_internal;

namespace {
// Lines of a memo, read from and written into its text the way the classic
// memo's line list does it through the edit messages.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
    String ClassName() const override { return "TMemoStrings"; }

    int Count() const override {
        if (FMemo->GetTextLen() == 0) return 0;
        int n = FMemo->LineCount();
        // A final line break opens no line of its own.
        if (FMemo->LineLength(n - 1) == 0) --n;
        return n;
    }
    String Get(int index) const override {
        if (index < 0 || index >= Count()) Error(RtlConsts::SListIndexError, index);
        return FMemo->Line(index);
    }
    void Put(int index, const String& s) override {
        if (index < 0 || index >= Count()) Error(RtlConsts::SListIndexError, index);
        const int start = FMemo->LineIndex(index);
        Replace(start, FMemo->LineLength(index), s);
    }
    void Insert(int index, const String& s) override {
        if (index < 0 || index > Count()) Error(RtlConsts::SListIndexError, index);
        const int start = FMemo->LineIndex(index);
        if (start >= 0 && (index < Count() || start == FMemo->GetTextLen())) {
            Replace(start, 0, s + "\r\n");
            return;
        }
        // After a last line that has no line break of its own.
        const int prev = FMemo->LineIndex(index - 1);
        Replace(prev + FMemo->LineLength(index - 1), 0, "\r\n" + s);
    }
    void Delete(int index) override {
        if (index < 0 || index >= Count()) Error(RtlConsts::SListIndexError, index);
        const int start = FMemo->LineIndex(index);
        int end = FMemo->LineIndex(index + 1);
        if (end < 0) end = start + FMemo->LineLength(index);
        Replace(start, end - start, String());
    }
    void Clear() override { FMemo->SetText(String()); }

protected:
    void SetUpdateState(bool updating) override {
        if (updating)
            FMemo->BeginWidgetUpdate();
        else
            FMemo->EndWidgetUpdate();
    }

public:
    String Text() const override { return FMemo->Text(); }
    void SetText(const String& text) override { FMemo->SetText(text); }

private:
    void Replace(int start, int length, const String& s) {
        FMemo->ReplaceText(start, length, s);
        FMemo->ClearUndo();
    }
    TCustomMemo* FMemo;
};

// The margins round the text area are the border a memo may paint itself.
class TMemoWidget : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    using QPlainTextEdit::setViewportMargins;
};

TMemoWidget* EditOf(QWidget* w) { return static_cast<TMemoWidget*>(w); }
}  // namespace

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(new TMemoStrings(this)) {
    FWidth = 185;
    FHeight = 89;
    AutoSelect = false;
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* v) { FLines->Assign(v); }

void TCustomMemo::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    if (FWidget) ApplyLayout();
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    if (v == FScrollBars) return;
    FScrollBars = v;
    if (FWidget) ApplyLayout();
}

void TCustomMemo::SetWantTabs(bool v) {
    if (v == FWantTabs) return;
    FWantTabs = v;
    if (FWidget) ApplyLayout();
}

TPoint TCustomMemo::CaretPos() const {
    const int caret = FCaretAtStart ? FSelStart : FSelStart + FSelLength;
    const int line = LineFromChar(caret);
    return Point(caret - LineIndex(line), line);
}

void TCustomMemo::SetCaretPos(const TPoint& p) {
    int start = LineIndex(std::max(0, p.Y));
    if (start < 0) start = GetTextLen();
    const int line = LineFromChar(start);
    SetSelection(start + std::clamp(p.X, 0, LineLength(line)), 0);
}

void TCustomMemo::WndProc(TMessage& m) {
    if (m.Msg == WM_CHAR && m.WParam == '\r' && !WantReturns) {
        // Enter belongs to the window, not to the text.
        TCustomEdit::WndProc(m);
        m.WParam = 0;
        m.Result = 1;
        return;
    }
    TCustomEdit::WndProc(m);
}

QWidget* TCustomMemo::CreateWidget(QWidget* parent) {
    auto* e = new TMemoWidget(parent);
    e->setFocusPolicy(Qt::StrongFocus);
    auto pull = [this, e](bool textToo) {
        GuardedCall([this, e, textToo] {
            if (FPushing) return;
            // What the user did applies to the text with its appended lines.
            FlushAppended();
            const String text = textToo ? FromWidgetText(e->toPlainText(), true) : FText;
            const QTextCursor c = e->textCursor();
            const int a = FromWidgetPos(text, c.anchor());
            const int p = FromWidgetPos(text, c.position());
            const int s = std::min(a, p);
            if (textToo)
                WidgetTextChanged(text, s, std::abs(p - a), p < a);
            else
                WidgetSelectionChanged(s, std::abs(p - a), p < a);
        });
    };
    QObject::connect(e, &QPlainTextEdit::textChanged, [pull] { pull(true); });
    QObject::connect(e, &QPlainTextEdit::cursorPositionChanged, [pull] { pull(false); });
    QObject::connect(e, &QPlainTextEdit::selectionChanged, [pull] { pull(false); });
    return e;
}

void TCustomMemo::InitWidget() {
    TCustomEdit::InitWidget();
    ApplyLayout();
    PushReadOnlyToWidget();
    FPushing = true;
    PushSelectionToWidget();
    FPushing = false;
    if (FTopLine > 0) ScrollLines(FTopLine);
}

void TCustomMemo::ApplyNonClient(int width) {
    TMemoWidget* e = EditOf(FWidget);
    e->setFrameStyle(width > 0 ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
    e->setViewportMargins(width + FTextMarginLeft, width, width + FTextMarginRight, width);
}

void TCustomMemo::ApplyLayout() {
    QPlainTextEdit* e = EditOf(FWidget);
    e->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const bool h = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap;
    const bool v = FScrollBars == ssVertical || FScrollBars == ssBoth;
    e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->setTabChangesFocus(!FWantTabs);
    QTextOption opt = e->document()->defaultTextOption();
    opt.setAlignment(FAlignment == taCenter ? Qt::AlignHCenter : FAlignment == taRightJustify ? Qt::AlignRight
                                                                                                : Qt::AlignLeft);
    e->document()->setDefaultTextOption(opt);
}

void TCustomMemo::PushTextToWidget() {
    QPlainTextEdit* e = EditOf(FWidget);
    const QString t = ToWidgetText(FText);
    if (e->toPlainText() != t) e->setPlainText(t);
}

bool TCustomMemo::AppendToWidget(const String& tail) {
    QTextDocument* doc = EditOf(FWidget)->document();
    QTextCursor c(doc);
    c.movePosition(QTextCursor::End);
    // Text set by code is no step the widget's own undo takes back.
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    c.insertText(ToWidgetText(tail));
    doc->setUndoRedoEnabled(undo);
    return true;
}

void TCustomMemo::PushSelectionToWidget() {
    QPlainTextEdit* e = EditOf(FWidget);
    QTextCursor c(e->document());
    if (FSelLength == 0 && FSelStart == GetTextLen()) {
        // The caret at the end, as after lines are added: no need to count.
        c.movePosition(QTextCursor::End);
    } else {
        const int s = ToWidgetPos(FText, FSelStart);
        const int en = ToWidgetPos(FText, FSelStart + FSelLength);
        c.setPosition(FCaretAtStart ? en : s);
        c.setPosition(FCaretAtStart ? s : en, QTextCursor::KeepAnchor);
    }
    e->setTextCursor(c);
}

void TCustomMemo::PushReadOnlyToWidget() {
    QPlainTextEdit* e = EditOf(FWidget);
    e->setReadOnly(FReadOnly);
    QPalette pal = e->palette();
    if (FHideSelection) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Base));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::Text));
    } else {
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
    }
    e->setPalette(pal);
}

int TCustomMemo::FirstVisibleLine() const {
    if (!FWidget) return FTopLine;
    const_cast<TCustomMemo*>(this)->FlushAppended();
    return EditOf(FWidget)->cursorForPosition(QPoint(0, 0)).blockNumber();
}

void TCustomMemo::ScrollLines(int lines) {
    if (!FWidget) {
        FTopLine = std::clamp(FTopLine + lines, 0, LineCount() - 1);
        return;
    }
    FlushAppended();
    QScrollBar* sb = EditOf(FWidget)->verticalScrollBar();
    sb->setValue(sb->value() + lines);
}

void TCustomMemo::ScrollCaret() {
    if (!FWidget) return;
    FlushAppended();
    EditOf(FWidget)->ensureCursorVisible();
}

TPoint TCustomMemo::PosFromChar(int pos) const {
    if (!FWidget) return Point(0, 0);
    const_cast<TCustomMemo*>(this)->FlushAppended();
    QPlainTextEdit* e = EditOf(FWidget);
    QTextCursor c(e->document());
    c.setPosition(std::min(ToWidgetPos(FText, pos), e->document()->characterCount() - 1));
    const QRect r = e->cursorRect(c);
    const QPoint p = e->viewport()->mapTo(e, r.topLeft());
    return Point(p.x(), p.y());
}

void TCustomMemo::WidgetCreated() {
    TWinControl::WidgetCreated();
    velmor_internal::ForwardViewportMouse(this, EditOf(FWidget)->viewport());
}
