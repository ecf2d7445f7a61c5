#pragma once
// Walks one text source word by word for the spell checker: finds the next
// word, selects and replaces it, tells where it lies on screen, and keeps
// the undo history of the check. Each kind of source has its own parser.
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/rtl/Types.h"
#include "spell/parsers/Undo.h"

class TParser;

using TUndoEvent = std::function<void(TParser* Sender, void* Source, int Action, TUndo* Undo)>;

// The characters words are made of unless the engine sets others.
inline constexpr const char* DefaultWordCharacters =
    "abcdefghijklmnopqrstuvwxyz'ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890&";

class TParser : public TObject {
public:
    explicit TParser(void* source);
    ~TParser() override;
    TParser(const TParser&) = delete;
    TParser& operator=(const TParser&) = delete;

    virtual void SetSkipHTML(bool value) { SkipHTML = value; }
    virtual void SetWordCharacters(const String& value) { WordCharacters = value; }
    virtual void FireUndoEvent(TUndo* undo, const TUndoEvent& event);
    virtual void SetCheckRange(Integer start, Integer end);
    virtual void SetCheckRangeAt(Integer start, Integer end, Integer x, Integer y);
    virtual void StartAtSelection() {}
    virtual void EndAtSelection() {}
    virtual void GetNextWord(String& word) { (void)word; }
    virtual void SelectCurrentWord() {}
    virtual void ReplaceCurrentWord(const String& newWord);
    virtual void GetControlRect(TRect& rect);
    virtual void GetWordRect(TRect& rect);
    virtual void CenterCurrentWord() {}
    virtual void MoveToWordStart() {}
    virtual void BeginCheck() {}
    virtual bool RemoveSpace();
    virtual void InsertSpace();
    virtual void GetSelectedText(String& text) { text = CurrentWord; }
    virtual void SetUndoKind(Integer kind);
    virtual void RecordReplacement(const String& newWord);
    virtual void BeforeUndoReplace(TUndo* undo) { (void)undo; }
    virtual void PushUndo();
    // The record of the stop stepped back to, owned by the caller; nullptr
    // when there is nothing to undo.
    virtual std::unique_ptr<TUndo> Undo();
    virtual bool CanUndo() const { return UndoList.size() > 1; }

    bool IsWordCharacter(char c) const;
    // The undo action code listeners get for a record's kind.
    static Byte ActionForKind(Integer kind);

    void* Source = nullptr;
    Integer Column = 1;
    Integer Line = 1;
    Integer Position = 0;
    Integer WordLength = 0;
    Integer StartPosition = 0;
    Integer EndPosition = 0;
    String CurrentWord;
    bool AtEnd = false;
    String WordCharacters = DefaultWordCharacters;
    std::vector<std::unique_ptr<TUndo>> UndoList;
    Integer MaxUndo = 20;
    bool InternalChange = false;
    bool IsInternetAddress = false;
    bool SkippedMarkup = false;
    bool SkipHTML = false;
    bool SkipInternet = true;
    bool SkipQuoted = false;
    String QuoteCharacters = ">";
    TUndoEvent OnUndoRecorded;
    TUndoEvent OnUndone;

    // The 15 characters an internet address ends at.
    static bool IsAddressDelimiter(char c);
    // The length of the internet address that begins with the word of
    // `wordLength` characters at the start of `rest`, or 0 when that word
    // begins none. An address is an e-mail address (the word followed by
    // "@", or by more of a mailbox name and then "@" and a dotted host), a
    // URL ("http:", "https:", "mailto:", and unless `httpOnly` "ftp:" and
    // "news:", in any letter case) or a "www." host name; it runs up to the
    // first delimiter.
    static std::size_t AddressLength(std::string_view rest, std::size_t wordLength, bool httpOnly);

protected:
    // The replacement of the character at Position with a space and itself.
    void ReplaceWithSpaceBefore(char c);
    // The next-word scan over one whole text whose first character is at
    // position `origin` (0 or 1). `httpOnly`: "ftp:" and "news:" start no URL.
    void ScanText(const String& text, Integer origin, bool httpOnly);
    // MoveToWordStart over one whole text, positions from `origin`.
    void MoveBackInText(const String& text, Integer origin);
};
