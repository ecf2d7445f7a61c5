#include <gtest/gtest.h>

#include "spell/store/TrieLookupList.h"

TEST(Trie, ShorterWordAfterLongerKeepsItsOwnValue) {
    TTrie t;
    t.AddValue("there", 7);
    t.AddValue("the", 3);
    EXPECT_TRUE(t.Find("the"));
    EXPECT_EQ(t.FoundValue, 3);
    EXPECT_TRUE(t.Find("there"));
    EXPECT_EQ(t.FoundValue, 7);
}

TEST(Trie, PrefixAndEmptyWordAreNotWords) {
    TTrie t;
    t.AddValue("the", 5);
    t.FoundValue = 42;
    EXPECT_FALSE(t.Find(""));
    EXPECT_EQ(t.FoundValue, 42);
    EXPECT_FALSE(t.Find("th"));
    EXPECT_EQ(t.FoundValue, 0);  // reached a node that ends no word
    t.FoundValue = 42;
    EXPECT_FALSE(t.Find("thee"));
    EXPECT_EQ(t.FoundValue, 42);
    EXPECT_FALSE(t.Find("The"));  // the tree is case-sensitive
}

TEST(Trie, SiblingsInAnyInsertOrderAreFound) {
    for (const auto& order : {std::vector<String>{"cat", "bat", "hat", "at", "cab"},
                              std::vector<String>{"hat", "cab", "at", "cat", "bat"}}) {
        TTrie t;
        for (const String& w : order) t.Add(w);
        for (const String& w : order) EXPECT_TRUE(t.Find(w)) << w;
        for (const char* w : {"a", "ca", "ba", "dat", "aat", "cabs"}) EXPECT_FALSE(t.Find(w)) << w;
    }
}

TEST(Trie, DeleteClearsOnlyThatWord) {
    TTrieStringList t;
    for (const char* w : {"bat", "cat", "hat"}) t.Add(w);
    t.Delete("cow");  // absent: nothing changes
    t.Delete("");
    EXPECT_EQ(t.Words()->Count(), 3);
    t.Delete("cat");
    EXPECT_FALSE(t.Find("cat"));
    EXPECT_TRUE(t.Find("bat"));
    EXPECT_TRUE(t.Find("hat"));
    EXPECT_EQ(t.Words()->Count(), 2);
    EXPECT_EQ(t.Words()->IndexOf("cat"), -1);
}

TEST(Trie, WordSetListsEachAddedWordOnce) {
    TTrieStringList t;
    t.AddValue("alpha", 1);
    t.Add("beta");
    ASSERT_EQ(t.Words()->Count(), 2);
    EXPECT_EQ(t.Words()->Get(0), "alpha");
    EXPECT_EQ(t.Words()->Get(1), "beta");
}

TEST(TrieLookupList, LaterPairForSameWordWins) {
    TTrieLookupList l;
    l.AddLookup("teh", "ten");
    l.AddLookup("teh", "the");
    ASSERT_TRUE(l.Find("teh"));
    EXPECT_EQ(l.LastReplacement(), "the");
}

TEST(TrieLookupList, ClearForgetsEverything) {
    TTrieLookupList l;
    l.AddLookup("teh", "the");
    ASSERT_TRUE(l.Find("teh"));
    l.Clear();
    EXPECT_FALSE(l.Find("teh"));
    EXPECT_EQ(l.LastReplacement(), "");
    EXPECT_EQ(l.FoundValue, -1);
    EXPECT_EQ(l.Replacements()->Count(), 0);
}

// Deleting a pair shifts the positions of later replacements; every word that
// remains must still answer with its own replacement.
TEST(TrieLookupList, DeleteKeepsOtherPairsIntact) {
    struct Case {
        const char* Deleted;
        const char* Gone;  // the spelling that must no longer be found
    };
    for (const Case c : {Case{"adn", "adn"}, Case{"teh", "teh"}, Case{"wrod", "wrod"}, Case{"TEH", "teh"}}) {
        TTrieLookupList l;
        l.AddLookup("adn", "and");
        l.AddLookup("teh", "the");
        l.AddLookup("wrod", "word");
        l.Delete(c.Deleted);
        EXPECT_FALSE(l.Find(c.Gone)) << c.Deleted;
        EXPECT_EQ(l.Words()->Count(), 2) << c.Deleted;
        EXPECT_EQ(l.Replacements()->Count(), 2) << c.Deleted;
        for (const auto& [w, r] : {std::pair<String, String>{"adn", "and"}, {"teh", "the"}, {"wrod", "word"}}) {
            if (w == c.Gone) continue;
            ASSERT_TRUE(l.Find(w)) << c.Deleted << " " << w;
            EXPECT_EQ(l.LastReplacement(), r) << c.Deleted << " " << w;
        }
    }
}
