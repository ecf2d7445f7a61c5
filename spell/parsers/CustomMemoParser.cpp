#include "spell/parsers/CustomMemoParser.h"

#include "framework/classes/Strings.h"
#include "framework/controls/CustomMemo.h"
#include "spell/parsers/ControlMetrics.h"
#include "spell/parsers/LineScan.h"

namespace {
struct TMemoLines {
    TCustomMemo* Memo;
    int Count() const { return Memo->Lines()->Count(); }
    String Text(int line) const { return Memo->Lines()->Get(line); }
    int Start(int line) const { return Memo->LineIndex(line); }
    void Leaving(int) const {}
};
}  // namespace

TCustomMemoParser::TCustomMemoParser(TCustomMemo* memo) : TParser(memo), Memo(memo) {
    Line = 0;
    EndPosition = Memo->GetTextLen();
    LineHeight = ControlLineHeight(Memo);
    HalfPage = (Memo->ClientHeight() / LineHeight) / 2;
}

String TCustomMemoParser::LineText(Integer line) const {
    if (line < 0 || line >= Memo->Lines()->Count()) return String();
    return Memo->Lines()->Get(line);
}

void TCustomMemoParser::SetCheckRange(Integer start, Integer end) {
    StartPosition = start;
    Position = start;
    EndPosition = end;
    Line = Memo->LineFromChar(start);
    Column = Position - Memo->LineIndex(Line);
    // A caret at a line's start names no character of that line.
    if (Column < 1) {
        Position += 1 - Column;
        Column = 1;
    }
    MoveToWordStart();
}

void TCustomMemoParser::StartAtSelection() { SetCheckRange(Memo->SelStart(), EndPosition); }

void TCustomMemoParser::EndAtSelection() { SetCheckRange(Position, Memo->SelStart() + Memo->SelLength()); }

void TCustomMemoParser::GetNextWord(String& word) {
    TMemoLines lines{Memo};
    if (spell_internal::ScanLines(*this, lines)) word = CurrentWord;
}

void TCustomMemoParser::SelectCurrentWord() {
    Memo->SetSelStart(Position - 1);
    Memo->SetSelLength(WordLength);
}

void TCustomMemoParser::ReplaceCurrentWord(const String& newWord) {
    TParser::ReplaceCurrentWord(newWord);
    SelectCurrentWord();
    Memo->SetSelText(newWord);
    WordLength = static_cast<Integer>(newWord.size());
}

void TCustomMemoParser::GetControlRect(TRect& rect) {
    const TPoint o = Memo->ClientOrigin();
    rect = Rect(o.X, o.Y, o.X + Memo->Width(), o.Y + Memo->Height());
}

TPoint TCustomMemoParser::CharPoint(int pos) {
    const LRESULT r = Memo->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(pos), 0);
    return Memo->ClientToScreen(PointFromLParam(r));
}

void TCustomMemoParser::GetWordRect(TRect& rect) {
    const int start = Memo->SelStart();
    const TPoint tl = CharPoint(start);
    TPoint br = CharPoint(start + Memo->SelLength());
    br.Y += LineHeight;
    rect = Rect(tl.X, tl.Y, br.X, br.Y);
}

void TCustomMemoParser::CenterCurrentWord() {
    const int line = Memo->LineFromChar(Memo->SelStart());
    const int first = static_cast<int>(Memo->Perform(EM_GETFIRSTVISIBLELINE));
    Memo->Perform(EM_LINESCROLL, 0, line - HalfPage - first);
}

void TCustomMemoParser::MoveToWordStart() { spell_internal::MoveBackInLine(*this, LineText(Line)); }

bool TCustomMemoParser::RemoveSpace() {
    const String text = LineText(Line);
    if (Column < 1 || Column > static_cast<Integer>(text.size()) || text[Column - 1] != ' ') return false;
    return TParser::RemoveSpace();
}

void TCustomMemoParser::GetSelectedText(String& text) { text = Memo->SelText(); }
