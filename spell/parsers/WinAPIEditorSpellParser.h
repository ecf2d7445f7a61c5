#pragma once
// Walks any window that answers the edit-control messages, knowing it only
// by its handle: lines are read, words selected and replaced, and the
// word placed on screen through messages alone. The window is told of the
// scan's progress with two notices it may ignore.
#include <array>

#include "framework/messages/Messages.h"
#include "spell/parsers/Parser.h"

class TWinControl;

// Sent after each word found: WParam the column, LParam the line; both -1
// when the scan reaches the end.
inline constexpr UINT WM_SPELL_PROGRESS = WM_USER + 0x1234;
// Sent when the scan leaves a line: WParam 0, LParam that line.
inline constexpr UINT WM_SPELL_LINE = WM_USER + 0x1235;

class TWinAPIEditorSpellParser : public TParser {
public:
    static constexpr int LineBufferSize = 4096;

    explicit TWinAPIEditorSpellParser(TWinControl* window);

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
    void BeginCheck() override;
    bool RemoveSpace() override;
    void GetSelectedText(String& text) override;

    TWinControl* Window = nullptr;
    int LineHeight = 13;
    int HalfPage = 0;

    // Framework of the scan, public for the line walker.
    int LineCount();
    // The text of a line, at most LineBufferSize characters.
    String FetchLine(int line);
    int LineStart(int line);
    void SendLineNotice(int line);

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void Finish();
    void Selection(int& start, int& end);
    std::array<char, LineBufferSize + 1> LineBuffer{};
    int FCachedLine = -1;
    String FCachedText;
};
