#include "spell/store/TrieLookupList.h"

#include <vector>

TTrieLookupList::TTrieLookupList() : FReplacements(std::make_unique<TStringList>()) {
    FReplacements->Duplicates = dupAccept;
}

TTrieLookupList::~TTrieLookupList() = default;

void TTrieLookupList::Clear() {
    TTrieStringList::Clear();
    FReplacements->Clear();
}

void TTrieLookupList::AddLookup(const String& word, const String& replacement) {
    const int index = FReplacements->Add(replacement);
    AddValue(word, index);
}

String TTrieLookupList::LastReplacement() const {
    if (FoundValue >= 0 && FoundValue < FReplacements->Count())
        return FReplacements->Get(FoundValue);
    return String();
}

void TTrieLookupList::Delete(const String& word) {
    const int index = IndexOfWord(word);
    if (index < 0) {
        TTrieStringList::Delete(word);
        return;
    }
    // The list may hold the word in another letter case than the caller's;
    // that spelling is the one the tree holds for this entry.
    const String stored = Words()->Get(index);
    FReplacements->Delete(index);
    TTrieStringList::Delete(word);
    if (stored != word) TTrie::Delete(stored);
    // Values are positions in Replacements: every position after the removed
    // one moved down by one, so the words stored with them must follow, or
    // they would answer with their neighbour's replacement.
    std::vector<TTrieNode*> pending;
    if (Root()->Child) pending.push_back(Root()->Child);
    while (!pending.empty()) {
        TTrieNode* n = pending.back();
        pending.pop_back();
        if (n->Value > index) --n->Value;
        if (n->Child) pending.push_back(n->Child);
        if (n->Sibling) pending.push_back(n->Sibling);
    }
    if (FoundValue > index) --FoundValue;
}
