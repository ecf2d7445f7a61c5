#pragma once
// Walks a memo line by line. Line counts from 0, Column from 1 within the
// line; Position is the 1-based position in the whole text, where a line
// break counts two.
#include "spell/parsers/Parser.h"

class TCustomMemo;

class TCustomMemoParser : public TParser {
public:
    explicit TCustomMemoParser(TCustomMemo* memo);

    void SetCheckRange(Integer start, Integer end) override;
    void StartAtSelection() override;
    void EndAtSelection() override;
    void GetNextWord(String& word) override;
    void SelectCurrentWord() override;
    void ReplaceCurrentWord(const String& newWord) override;
    void GetControlRect(TRect& rect) override;
    void GetWordRect(TRect& rect) override;
    void CenterCurrentWord() override;
    void MoveToWordStart() override;
    bool RemoveSpace() override;
    void GetSelectedText(String& text) override;

    TCustomMemo* Memo = nullptr;
    int LineHeight = 13;
    int HalfPage = 0;

protected:
    String LineText(Integer line) const;
    // The screen point of a character as the control reports it.
    virtual TPoint CharPoint(int pos);
};
