#pragma once
// A character tree of words, each with a 32-bit value. Siblings stand in
// ascending byte order, so the tree is case-sensitive and a lookup gives up
// as soon as it passes the character it wants.
#include "framework/rtl/Types.h"

struct TTrieNode {
    Byte Ch = 0;
    Byte IsWord = 0;
    TTrieNode* Child = nullptr;
    TTrieNode* Sibling = nullptr;
    Integer Value = 0;
};

class TTrie : public TObject {
public:
    TTrie();
    ~TTrie() override;
    TTrie(const TTrie&) = delete;
    TTrie& operator=(const TTrie&) = delete;

    virtual void AddValue(const String& word, Integer value);
    virtual void Clear();
    virtual void Add(const String& word);
    virtual void Delete(const String& word);
    virtual bool Find(const String& word);

    TTrieNode* Root() const { return FRoot; }
    Integer CurrentValue = 0;
    Integer FoundValue = -1;

protected:
    // The node where `word` ends, or nullptr when the path leaves the tree.
    TTrieNode* EndNode(const String& word) const;
    static void FreeNodes(TTrieNode* node);

private:
    TTrieNode* FRoot = nullptr;
};
