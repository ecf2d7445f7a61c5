#pragma once
// A word set: the tree answers "is it there", the list keeps the words in
// the order they came, for callers that need to enumerate or save them.
#include <memory>

#include "framework/classes/StringList.h"
#include "spell/store/Trie.h"

class TTrieStringList : public TTrie {
public:
    TTrieStringList();
    ~TTrieStringList() override;

    void AddValue(const String& word, Integer value) override;
    void Clear() override;
    void Add(const String& word) override;
    void Delete(const String& word) override;

    TStringList* Words() const { return FWords.get(); }

protected:
    // Position of the first entry of Words equal to `word` without regard
    // to case, or -1.
    int IndexOfWord(const String& word) const;

private:
    std::unique_ptr<TStringList> FWords;
};
