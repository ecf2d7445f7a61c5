#pragma once
// One packed word tree of a main dictionary, kept in memory as read.
// Node word: bits 0-19 child pointer, 20-22 child count (7: the count is the
// byte at the pointer), 23 end of word, 24-31 the node's character.
#include <array>

#include "framework/classes/MemoryStream.h"
#include "framework/rtl/Types.h"

class TCheckedReader;

class TSubDictionary : public TObject {
public:
    TSubDictionary();
    TSubDictionary(const TSubDictionary&) = delete;
    TSubDictionary& operator=(const TSubDictionary&) = delete;
    // Reads one record and checks every pointer and count in it, so that a
    // lookup can walk the tree without further bounds checks.
    void Load(TCheckedReader& reader);
    bool LookupWord(const String& word) const;

    TMemoryStream NodeTable;
    TMemoryStream ChildLists;
    String FirstLetters;
    std::array<Cardinal, 255> FirstNodes{};

private:
    void CheckNode(TCheckedReader& reader, Cardinal node, const char* where) const;
    Cardinal Node(Cardinal index) const;
    // Position + 1 in FirstLetters of each byte, 0 when absent.
    std::array<Byte, 256> FFirstIndex{};
    Cardinal FNodeCount = 0;
    // The blocks' memory, fixed once loaded; the walk reads through these.
    const Byte* FTable = nullptr;
    const Byte* FLists = nullptr;
    std::size_t FListSize = 0;
};
