#include "gridkit/editors/GkInplaceEdit.h"

#include <utility>

#include "framework/classes/StringList.h"
#include "framework/controls/Clipboard.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/Navigation.h"
#include "gridkit/grid/SizeWhileTyping.h"

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text with the selection replaced by insert.
String Spliced(const String& text, int selStart, int selLength, const String& insert) {
    const size_t start = std::min<size_t>(static_cast<size_t>(std::max(selStart, 0)), text.size());
    const size_t len = std::min<size_t>(static_cast<size_t>(std::max(selLength, 0)), text.size() - start);
    return text.substr(0, start) + insert + text.substr(start + len);
}

// The text as it stands once the selection is gone.
String WithoutSelection(const String& text, int selStart, int selLength) {
    return Spliced(text, selStart, selLength, String());
}

// A whole number: a minus sign only in front, then digits.
bool IsIntegerText(const String& s, bool allowMinus) {
    size_t i = 0;
    if (allowMinus && !s.empty() && s[0] == '-') i = 1;
    for (; i < s.size(); ++i)
        if (!IsDigit(s[i])) return false;
    return true;
}

}  // namespace

TGkInplaceEdit::TGkInplaceEdit(TComponent* owner) : TInplaceEdit(owner) {}

void TGkInplaceEdit::SetLengthLimit(int v) {
    if (v == FLengthLimit) return;
    FLengthLimit = v;
}

int TGkInplaceEdit::EffectiveLimit() const {
    // The grid hands its per-cell limit (a column's edit length) to
    // MaxLength each time the editor moves to a cell.
    if (FLengthLimit > 0) return FLengthLimit;
    if (MaxLength() > 0) return MaxLength();
    TGkStringGrid* grid = GkGrid();
    return grid ? grid->MaxEditLength : 0;
}

TGkStringGrid* TGkInplaceEdit::GkGrid() const { return dynamic_cast<TGkStringGrid*>(Grid()); }

TGkInplaceEdit::TCharVerdict TGkInplaceEdit::FilterChar(TEditorType kind, const String& text,
                                                        int selStart, int selLength, char& key,
                                                        int lengthLimit, bool advanceOnEnter) {
    if (lengthLimit > 0 && static_cast<int>(text.size()) >= lengthLimit && selLength == 0 &&
        key != '\b' && key != 27 && !(key == '\r' && advanceOnEnter))
        return cvDrop;
    // Control characters (Backspace, Tab, Enter, Escape, the clipboard
    // shortcuts) are keys, not text: no kind refuses them.
    if (static_cast<unsigned char>(key) < 32) return cvAccept;
    const String rest = WithoutSelection(text, selStart, selLength);
    const String selected = text.substr(std::min<size_t>(std::max(selStart, 0), text.size()),
                                        static_cast<size_t>(std::max(selLength, 0)));
    const bool minusOk = selStart == 0 && rest.find('-') == String::npos;
    switch (kind) {
    case edNormal:
    case edPassword:
    case edMixedCase:
    case edEditBtn: return cvAccept;
    case edNumeric:
    case edNumericEditBtn:
        if (IsDigit(key)) return cvAccept;
        if (key == '-' && minusOk) return cvAccept;
        return cvBeep;
    case edPositiveNumeric: return IsDigit(key) ? cvAccept : cvBeep;
    case edFloat:
    case edFloatEditBtn:
        if (IsDigit(key)) return cvAccept;
        if (key == '-') return minusOk ? cvAccept : cvBeep;
        if (key == '.' || key == ',') {
            const bool dotOk = text.find('.') == String::npos || selected.find('.') != String::npos;
            const bool commaOk = text.find(',') == String::npos || selected.find(',') != String::npos;
            return dotOk && commaOk ? cvAccept : cvDrop;
        }
        return cvDrop;
    case edCapital:
    case edUpperCase: key = UpCase(key); return cvAccept;
    case edLowerCase: key = LoCase(key); return cvAccept;
    default: return cvDrop;
    }
}

String TGkInplaceEdit::MixedCase(const String& text) {
    String out = text;
    const int n = static_cast<int>(out.size());
    bool capNext = true;
    for (int i = 0; i < n; ++i) {
        char& c = out[i];
        if (c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.') {
            capNext = true;
        } else if (capNext) {
            c = UpCase(c);
            capNext = false;
        } else if (c >= 'A' && c <= 'Z') {
            c = LoCase(c);
        }
        const String soFar = out.substr(0, i + 1);
        if (soFar == "Mc") capNext = true;
        const size_t mc = out.find(" Mc");
        if (mc != String::npos && static_cast<int>(mc) + 2 == i && i >= 3) capNext = true;
        if (i >= n - 3) {
            if (i >= 1 && out.compare(i - 1, 2, " I") == 0) capNext = true;
            if (i >= 2 && out.compare(i - 2, 3, " II") == 0) capNext = true;
        }
    }
    return out;
}

bool TGkInplaceEdit::PasteResult(TEditorType kind, const String& text, int selStart,
                                 int selLength, const String& clip, int lengthLimit,
                                 String& result) {
    const String r = Spliced(text, selStart, selLength, clip);
    // The limit is on what the cell ends up holding, not on the clipboard.
    if (lengthLimit >= 1 && static_cast<int>(r.size()) > lengthLimit) return false;
    switch (kind) {
    case edNumeric:
        if (!IsIntegerText(r, true)) return false;
        break;
    case edPositiveNumeric:
        if (!IsIntegerText(r, false)) return false;
        break;
    case edFloat:
        if (!IsIntegerText(r, true) && ClassifyNumberText(r) > 1) return false;
        if (r.find('-', 1) != String::npos) return false;
        break;
    default: break;
    }
    switch (kind) {
    case edMixedCase: result = MixedCase(r); break;
    case edLowerCase: result = LowerCase(r); break;
    case edUpperCase:
    case edCapital: result = UpperCase(r); break;
    default: result = r;
    }
    return true;
}

bool TGkInplaceEdit::LookupCompletion(const String& typed, const TStrings* items,
                                      bool caseSensitive, String& completed) {
    if (typed.empty() || !items) return false;
    const String key = caseSensitive ? typed : UpperCase(typed);
    for (int i = 0; i < items->Count(); ++i) {
        const String item = items->Get(i);
        if (item.size() < typed.size()) continue;
        const String head = item.substr(0, typed.size());
        if ((caseSensitive ? head : UpperCase(head)) != key) continue;
        completed = typed + item.substr(typed.size(), 255);
        return true;
    }
    return false;
}

int TGkInplaceEdit::VerticalCaretMove(const String& text, int caret, bool down) {
    const size_t at = std::min<size_t>(static_cast<size_t>(std::max(caret, 0)), text.size());
    // A line starts after a line feed; a CR before the feed ends the line.
    auto startOf = [&](size_t pos) -> size_t {
        if (pos == 0) return 0;
        const size_t feed = text.rfind('\n', pos - 1);
        return feed == String::npos ? 0 : feed + 1;
    };
    auto endOf = [&](size_t start) -> size_t {
        size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size();
        if (end > start && text[end - 1] == '\r') --end;
        return end;
    };
    const size_t lineStart = startOf(at);
    const size_t column = at - lineStart;
    size_t target;
    if (down) {
        const size_t feed = text.find('\n', at);
        if (feed == String::npos) return -1;
        target = feed + 1;
    } else {
        if (lineStart == 0) return -1;
        target = startOf(lineStart - 1);
    }
    return static_cast<int>(std::min(target + column, endOf(target)));
}

void TGkInplaceEdit::GrowRowForNewLine() {
    TGkStringGrid* grid = GkGrid();
    if (!grid || EditCol() < 0 || EditRow() < 0) return;
    SetSelText("\r\n");
    // The cell now holds the new, still empty line; make room for it. A
    // row the user made higher keeps its height.
    const int need = grid->MeasureCellText(grid->RealColIndex(EditCol()), EditRow()).cy;
    if (need > grid->RowHeights(EditRow())) grid->SetRowHeights(EditRow(), need);
}

void TGkInplaceEdit::KeyDown(Word& key, TShiftState shift) {
    TGkStringGrid* grid = GkGrid();
    if (key == VK_BACK || key == VK_DELETE) FTyped = false;
    else if (key != VK_RETURN && key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN)
        FTyped = true;
    if (grid) {
        if (key == VK_RETURN && (shift & ssCtrl) && grid->SizeWhileTyping()->Height &&
            grid->Multilinecells()) {
            GrowRowForNewLine();
            FSwallowReturn = true;
            key = 0;
            return;
        }
        if ((key == VK_UP || key == VK_DOWN) && !(shift & (ssShift | ssCtrl | ssAlt))) {
            // In a text of several lines the caret walks between them; only
            // from the first or last line does the key reach the grid.
            const bool down = key == VK_DOWN;
            const int caret = down ? SelStart() + SelLength() : SelStart();
            const int moved = VerticalCaretMove(Text(), caret, down);
            if (moved >= 0) {
                SetSelStart(moved);
                key = 0;
                return;
            }
        }
        if ((key == VK_UP || key == VK_DOWN) && !grid->ValidateCell(Text())) {
            key = 0;
            return;
        }
        const bool walk = grid->Navigation()->CursorWalkEditor && SelLength() == 0 &&
                          !(shift & (ssShift | ssCtrl | ssAlt));
        if (walk && key == VK_RIGHT && SelStart() >= GetTextLen()) {
            key = 0;
            grid->StepToNextCell(grid->Col(), grid->Row(), true, true, true);
            return;
        }
        if (walk && key == VK_LEFT && SelStart() == 0) {
            key = 0;
            grid->StepToNextCell(grid->Col(), grid->Row(), false, true, true);
            return;
        }
    }
    TInplaceEdit::KeyDown(key, shift);
}

void TGkInplaceEdit::KeyUp(Word& key, TShiftState shift) {
    TInplaceEdit::KeyUp(key, shift);
    if (key == VK_LEFT || key == VK_RIGHT) return;
    RunLookup();
    TGkStringGrid* grid = GkGrid();
    if (!grid || EditCol() < 0 || EditRow() < 0) return;
    SizeToText(grid);
    if (std::exchange(FAdvancePending, false)) AdvanceWhenFull();
}

void TGkInplaceEdit::SizeToText(TGkStringGrid* grid) {
    // The column grows with the text; it never shrinks under the user.
    if (grid->SizeWhileTyping()->Width) grid->AutoSizeColumn(EditCol(), true);
    if (grid->SizeWhileTyping()->Height && grid->WordWrap()) grid->AutoSizeRow(EditRow());
}

void TGkInplaceEdit::RunLookup() {
    TGkStringGrid* grid = GkGrid();
    if (!grid || !FTyped || SelLength() != 0 || !grid->Lookup || grid->LookupItems()->Count() == 0)
        return;
    const String typed = Text().substr(0, static_cast<size_t>(SelStart()));
    String completed;
    if (!LookupCompletion(typed, grid->LookupItems(), grid->LookupCaseSensitive, completed)) return;
    if (completed == Text()) return;
    SetText(completed);
    SetSelStart(static_cast<int>(typed.size()));
    SetSelLength(static_cast<int>(completed.size() - typed.size()));
}

void TGkInplaceEdit::KeyPress(char& key) {
    TGkStringGrid* grid = GkGrid();
    if (!grid) {
        TInplaceEdit::KeyPress(key);
        return;
    }
    if (FSwallowReturn && (key == '\r' || key == '\n')) {
        // The Ctrl+Enter that added a line; it neither validates nor moves.
        FSwallowReturn = false;
        key = 0;
        return;
    }
    FSwallowReturn = false;
    if (key == '\r' && !grid->ValidateCell(Text())) {
        key = 0;
        return;
    }
    const int limit = EffectiveLimit();
    const TEditorType kind = grid->CurrentEditorType();
    const TCharVerdict verdict = FilterChar(kind, Text(), SelStart(), SelLength(), key, limit,
                                            grid->Navigation()->AdvanceOnEnter);
    if (verdict == cvBeep) GkMessageBeep();
    if (verdict != cvAccept) {
        key = 0;
        return;
    }
    if (kind == edMixedCase && static_cast<unsigned char>(key) >= 32) {
        const int caret = SelStart();
        SetText(MixedCase(Spliced(Text(), caret, SelLength(), String(1, key))));
        SetSelStart(caret + 1);
        key = 0;
        return;
    }
    const bool typed = static_cast<unsigned char>(key) >= 32;
    TInplaceEdit::KeyPress(key);
    // The character lands in the text after this; whether it filled the
    // editor is seen on the key's release.
    FAdvancePending = typed && key != 0;
}

void TGkInplaceEdit::AdvanceWhenFull() {
    TGkStringGrid* grid = GkGrid();
    const int limit = EffectiveLimit();
    if (!grid || !grid->Navigation()->AdvanceAuto || limit <= 0) return;
    // Full: go on to the next cell as Enter would. A mask counts as full
    // only once no blank placeholder is left.
    const String text = Text();
    const bool full = static_cast<int>(text.size()) >= limit &&
                      (EditMask().empty() || text.find(' ') == String::npos);
    if (!full || SelLength() != 0 || SelStart() < GetTextLen() || !grid->ValidateCell(text)) return;
    char enter = '\r';
    TInplaceEdit::KeyPress(enter);
}

void TGkInplaceEdit::WndProc(TMessage& m) {
    TGkStringGrid* grid = GkGrid();
    if (grid && (m.Msg == WM_PASTE || m.Msg == WM_COPY || m.Msg == WM_CUT)) {
        bool allow = true;
        if (m.Msg == WM_PASTE && grid->OnClipboardPaste) grid->OnClipboardPaste(this, allow);
        if (m.Msg == WM_COPY && grid->OnClipboardCopy) grid->OnClipboardCopy(this, allow);
        if (m.Msg == WM_CUT && grid->OnClipboardCut) grid->OnClipboardCut(this, allow);
        if (!allow) return;
        if (m.Msg == WM_PASTE) {
            const String clip = Clipboard()->AsText();
            const int limit = EffectiveLimit();
            String result;
            const int caret = SelStart();
            if (PasteResult(grid->CurrentEditorType(), Text(), caret, SelLength(), clip, limit, result)) {
                SetText(result);
                SetSelStart(std::min<int>(caret + static_cast<int>(clip.size()), GetTextLen()));
            }
            return;
        }
    }
    TInplaceEdit::WndProc(m);
}

void TGkInplaceEdit::DoEnter() {
    if (TGkStringGrid* grid = GkGrid(); grid && EditCol() >= 0 && EditRow() >= 0) {
        // The editor wears the colour its cell is drawn in.
        TBrush brush;
        brush.SetColor(grid->Color());
        TFont font;
        font.Assign(grid->Font());
        grid->GetCellColor(grid->RealColIndex(EditCol()), EditRow(), 0, &brush, &font);
        SetColor(brush.Color());
    }
    TInplaceEdit::DoEnter();
    TGkStringGrid* grid = GkGrid();
    if (!grid || EditCol() < 0 || EditRow() < 0) return;
    int clicked = 0;
    if (grid->MouseActions()->CaretPositioning && grid->TakeCaretClick(EditCol(), EditRow(), clicked)) {
        SetSelStart(std::min(clicked, GetTextLen()));
        return;
    }
    if (grid->Navigation()->ImproveMaskSel && (!EditMask().empty() || EffectiveLimit() > 0) &&
        GetTextLen() > 0) {
        // A fixed-length entry is typed over from its first character.
        SetSelStart(0);
        SetSelLength(1);
    }
}

void TGkInplaceEdit::DoExit() {
    TGkStringGrid* grid = GkGrid();
    if (grid) grid->ForgetCaretClick();
    if (grid && grid->LookupHistory && grid->LookupItems()->IndexOf(Text()) < 0)
        grid->LookupItems()->Add(Text());
    TInplaceEdit::DoExit();
    if (grid) grid->FocusMayHaveLeft();
}
