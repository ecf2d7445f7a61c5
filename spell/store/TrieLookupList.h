#pragma once
// A word-to-replacement map. The value stored with each word is the
// position of its replacement; Words and Replacements stay parallel.
#include <memory>

#include "spell/store/TrieStringList.h"

class TTrieLookupList : public TTrieStringList {
public:
    TTrieLookupList();
    ~TTrieLookupList() override;

    void Clear() override;
    void Delete(const String& word) override;

    void AddLookup(const String& word, const String& replacement);
    // The replacement of the word found by the last successful Find.
    String LastReplacement() const;

    TStringList* Replacements() const { return FReplacements.get(); }

private:
    std::unique_ptr<TStringList> FReplacements;
};
