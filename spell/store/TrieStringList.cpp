#include "spell/store/TrieStringList.h"

#include "framework/rtl/StrUtils.h"

TTrieStringList::TTrieStringList() : FWords(std::make_unique<TStringList>()) {
    FWords->Duplicates = dupAccept;
}

TTrieStringList::~TTrieStringList() = default;

void TTrieStringList::AddValue(const String& word, Integer value) {
    // The base stores the value and calls our Add, which lists the word once.
    TTrie::AddValue(word, value);
}

void TTrieStringList::Clear() {
    FWords->Clear();
    TTrie::Clear();
}

void TTrieStringList::Add(const String& word) {
    FWords->Add(word);
    TTrie::Add(word);
}

int TTrieStringList::IndexOfWord(const String& word) const {
    for (int i = 0; i < FWords->Count(); ++i)
        if (AnsiSameText(FWords->Get(i), word)) return i;
    return -1;
}

void TTrieStringList::Delete(const String& word) {
    const int i = IndexOfWord(word);
    if (i >= 0) FWords->Delete(i);
    TTrie::Delete(word);
}
