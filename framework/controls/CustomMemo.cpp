#include "framework/controls/CustomMemo.h"

#include <algorithm>

#include "framework/classes/Strings.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/controls/qt/WsEdits.h"
#include "framework/rtl/Exception.h"

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
    return velmor_ws::CreateMemo(parent, [this](QWidget* memo, bool textToo) {
        if (FPushing) return;
        // What the user did applies to the text with its appended lines.
        FlushAppended();
        const String text = textToo ? velmor_ws::MemoText(memo) : FText;
        const velmor_ws::TEditSelection sel = velmor_ws::MemoSelection(memo, text);
        if (textToo)
            WidgetTextChanged(text, sel.Start, sel.Length, sel.CaretAtStart);
        else
            WidgetSelectionChanged(sel.Start, sel.Length, sel.CaretAtStart);
    });
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
    velmor_ws::SetEditBorder(FWidget, width, FTextMarginLeft, FTextMarginRight);
}

void TCustomMemo::ApplyLayout() { velmor_ws::SetMemoLayout(FWidget, FWordWrap, FScrollBars, FWantTabs, FAlignment); }

void TCustomMemo::PushTextToWidget() { velmor_ws::SetEditText(FWidget, FText); }

bool TCustomMemo::AppendToWidget(const String& tail) {
    velmor_ws::AppendMemoText(FWidget, tail);
    return true;
}

void TCustomMemo::PushSelectionToWidget() {
    velmor_ws::SetEditSelection(FWidget, FText, {FSelStart, FSelLength, FCaretAtStart});
}

void TCustomMemo::PushReadOnlyToWidget() { velmor_ws::SetMemoReadOnly(FWidget, FReadOnly, FHideSelection); }

int TCustomMemo::FirstVisibleLine() const {
    if (!FWidget) return FTopLine;
    const_cast<TCustomMemo*>(this)->FlushAppended();
    return velmor_ws::MemoFirstVisibleLine(FWidget);
}

void TCustomMemo::ScrollLines(int lines) {
    if (!FWidget) {
        FTopLine = std::clamp(FTopLine + lines, 0, LineCount() - 1);
        return;
    }
    FlushAppended();
    velmor_ws::ScrollMemoLines(FWidget, lines);
}

void TCustomMemo::ScrollCaret() {
    if (!FWidget) return;
    FlushAppended();
    velmor_ws::ScrollMemoToCaret(FWidget);
}

TPoint TCustomMemo::PosFromChar(int pos) const {
    if (!FWidget) return Point(0, 0);
    const_cast<TCustomMemo*>(this)->FlushAppended();
    return velmor_ws::MemoPosFromChar(FWidget, FText, pos);
}

void TCustomMemo::WidgetCreated() {
    TWinControl::WidgetCreated();
    velmor_internal::ForwardViewportMouse(this, velmor_ws::MemoViewport(FWidget));
}
