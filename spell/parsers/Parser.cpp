#include "spell/parsers/Parser.h"

#include <cstring>

#include "framework/rtl/StrUtils.h"

TParser::TParser(void* source) : Source(source) {}

TParser::~TParser() = default;

bool TParser::IsWordCharacter(char c) const {
    return c != '\0' && WordCharacters.find(c) != String::npos;
}

Byte TParser::ActionForKind(Integer kind) {
    switch (kind) {
    case 4: return 0;
    case 5:
    case 105: return 2;
    case 6: return 3;
    case 7: return 4;
    case 8: return 5;
    case 9: return 6;
    default: return 1;
    }
}

void TParser::FireUndoEvent(TUndo* undo, const TUndoEvent& event) {
    if (!event || UndoList.empty() || !undo) return;
    undo->Action = ActionForKind(undo->Kind);
    event(this, Source, undo->Action, undo);
}

void TParser::SetCheckRange(Integer start, Integer end) {
    StartPosition = start;
    Position = start;
    EndPosition = end;
    MoveToWordStart();
}

void TParser::SetCheckRangeAt(Integer start, Integer end, Integer x, Integer y) {
    (void)x;
    (void)y;
    SetCheckRange(start, end);
}

void TParser::ReplaceCurrentWord(const String& newWord) {
    EndPosition += static_cast<Integer>(newWord.size()) - WordLength;
    RecordReplacement(newWord);
}

void TParser::GetControlRect(TRect& rect) {
    rect = TRect{};
    rect.Left = -1;
}

void TParser::GetWordRect(TRect& rect) {
    rect = TRect{};
    rect.Left = -1;
}

namespace {
// Sets InternalChange for a change the parser makes on its own behalf, so
// that it is not taken for the user's replacement.
class TInternalChange {
public:
    explicit TInternalChange(TParser& p) : FParser(p), FOld(p.InternalChange) { p.InternalChange = true; }
    ~TInternalChange() { FParser.InternalChange = FOld; }

private:
    TParser& FParser;
    bool FOld;
};
}  // namespace

// The range end moves with the text through ReplaceCurrentWord alone: moving
// it here as well would shift a selection check's end by two per space.
bool TParser::RemoveSpace() {
    WordLength = 1;
    TInternalChange guard(*this);
    SelectCurrentWord();
    ReplaceCurrentWord(String());
    return true;
}

void TParser::InsertSpace() {
    WordLength = 1;
    TInternalChange guard(*this);
    SelectCurrentWord();
    String selected;
    GetSelectedText(selected);
    ReplaceCurrentWord(" " + selected);
}

void TParser::ReplaceWithSpaceBefore(char c) {
    WordLength = 1;
    TInternalChange guard(*this);
    SelectCurrentWord();
    ReplaceCurrentWord(String(" ") + c);
}

void TParser::SetUndoKind(Integer kind) {
    if (UndoList.empty()) return;
    UndoList.back()->Kind = kind;
    if (OnUndoRecorded) FireUndoEvent(UndoList.back().get(), OnUndoRecorded);
}

void TParser::RecordReplacement(const String& newWord) {
    if (InternalChange || UndoList.empty()) return;
    UndoList.back()->WordBefore = CurrentWord;
    UndoList.back()->WordAfter = newWord;
}

void TParser::PushUndo() {
    auto u = std::make_unique<TUndo>();
    u->SavedColumn = Column;
    u->SavedLine = Line;
    u->SavedPosition = Position;
    u->SavedWordLength = WordLength;
    u->WordBefore = CurrentWord;
    u->WordAfter = CurrentWord;
    UndoList.push_back(std::move(u));
    while (static_cast<Integer>(UndoList.size()) > MaxUndo && !UndoList.empty()) UndoList.erase(UndoList.begin());
}

std::unique_ptr<TUndo> TParser::Undo() {
    if (!CanUndo()) return nullptr;
    UndoList.pop_back();  // the stop on screen now
    std::unique_ptr<TUndo> r = std::move(UndoList.back());
    UndoList.pop_back();
    Column = r->SavedColumn;
    Line = r->SavedLine;
    Position = r->SavedPosition;
    WordLength = 0;
    if (r->Kind == 5) InsertSpace();
    if (r->Kind == 105) {
        InsertSpace();
        InsertSpace();
    }
    if (r->WordAfter != r->WordBefore) {
        WordLength = static_cast<Integer>(r->WordAfter.size());
        {
            TInternalChange guard(*this);
            BeforeUndoReplace(r.get());
            SelectCurrentWord();
            ReplaceCurrentWord(r->WordBefore);
        }
        WordLength = 0;
    }
    FireUndoEvent(r.get(), OnUndone);
    if (r->Kind == 12 && !UndoList.empty()) {
        UndoList.push_back(std::move(r));
        return Undo();
    }
    return r;
}

bool TParser::IsAddressDelimiter(char c) {
    return c == '\r' || c == '\n' || c == '\t' || c == ' ' || std::strchr("\"()[]{},<>'", c) != nullptr;
}

namespace {
bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The signs a mailbox name may hold besides letters and digits.
bool IsMailboxSign(char c) { return c != 0 && std::strchr("._%+-", c) != nullptr; }

// Whether `rest` from `at` on holds the rest of a mailbox name, "@" and a
// host name with at least one dot ("smith@example.org" after "john.").
bool MailboxFollows(std::string_view rest, std::size_t at) {
    while (at < rest.size() && (IsAsciiAlnum(rest[at]) || IsMailboxSign(rest[at]))) ++at;
    if (at >= rest.size() || rest[at] != '@') return false;
    bool label = false, dotted = false;
    for (++at; at < rest.size() && (IsAsciiAlnum(rest[at]) || rest[at] == '-' || rest[at] == '.'); ++at) {
        if (rest[at] == '.') {
            if (!label) return false;
            dotted = true;
            label = false;
        } else {
            label = true;
        }
    }
    return dotted && label;
}
}  // namespace

std::size_t TParser::AddressLength(std::string_view rest, std::size_t wordLength, bool httpOnly) {
    if (wordLength == 0 || wordLength >= rest.size()) return 0;
    const String word = LowerCase(String(rest.substr(0, wordLength)));
    const char next = rest[wordLength];
    bool address = false;
    if (next == '@') {
        address = true;
    } else if (next == ':') {
        address = word == "http" || word == "https" || word == "mailto" ||
                  (!httpOnly && (word == "ftp" || word == "news"));
    } else if (next == '.' && word == "www") {
        address = wordLength + 1 < rest.size() && !IsAddressDelimiter(rest[wordLength + 1]);
    }
    if (!address && IsMailboxSign(next)) address = MailboxFollows(rest, wordLength);
    if (!address) return 0;
    std::size_t n = wordLength;
    while (n < rest.size() && !IsAddressDelimiter(rest[n])) ++n;
    return n;
}

void TParser::ScanText(const String& text, Integer origin, bool httpOnly) {
    IsInternetAddress = false;
    SkippedMarkup = false;
    if (Position < origin) Position = origin;  // a caret before the first character
    Position += WordLength;
    const Integer last = static_cast<Integer>(text.size()) - 1 + origin;
    const auto at = [&](Integer p) { return text[static_cast<std::size_t>(p - origin)]; };
    while (Position <= last && Position <= EndPosition) {
        const char c = at(Position);
        if (IsWordCharacter(c)) break;
        if (SkipHTML && c == '<') {
            SkippedMarkup = true;
            while (Position <= last && at(Position) != '>') ++Position;
        }
        ++Position;
    }
    if (Position > last || Position > EndPosition) {
        AtEnd = true;
        return;
    }
    WordLength = 1;
    while (Position + WordLength <= last && IsWordCharacter(at(Position + WordLength))) ++WordLength;
    if (SkipInternet) {
        const std::string_view rest = std::string_view(text).substr(static_cast<std::size_t>(Position - origin));
        if (const std::size_t n = AddressLength(rest, static_cast<std::size_t>(WordLength), httpOnly)) {
            WordLength = static_cast<Integer>(n);
            IsInternetAddress = true;
            SkippedMarkup = true;
        }
    }
    CurrentWord = text.substr(static_cast<std::size_t>(Position - origin), static_cast<std::size_t>(WordLength));
}

void TParser::MoveBackInText(const String& text, Integer origin) {
    const Integer last = static_cast<Integer>(text.size()) - 1 + origin;
    const auto at = [&](Integer p) { return text[static_cast<std::size_t>(p - origin)]; };
    while (Position >= origin + 1 && Position <= last && IsWordCharacter(at(Position))) --Position;
    if (Position >= origin + 1) ++Position;
}
