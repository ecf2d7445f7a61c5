#pragma once
// Walks the text of a single-line edit, selecting and replacing words
// through the edit's selection. Positions are 1-based indexes into Text.
#include "spell/parsers/Parser.h"

class TCustomEdit;

class TCustomEditParser : public TParser {
public:
    explicit TCustomEditParser(TCustomEdit* edit);

    void StartAtSelection() override;
    void EndAtSelection() override;
    void GetNextWord(String& word) override;
    void SelectCurrentWord() override;
    void ReplaceCurrentWord(const String& newWord) override;
    void GetControlRect(TRect& rect) override;
    void GetWordRect(TRect& rect) override;
    void MoveToWordStart() override;
    bool RemoveSpace() override;
    void GetSelectedText(String& text) override;

    TCustomEdit* Edit = nullptr;
    int LineHeight = 13;
};
