#pragma once
// Walks a caller's null-terminated character buffer, changing it in place.
// Positions are 0-based indexes. The parser knows the buffer's size, so a
// replacement that would not fit is refused instead of writing past it.
#include <cstddef>

#include "spell/parsers/Parser.h"

class TBufferParser : public TParser {
public:
    // `capacity` counts the bytes of the buffer, the terminating zero
    // included; 0 means the buffer holds exactly its text.
    explicit TBufferParser(char* buffer, std::size_t capacity = 0);

    void GetNextWord(String& word) override;
    // Raises Exception when the longer text would not fit in the buffer;
    // the buffer is then left as it was.
    void ReplaceCurrentWord(const String& newWord) override;
    void MoveToWordStart() override;
    bool RemoveSpace() override;
    void InsertSpace() override;

    char* Buffer = nullptr;
    std::size_t Capacity = 0;

private:
    String Contents() const;
};
