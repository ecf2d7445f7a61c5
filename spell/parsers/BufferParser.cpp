#include "spell/parsers/BufferParser.h"

#include <cstring>

#include "framework/rtl/Exception.h"

TBufferParser::TBufferParser(char* buffer, std::size_t capacity) : TParser(buffer), Buffer(buffer) {
    const std::size_t len = Buffer ? std::strlen(Buffer) : 0;
    Capacity = capacity ? capacity : len + 1;
    EndPosition = static_cast<Integer>(len) - 1;
}

String TBufferParser::Contents() const { return Buffer ? String(Buffer) : String(); }

void TBufferParser::GetNextWord(String& word) {
    ScanText(Contents(), 0, true);
    if (!AtEnd) word = CurrentWord;
}

void TBufferParser::ReplaceCurrentWord(const String& newWord) {
    if (!Buffer) return;
    String text = Contents();
    const auto at = static_cast<std::size_t>(std::max<Integer>(Position, 0));
    if (at > text.size()) return;
    text.replace(at, static_cast<std::size_t>(std::max<Integer>(WordLength, 0)), newWord);
    if (text.size() + 1 > Capacity)
        throw Exception("The corrected text does not fit in the buffer being checked");
    TParser::ReplaceCurrentWord(newWord);
    std::memcpy(Buffer, text.c_str(), text.size() + 1);
    WordLength = static_cast<Integer>(newWord.size());
}

void TBufferParser::MoveToWordStart() { MoveBackInText(Contents(), 0); }

bool TBufferParser::RemoveSpace() {
    const String text = Contents();
    if (Position < 0 || Position >= static_cast<Integer>(text.size()) || text[Position] != ' ') return false;
    return TParser::RemoveSpace();
}

void TBufferParser::InsertSpace() {
    const String text = Contents();
    if (Position < 0 || Position >= static_cast<Integer>(text.size())) {
        const bool old = InternalChange;
        InternalChange = true;
        WordLength = 0;
        ReplaceCurrentWord(" ");
        InternalChange = old;
        return;
    }
    ReplaceWithSpaceBefore(text[Position]);
}
