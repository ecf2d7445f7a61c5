#include "spell/parsers/CustomEditParser.h"

#include "framework/controls/CustomEdit.h"
#include "framework/controls/Screen.h"
#include "spell/parsers/ControlMetrics.h"

TCustomEditParser::TCustomEditParser(TCustomEdit* edit) : TParser(edit), Edit(edit) {
    Position = 1;
    EndPosition = Edit->GetTextLen();
    LineHeight = ControlLineHeight(Edit);
}

void TCustomEditParser::StartAtSelection() {
    Position = Edit->SelStart();
    MoveToWordStart();
}

void TCustomEditParser::EndAtSelection() { EndPosition = Edit->SelStart() + Edit->SelLength(); }

void TCustomEditParser::GetNextWord(String& word) {
    ScanText(Edit->Text(), 1, false);
    if (!AtEnd) word = CurrentWord;
}

void TCustomEditParser::SelectCurrentWord() {
    Edit->SetSelStart(Position - 1);
    Edit->SetSelLength(WordLength);
}

void TCustomEditParser::ReplaceCurrentWord(const String& newWord) {
    TParser::ReplaceCurrentWord(newWord);
    SelectCurrentWord();
    Edit->SetSelText(newWord);
    WordLength = static_cast<Integer>(newWord.size());
}

void TCustomEditParser::GetControlRect(TRect& rect) {
    const TPoint o = Edit->ClientOrigin();
    rect = Rect(o.X, o.Y, o.X + Edit->Width(), o.Y + Edit->Height());
}

void TCustomEditParser::GetWordRect(TRect& rect) {
    const int start = Edit->SelStart();
    const LRESULT a = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(start), 0);
    const LRESULT b = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(start + Edit->SelLength()), 0);
    const TPoint tl = Edit->ClientToScreen(PointFromLParam(a));
    TPoint br = Edit->ClientToScreen(PointFromLParam(b));
    br.Y += LineHeight;
    // An end point off the screen is no use for placing the dialog.
    if (Screen && (br.X > Screen->Width() || br.Y > Screen->Height())) br = Point(tl.X, tl.Y + LineHeight);
    rect = Rect(tl.X, tl.Y, br.X, br.Y);
}

void TCustomEditParser::MoveToWordStart() { MoveBackInText(Edit->Text(), 1); }

bool TCustomEditParser::RemoveSpace() {
    const String text = Edit->Text();
    if (Position < 1 || Position > static_cast<Integer>(text.size()) || text[Position - 1] != ' ') return false;
    return TParser::RemoveSpace();
}

void TCustomEditParser::GetSelectedText(String& text) { text = Edit->SelText(); }
