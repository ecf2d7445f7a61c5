#include "spell/parsers/StringParser.h"

TStringParser::TStringParser(String* text) : TParser(text), Text(text) {
    Position = 1;
    EndPosition = static_cast<Integer>(Text->size());
}

void TStringParser::GetNextWord(String& word) {
    ScanText(*Text, 1, false);
    if (!AtEnd) word = CurrentWord;
}

void TStringParser::ReplaceCurrentWord(const String& newWord) {
    TParser::ReplaceCurrentWord(newWord);
    const auto at = static_cast<std::size_t>(std::max<Integer>(Position - 1, 0));
    if (at <= Text->size()) Text->replace(at, static_cast<std::size_t>(std::max<Integer>(WordLength, 0)), newWord);
    WordLength = static_cast<Integer>(newWord.size());
}

void TStringParser::MoveToWordStart() { MoveBackInText(*Text, 1); }

bool TStringParser::RemoveSpace() {
    if (Position < 1 || Position > static_cast<Integer>(Text->size()) || (*Text)[Position - 1] != ' ') return false;
    return TParser::RemoveSpace();
}

void TStringParser::InsertSpace() {
    if (Position < 1 || Position > static_cast<Integer>(Text->size())) {
        // At the very end there is no character to put the space before.
        const bool old = InternalChange;
        InternalChange = true;
        WordLength = 0;
        ReplaceCurrentWord(" ");
        InternalChange = old;
        return;
    }
    ReplaceWithSpaceBefore((*Text)[Position - 1]);
}
