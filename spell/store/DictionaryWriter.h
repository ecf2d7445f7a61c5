#pragma once
// Builds ".dct" files from word lists. Each sub-dictionary is a minimised
// word graph (shared prefixes and shared endings stored once); the letters
// are ordered by how often they occur, and children by how many words lie
// below them, so that the reader's linear scans stop early.
#include <vector>

#include "framework/rtl/Types.h"

class TDictionaryWriter {
public:
    // Child lists address nodes with 16 bits, so a sub-dictionary holds at
    // most this many nodes; a lower limit is for tests.
    static constexpr std::size_t MaxNodesPerSub = 65536;

    // The file image. Empty words are dropped and duplicates kept once;
    // a word longer than 255 characters, more than 255 distinct characters
    // or more than 255 sub-dictionaries raise EConvertError.
    static String Build(const std::vector<String>& words, const String& description,
                        std::size_t maxNodes = MaxNodesPerSub);
    // Build, then write safely to `fileName`.
    static void WriteFile(const String& fileName, const std::vector<String>& words,
                          const String& description, std::size_t maxNodes = MaxNodesPerSub);
    // Number of sub-dictionaries in a file image made by Build.
    static int SubDictionaryCount(const String& image);
};
