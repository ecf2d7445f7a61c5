#include "spell/store/Trie.h"

#include <vector>

TTrie::TTrie() : FRoot(new TTrieNode) {}

TTrie::~TTrie() { FreeNodes(FRoot); }

// Iterative, so that a long word cannot exhaust the stack.
void TTrie::FreeNodes(TTrieNode* node) {
    std::vector<TTrieNode*> pending;
    if (node) pending.push_back(node);
    while (!pending.empty()) {
        TTrieNode* n = pending.back();
        pending.pop_back();
        if (n->Child) pending.push_back(n->Child);
        if (n->Sibling) pending.push_back(n->Sibling);
        delete n;
    }
}

void TTrie::AddValue(const String& word, Integer value) {
    CurrentValue = value;
    Add(word);
}

void TTrie::Clear() {
    FreeNodes(FRoot);
    FRoot = new TTrieNode;
    FoundValue = -1;
}

void TTrie::Add(const String& word) {
    if (word.empty()) return;
    TTrieNode* node = FRoot;
    for (char ch : word) {
        const Byte c = static_cast<Byte>(ch);
        TTrieNode* next = nullptr;
        if (!node->Child || c < node->Child->Ch) {
            next = new TTrieNode;
            next->Ch = c;
            next->Sibling = node->Child;
            node->Child = next;
        } else {
            TTrieNode* prev = nullptr;
            TTrieNode* walk = node->Child;
            while (walk && c > walk->Ch) {
                prev = walk;
                walk = walk->Sibling;
            }
            if (walk && walk->Ch == c) {
                next = walk;
            } else {
                next = new TTrieNode;
                next->Ch = c;
                next->Sibling = walk;
                prev->Sibling = next;
            }
        }
        node = next;
    }
    node->IsWord = 1;
    node->Value = CurrentValue;
}

TTrieNode* TTrie::EndNode(const String& word) const {
    if (word.empty()) return nullptr;
    TTrieNode* node = FRoot->Child;
    std::size_t i = 0;
    while (node) {
        const Byte c = static_cast<Byte>(word[i]);
        if (node->Ch == c) {
            if (++i == word.size()) return node;
            node = node->Child;
        } else if (node->Ch > c) {
            return nullptr;
        } else {
            node = node->Sibling;
        }
    }
    return nullptr;
}

void TTrie::Delete(const String& word) {
    if (TTrieNode* node = EndNode(word)) node->IsWord = 0;
}

bool TTrie::Find(const String& word) {
    TTrieNode* node = EndNode(word);
    if (!node) return false;
    FoundValue = node->Value;
    return node->IsWord != 0;
}
