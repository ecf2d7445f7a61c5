#pragma once
// A main dictionary: one read-only ".dct" file of packed word trees.
#include <memory>
#include <vector>

#include "spell/store/SubDictionary.h"

class TStrings;

// Offsets of the fields of a ".dct" header that the reader looks at.
inline constexpr int DctDescriptionOffset = 88;
inline constexpr int DctDescriptionSize = 25;
inline constexpr int DctBodyOffset = 278;

class TDictionary : public TObject {
public:
    explicit TDictionary(const String& fileName);
    ~TDictionary() override;
    TDictionary(const TDictionary&) = delete;
    TDictionary& operator=(const TDictionary&) = delete;

    // False when the file does not exist; a damaged file raises EReadError
    // naming it and leaves the dictionary closed.
    bool Open();
    void Close();
    bool Lookup(const String& word) const;
    // Adds the words within one edit of `word` that the dictionary holds.
    void SuggestFromDictionary(const String& word, TStrings* list) const;

    // The 25-character description of a dictionary file's header; empty when
    // the file is missing or too short to hold one.
    static String ReadDescription(const String& fileName);

    String LetterSet;
    bool Opened = false;
    Byte SuggestionPasses = 0xFF;
    Integer SuggestionLimit = 30;
    String FileName;
    std::vector<std::unique_ptr<TSubDictionary>> SubDictionaries;
};
