#include "framework/controls/CustomEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "framework/controls/Clipboard.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsEdits.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/StrUtils.h"

namespace {
// Every CR LF, lone CR and lone LF becomes CR LF.
String CRLFBreaks(const String& text) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}
}  // namespace

// --- the control ----------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    FWidth = 121;
    FHeight = 21;
    FParentColor = false;
    FColor = clWindow;
    SetTabStop(true);
    ControlStyle &= ~csSetCaption;
}

TCustomEdit::~TCustomEdit() = default;

int TCustomEdit::Clamp(int pos) const { return std::clamp(pos, 0, static_cast<int>(FText.size())); }

String TCustomEdit::PrepareText(const String& text) const {
    String s = Multiline() ? CRLFBreaks(text) : text;
    if (FCharCase == ecUpperCase) s = UpperCase(s);
    if (FCharCase == ecLowerCase) s = LowerCase(s);
    return s;
}

void TCustomEdit::ApplyText() {
    FText = PrepareText(FText);
    TextEditedFrom(0);
    // The whole text goes over: nothing appended is left waiting.
    FAppendFrom = -1;
    if (FWidgetLock > 0) {
        FWidgetStale = true;
        return;
    }
    FPushing = true;
    PushTextToWidget();
    FPushing = false;
}

void TCustomEdit::TextChanged() {
    if (!FTextFromEdit) TextEditedFrom(0);
    if (!FTextFromWidget && !FTextFromEdit) {
        // Text set by code: a fresh start, as WM_SETTEXT gives one.
        const String p = PrepareText(FText);
        if (p != FText) {
            FText = p;
            if (FWidget) ApplyText();
        }
        FModified = false;
        FCanUndo = false;
        SetSelection(0, 0);
    }
    TWinControl::TextChanged();
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::SetReadOnly(bool v) {
    if (v == FReadOnly) return;
    FReadOnly = v;
    if (FWidget) PushReadOnlyToWidget();
}

void TCustomEdit::SetMaxLength(int v) {
    v = std::max(v, 0);
    if (v == FMaxLength) return;
    FMaxLength = v;
    if (FWidget) PushReadOnlyToWidget();
}

void TCustomEdit::SetHideSelection(bool v) {
    if (v == FHideSelection) return;
    FHideSelection = v;
    if (FWidget) PushReadOnlyToWidget();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    if (v == FCharCase) return;
    FCharCase = v;
    const String p = PrepareText(FText);
    if (p != FText) ReplaceRange(0, GetTextLen(), p, false, false);
}

void TCustomEdit::SetSelection(int start, int length, bool caretAtStart) {
    start = Clamp(start);
    length = std::clamp(length, 0, GetTextLen() - start);
    FSelStart = start;
    FSelLength = length;
    FCaretAtStart = caretAtStart && length > 0;
    if (FWidget && FWidgetLock > 0) {
        FWidgetStale = true;
    } else if (FWidget && FAppendFrom >= 0 && length == 0 && start == GetTextLen()) {
        // The caret follows appended text; it reaches the widget with it.
    } else if (FWidget) {
        FlushAppended();
        FPushing = true;
        PushSelectionToWidget();
        FPushing = false;
    }
}

void TCustomEdit::EndWidgetUpdate() {
    if (FWidgetLock > 0 && --FWidgetLock == 0 && FWidgetStale) {
        FWidgetStale = false;
        if (FWidget) {
            ApplyText();
            SetSelection(FSelStart, FSelLength, FCaretAtStart);
        }
    }
}

void TCustomEdit::SetSelStart(int v) { SetSelection(v, 0); }
void TCustomEdit::SetSelLength(int v) { SetSelection(FSelStart, v); }

String TCustomEdit::SelText() const {
    return FText.substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomEdit::SetSelText(const String& v) { ReplaceRange(FSelStart, FSelLength, v, true, false); }

void TCustomEdit::SelectAll() { SetSelection(0, GetTextLen()); }

void TCustomEdit::ClearSelection() {
    if (FSelLength > 0) ReplaceRange(FSelStart, FSelLength, String(), true, false);
}

void TCustomEdit::CopyToClipboard() {
    if (FSelLength > 0) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (FReadOnly || FSelLength == 0) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
    if (FReadOnly) return;
    String t = Clipboard()->AsText();
    if (!Multiline()) {
        // One line is all a single-line edit takes.
        const auto br = t.find_first_of("\r\n");
        if (br != String::npos) t.resize(br);
    }
    ReplaceRange(FSelStart, FSelLength, t, true, true);
}

void TCustomEdit::Undo() {
    if (!FCanUndo) return;
    // A second undo undoes the first, as the classic one-step undo does.
    std::swap(FText, FUndoText);
    TextEditedFrom(0);
    const int s = FUndoSelStart, l = FUndoSelLength;
    FUndoSelStart = FSelStart;
    FUndoSelLength = FSelLength;
    if (FWidget) ApplyText();
    SetSelection(s, l);
    FModified = true;
    FTextFromEdit = true;
    Perform(CM_TEXTCHANGED);
    FTextFromEdit = false;
}

void TCustomEdit::ReplaceRange(int start, int length, const String& text, bool undoable, bool byUser) {
    start = Clamp(start);
    length = std::clamp(length, 0, GetTextLen() - start);
    String ins = Multiline() ? CRLFBreaks(text) : text;
    if (FCharCase == ecUpperCase) ins = UpperCase(ins);
    if (FCharCase == ecLowerCase) ins = LowerCase(ins);
    if (byUser && FMaxLength > 0) {
        const int room = std::max(0, FMaxLength - (GetTextLen() - length));
        if (static_cast<int>(ins.size()) > room) ins.resize(static_cast<size_t>(room));
    }
    if (undoable) {
        FUndoText = FText;
        FUndoSelStart = FSelStart;
        FUndoSelLength = FSelLength;
        FCanUndo = true;
    }
    const bool append = start == GetTextLen() && length == 0 && (start == 0 || FText.back() != '\r');
    FText.replace(static_cast<size_t>(start), static_cast<size_t>(length), ins);
    TextEditedFrom(static_cast<size_t>(start));
    FModified = true;
    if (FWidget && append && FWidgetLock == 0) {
        // Text added at the end waits for the next turn of the event loop,
        // so a run that adds many lines costs the widget one change per turn.
        if (FAppendFrom < 0) {
            FAppendFrom = start;
            velmor_ws::CallSoon(FWidget, [this] { FlushAppended(); });
        }
    } else if (FWidget) {
        ApplyText();
    }
    SetSelection(start + static_cast<int>(ins.size()), 0);
    FTextFromEdit = true;
    Perform(CM_TEXTCHANGED);
    FTextFromEdit = false;
}

void TCustomEdit::FlushAppended() {
    if (FAppendFrom < 0) return;
    const int from = FAppendFrom;
    FAppendFrom = -1;
    if (!FWidget) return;
    FPushing = true;
    const bool done = AppendToWidget(FText.substr(static_cast<size_t>(from)));
    FPushing = false;
    if (!done) {
        ApplyText();
        return;
    }
    SetSelection(FSelStart, FSelLength, FCaretAtStart);
}

void TCustomEdit::WidgetTextChanged(const String& text, int selStart, int selLength, bool caretAtStart) {
    if (FPushing || text == FText) {
        WidgetSelectionChanged(selStart, selLength, caretAtStart);
        return;
    }
    FUndoText = FText;
    FUndoSelStart = FSelStart;
    FUndoSelLength = FSelLength;
    FCanUndo = true;
    FModified = true;
    FText = text;
    TextEditedFrom(0);
    FSelStart = Clamp(selStart);
    FSelLength = std::clamp(selLength, 0, GetTextLen() - FSelStart);
    FCaretAtStart = caretAtStart;
    FTextFromWidget = true;
    struct TReset {
        bool& F;
        ~TReset() { F = false; }
    } reset{FTextFromWidget};
    Perform(CM_TEXTCHANGED);
}

void TCustomEdit::WidgetSelectionChanged(int selStart, int selLength, bool caretAtStart) {
    if (FPushing) return;
    FSelStart = Clamp(selStart);
    FSelLength = std::clamp(selLength, 0, GetTextLen() - FSelStart);
    FCaretAtStart = caretAtStart && FSelLength > 0;
}

void TCustomEdit::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key == 0) return;
    if (FCharCase == ecUpperCase) key = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    if (FCharCase == ecLowerCase) key = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    const bool typing = static_cast<unsigned char>(key) >= 32 || key == '\r' || key == '\t';
    if (typing && FMaxLength > 0 && FSelLength == 0 && GetTextLen() >= FMaxLength) key = 0;
}

// --- lines -----------------------------------------------------------------------

void TCustomEdit::TextEditedFrom(size_t pos) const {
    // A line starting at s follows the CR LF at s-2: it stays while that
    // pair lies wholly before the change.
    FLineStarts.erase(std::upper_bound(FLineStarts.begin(), FLineStarts.end(), static_cast<int>(pos)),
                      FLineStarts.end());
    FLinesSearched = std::min(FLinesSearched, pos > 0 ? pos - 1 : 0);
}

void TCustomEdit::FindLineStarts() const {
    const size_t n = FText.size();
    if (FLinesSearched > n) {
        FLineStarts.clear();
        FLinesSearched = 0;
    }
    if (n < 2 || FLinesSearched >= n - 1) return;
    const char* const t = FText.data();
    for (const char* p = t + FLinesSearched; p < t + n - 1;) {
        p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(t + n - 1 - p)));
        if (!p) break;
        if (p[1] == '\n') FLineStarts.push_back(static_cast<int>(p - t) + 2);
        ++p;
    }
    FLinesSearched = n - 1;
}

int TCustomEdit::LineCount() const {
    if (!Multiline()) return 1;
    FindLineStarts();
    return static_cast<int>(FLineStarts.size()) + 1;
}

int TCustomEdit::LineIndex(int line) const {
    if (line < 0) line = LineFromChar(FCaretAtStart ? FSelStart : FSelStart + FSelLength);
    if (line == 0) return 0;
    if (!Multiline()) return -1;
    FindLineStarts();
    return line <= static_cast<int>(FLineStarts.size()) ? FLineStarts[static_cast<size_t>(line) - 1] : -1;
}

int TCustomEdit::LineFromChar(int pos) const {
    if (pos < 0) pos = FCaretAtStart ? FSelStart : FSelStart + FSelLength;
    if (!Multiline()) return 0;
    pos = Clamp(pos);
    FindLineStarts();
    return static_cast<int>(std::upper_bound(FLineStarts.begin(), FLineStarts.end(), pos) - FLineStarts.begin());
}

int TCustomEdit::LineLength(int line) const {
    const int start = LineIndex(line);
    if (start < 0) return 0;
    if (!Multiline()) return GetTextLen() - start;
    const int next = LineIndex(line + 1);
    return (next < 0 ? GetTextLen() : next - 2) - start;
}

String TCustomEdit::Line(int line) const {
    const int start = LineIndex(line);
    if (start < 0) return String();
    return FText.substr(static_cast<size_t>(start), static_cast<size_t>(LineLength(line)));
}

TPoint TCustomEdit::PosFromChar(int) const { return Point(0, 0); }

// --- finding ---------------------------------------------------------------------

int TCustomEdit::FindText(const String& search, int start, int length, bool matchCase, bool wholeWord,
                          bool down) const {
    if (search.empty()) return -1;
    const int len = GetTextLen();
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); };
    auto matchAt = [&](int p) {
        if (p < 0 || p + static_cast<int>(search.size()) > len) return false;
        for (size_t k = 0; k < search.size(); ++k) {
            char a = FText[static_cast<size_t>(p) + k], b = search[k];
            if (!matchCase) {
                a = static_cast<char>(std::tolower(static_cast<unsigned char>(a)));
                b = static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
            }
            if (a != b) return false;
        }
        if (wholeWord) {
            const int e = p + static_cast<int>(search.size());
            if (p > 0 && isWord(FText[static_cast<size_t>(p) - 1])) return false;
            if (e < len && isWord(FText[static_cast<size_t>(e)])) return false;
        }
        return true;
    };
    start = Clamp(start);
    if (down) {
        const int end = length < 0 ? len : std::min(len, start + length);
        for (int p = start; p + static_cast<int>(search.size()) <= end; ++p)
            if (matchAt(p)) return p;
    } else {
        const int low = length < 0 ? 0 : std::max(0, start - length);
        for (int p = start - static_cast<int>(search.size()); p >= low; --p)
            if (matchAt(p)) return p;
    }
    return -1;
}

// --- messages --------------------------------------------------------------------

void TCustomEdit::WndProc(TMessage& m) {
    // Keys and clicks act on the text as it is, lines appended this turn
    // included.
    if (FAppendFrom >= 0 && ((m.Msg >= WM_KEYDOWN && m.Msg <= WM_SYSCHAR) ||
                             (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MOUSEWHEEL)))
        FlushAppended();
    switch (m.Msg) {
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(m.LParam);
        const int size = static_cast<int>(m.WParam);
        if (!buf || size <= 0) {
            m.Result = 0;
            return;
        }
        const int n = std::min(GetTextLen(), size - 1);
        std::memcpy(buf, FText.data(), static_cast<size_t>(n));
        buf[n] = '\0';
        m.Result = n;
        return;
    }
    case WM_GETTEXTLENGTH:
        m.Result = GetTextLen();
        return;
    case WM_SETTEXT:
        SetText(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "");
        m.Result = 1;
        return;
    case EM_GETSEL: {
        const int s = FSelStart, e = FSelStart + FSelLength;
        if (m.WParam) *reinterpret_cast<DWORD*>(m.WParam) = static_cast<DWORD>(s);
        if (m.LParam) *reinterpret_cast<DWORD*>(m.LParam) = static_cast<DWORD>(e);
        m.Result = static_cast<LRESULT>((s & 0xFFFF) | ((e & 0xFFFF) << 16));
        return;
    }
    case EM_SETSEL: {
        int s = static_cast<int>(static_cast<std::intptr_t>(m.WParam));
        int e = static_cast<int>(m.LParam);
        if (s == -1) {  // no selection, the caret stays
            SetSelection(FCaretAtStart ? FSelStart : FSelStart + FSelLength, 0);
            return;
        }
        if (e < 0) e = GetTextLen();
        s = Clamp(s);
        e = Clamp(e);
        if (e < s)
            SetSelection(e, s - e, true);
        else
            SetSelection(s, e - s);
        return;
    }
    case EM_EXGETSEL:
        if (auto* cr = reinterpret_cast<CHARRANGE*>(m.LParam)) {
            cr->cpMin = FSelStart;
            cr->cpMax = FSelStart + FSelLength;
        }
        return;
    case EM_EXSETSEL:
        if (auto* cr = reinterpret_cast<const CHARRANGE*>(m.LParam)) {
            if (cr->cpMin == 0 && cr->cpMax == -1)
                SelectAll();
            else if (cr->cpMin < 0)
                SetSelection(FSelStart + FSelLength, 0);
            else {
                const int e = cr->cpMax < 0 ? GetTextLen() : Clamp(cr->cpMax);
                const int s = Clamp(cr->cpMin);
                SetSelection(std::min(s, e), std::abs(e - s), e < s);
            }
            m.Result = FSelStart + FSelLength;
        }
        return;
    case EM_REPLACESEL:
        // Code may write into a read-only edit, as the classic one allows.
        ReplaceRange(FSelStart, FSelLength, m.LParam ? reinterpret_cast<const char*>(m.LParam) : "",
                     m.WParam != 0, false);
        return;
    case EM_GETLINECOUNT:
        m.Result = LineCount();
        return;
    case EM_LINEINDEX:
        m.Result = LineIndex(static_cast<int>(static_cast<std::intptr_t>(m.WParam)));
        return;
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR:
        m.Result = LineFromChar(static_cast<int>(static_cast<std::intptr_t>(m.Msg == EM_LINEFROMCHAR ? m.WParam : m.LParam)));
        return;
    case EM_LINELENGTH: {
        const int pos = static_cast<int>(static_cast<std::intptr_t>(m.WParam));
        if (pos < 0) {
            // The characters not selected on the lines the selection touches.
            const int l1 = LineFromChar(FSelStart), l2 = LineFromChar(FSelStart + FSelLength);
            const int before = FSelStart - LineIndex(l1);
            const int after = LineIndex(l2) + LineLength(l2) - (FSelStart + FSelLength);
            m.Result = FSelLength == 0 ? LineLength(l1) : before + std::max(0, after);
        } else {
            m.Result = pos > GetTextLen() ? 0 : LineLength(LineFromChar(pos));
        }
        return;
    }
    case EM_GETLINE: {
        auto* buf = reinterpret_cast<char*>(m.LParam);
        if (!buf) return;
        Word size = 0;
        std::memcpy(&size, buf, sizeof(Word));
        const int line = Multiline() ? static_cast<int>(m.WParam) : 0;
        if (line < 0 || line >= LineCount()) {
            m.Result = 0;
            return;
        }
        const String t = Line(line);
        const int n = std::min(static_cast<int>(t.size()), static_cast<int>(size));
        std::memcpy(buf, t.data(), static_cast<size_t>(n));
        if (n < size) buf[n] = '\0';
        m.Result = n;
        return;
    }
    case EM_GETFIRSTVISIBLELINE:
        m.Result = FirstVisibleLine();
        return;
    case EM_LINESCROLL:
        ScrollLines(static_cast<int>(m.LParam));
        m.Result = Multiline() ? 1 : 0;
        return;
    case EM_SCROLLCARET:
        ScrollCaret();
        m.Result = 1;
        return;
    case EM_GETMODIFY:
        m.Result = FModified ? 1 : 0;
        return;
    case EM_SETMODIFY:
        FModified = m.WParam != 0;
        return;
    case EM_CANUNDO:
        m.Result = FCanUndo ? 1 : 0;
        return;
    case EM_UNDO:
    case WM_UNDO:
        m.Result = FCanUndo ? 1 : 0;
        Undo();
        return;
    case EM_EMPTYUNDOBUFFER:
        FCanUndo = false;
        return;
    case EM_SETREADONLY:
        SetReadOnly(m.WParam != 0);
        m.Result = 1;
        return;
    case EM_LIMITTEXT:
    case EM_EXLIMITTEXT:
        SetMaxLength(static_cast<int>(m.Msg == EM_LIMITTEXT ? m.WParam : static_cast<WPARAM>(m.LParam)));
        return;
    case EM_GETLIMITTEXT:
        m.Result = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE;
        return;
    case EM_FINDTEXT: {
        const auto* ft = reinterpret_cast<const FINDTEXTA*>(m.LParam);
        if (!ft || !ft->lpstrText) {
            m.Result = -1;
            return;
        }
        const bool down = (m.WParam & FR_DOWN) != 0;
        const int from = ft->chrg.cpMin;
        const int to = ft->chrg.cpMax;
        int length = -1;
        if (down && to >= 0) length = to - from;
        if (!down && to >= 0) length = from - to;
        m.Result = FindText(ft->lpstrText, from < 0 ? (down ? 0 : GetTextLen()) : from, length,
                            (m.WParam & FR_MATCHCASE) != 0, (m.WParam & FR_WHOLEWORD) != 0, down);
        return;
    }
    case EM_GETTEXTRANGE: {
        auto* tr = reinterpret_cast<TEXTRANGEA*>(m.LParam);
        if (!tr || !tr->lpstrText) return;
        const int s = Clamp(tr->chrg.cpMin);
        const int e = tr->chrg.cpMax < 0 ? GetTextLen() : Clamp(tr->chrg.cpMax);
        const int n = std::max(0, e - s);
        std::memcpy(tr->lpstrText, FText.data() + s, static_cast<size_t>(n));
        tr->lpstrText[n] = '\0';
        m.Result = n;
        return;
    }
    case EM_POSFROMCHAR: {
        // The rich edit takes a point to fill and the position; the plain
        // edit the position, answering the point packed.
        if (m.LParam != 0 || m.WParam > 0xFFFFFF) {
            auto* p = reinterpret_cast<POINTL*>(m.WParam);
            const TPoint pt = PosFromChar(static_cast<int>(m.LParam));
            if (p) {
                p->x = pt.X;
                p->y = pt.Y;
            }
        } else {
            const TPoint pt = PosFromChar(static_cast<int>(m.WParam));
            m.Result = MakeLParam(pt.X, pt.Y);
        }
        return;
    }
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_CLEAR:
        if (!FReadOnly) ClearSelection();
        return;
    default:
        TWinControl::WndProc(m);
    }
}

// --- the border round the text ----------------------------------------------------

void TCustomEdit::InitWidget() {
    TWinControl::InitWidget();
    if (NonClientWidth() > 0 || FTextMarginLeft > 0 || FTextMarginRight > 0) ApplyNonClient(NonClientWidth());
    if (FAlignment != taLeftJustify) ApplyAlignment();
}

void TCustomEdit::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    if (FWidget) ApplyAlignment();
}

void TCustomEdit::SetTextMargins(int left, int right) {
    left = std::max(left, 0);
    right = std::max(right, 0);
    if (left == FTextMarginLeft && right == FTextMarginRight) return;
    FTextMarginLeft = left;
    FTextMarginRight = right;
    NonClientChanged();
}

void TCustomEdit::NonClientChanged() {
    if (!FWidget) return;
    ApplyNonClient(NonClientWidth());
    velmor_ws::Invalidate(FWidget);
}

void TCustomEdit::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget || NonClientWidth() <= 0) {
        TWinControl::WMPaint(m);
        return;
    }
    // The widget paints first, so the border lies on top of its background.
    TCanvas canvas;
    velmor_ws::PaintOverEdit(FWidget, m.LParam, &canvas, FWidth, FHeight, [this, &canvas] {
        canvas.Font()->Assign(Font());
        canvas.Brush()->SetColor(Color());
        PaintNonClient(&canvas);
    });
    m.Result = 1;
}
