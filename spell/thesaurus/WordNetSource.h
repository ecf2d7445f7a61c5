#pragma once
// The thesaurus the program ships, chosen from WordNet's database files
// (data.noun, index.noun ... and cntlist.rev) by how common its words are.
//
// A meaning is one WordNet sense (a synset) with its words; it is stored
// once and every word of it points to it, so every word listed as a
// synonym is a head word of the file as well. A sense that has no word of
// its own beside the head word borrows the words of the senses next to it
// (an adjective the words of its similar adjectives, a noun or verb the
// words of the senses just above and below it); borrowed words are listed
// after the sense's own and only when they are head words themselves.
//
// The format holds at most 13,107 meanings and 65,536 nodes, so the
// senses are taken in order of how common their word is (its word list
// level first, then how often WordNet's tagged texts use it) and how early
// the sense comes for that word; a word's senses keep WordNet's order,
// the most used first, across all parts of speech.
#include <cstddef>
#include <map>
#include <vector>

#include "framework/rtl/Types.h"
#include "spell/thesaurus/ThesaurusWriter.h"

class TWordNet {
public:
    struct TPointer {
        String Symbol;      // "@" hypernym, "~" hyponym, "&" similar to...
        std::size_t Target;  // synset index
    };
    struct TSynset {
        int Kind = 0;  // TThesaurusKind
        std::vector<String> Words;
        std::vector<TPointer> Pointers;
    };
    struct TSense {
        std::size_t Synset;
        int Count;  // how often the tagged texts use the word in this sense
    };

    // Reads the database files of `folder`; EReadError or EConvertError
    // when one is missing or malformed.
    void LoadFolder(const String& folder);
    // One data file and one index file of a part of speech ('n', 'v', 'a'
    // or 'r'), and the sense counts (cntlist.rev). Pointers may name
    // synsets of files not added yet: add every data file before the first
    // index file.
    void AddData(char pos, const String& text);
    void AddIndex(char pos, const String& text);
    void AddCounts(const String& text);

    const std::vector<TSynset>& Synsets() const { return FSynsets; }
    // The senses of a lower-case word, blanks between its parts, the most
    // used first across the parts of speech (within one part of speech in
    // WordNet's own order).
    std::vector<TSense> Senses(const String& word) const;
    // All the words that have senses.
    std::vector<String> Words() const;

private:
    std::vector<TSynset> FSynsets;
    std::map<std::pair<char, String>, std::size_t> FByOffset;  // (pos, offset) -> synset
    std::map<std::pair<char, String>, std::vector<std::size_t>> FIndex;  // (pos, lemma) -> synsets
    std::map<std::pair<std::pair<char, String>, int>, int> FCounts;  // ((pos, lemma), sense number) -> count
    std::vector<std::pair<std::size_t, std::pair<char, String>>> FPendingPointers;
};

struct TThesaurusChoice {
    std::vector<TThesaurusEntry> Entries;  // the head words, in byte order
    std::size_t Meanings = 0;
    std::size_t Nodes = 0;
    String Image;  // the file
};

class TWordNetThesaurus {
public:
    // Word list levels (10 the most common .. 95 the rarest): `levels`
    // maps a word to the lowest level that lists it. Words above
    // `maxLevel` lead to no sense of their own.
    static TThesaurusChoice Choose(const TWordNet& wordNet, const std::map<String, int>& levels,
                                   int maxLevel = 50);
    // How many senses a word of a level may bring in.
    static std::size_t SensesForLevel(int level);
};
