#pragma once
// Walks a caller's string variable, changing it in place. Positions are
// 1-based indexes into the string.
#include "spell/parsers/Parser.h"

class TStringParser : public TParser {
public:
    // The string must outlive the parser.
    explicit TStringParser(String* text);

    void GetNextWord(String& word) override;
    void ReplaceCurrentWord(const String& newWord) override;
    void MoveToWordStart() override;
    bool RemoveSpace() override;
    void InsertSpace() override;

    String* Text = nullptr;
};
