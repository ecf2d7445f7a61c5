#include <gtest/gtest.h>

#include <set>

#include "framework/classes/StringList.h"
#include "framework/rtl/Exception.h"
#include "spell/store/Dictionary.h"
#include "spell/store/DictionaryWriter.h"
#include "SpellTestUtil.h"

namespace {

String WriteDict(const String& dir, const String& name, const std::vector<String>& words,
                 std::size_t maxNodes = TDictionaryWriter::MaxNodesPerSub) {
    const String path = PathJoin(dir, name);
    TDictionaryWriter::WriteFile(path, words, "Test words", maxNodes);
    return path;
}

// Words near a stored word that a lookup must not accept.
std::vector<String> NearMisses(const String& w) {
    std::vector<String> m{w + w.substr(w.size() - 1), w + "x", w.substr(0, w.size() - 1) + "#"};
    if (w.size() > 1) m.push_back(w.substr(0, w.size() - 1));
    return m;
}

// Pseudo-random words share little, so their graph stays large.
std::vector<String> ManyWords() {
    std::vector<String> words;
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int i = 0; i < 3000; ++i) {
        String w(1, static_cast<char>('a' + next() % 6));
        const unsigned len = 2 + next() % 8;
        for (unsigned k = 0; k < len; ++k) w += static_cast<char>('a' + next() % 26);
        words.push_back(w);
    }
    return words;
}

struct RoundTrip {
    const char* Name;
    std::vector<String> Words;
    std::size_t MaxNodes;
    int MinSubs;
};

}  // namespace

class DictionaryRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(DictionaryRoundTrip, FindsEveryWordAndNothingNear) {
    const RoundTrip& c = GetParam();
    const String path = WriteDict(ScratchDir(), "t.dct", c.Words, c.MaxNodes);
    TDictionary d(path);
    ASSERT_TRUE(d.Open());
    EXPECT_GE(static_cast<int>(d.SubDictionaries.size()), c.MinSubs);
    std::set<String> stored(c.Words.begin(), c.Words.end());
    for (const String& w : c.Words) EXPECT_TRUE(d.Lookup(w)) << w;
    for (const String& w : c.Words)
        for (const String& miss : NearMisses(w))
            if (!stored.count(miss)) {
                EXPECT_FALSE(d.Lookup(miss)) << miss;
            }
    EXPECT_FALSE(d.Lookup(""));
    // Every character used, and nothing else, makes the letter set.
    std::set<char> used;
    for (const String& w : c.Words) used.insert(w.begin(), w.end());
    EXPECT_EQ(std::set<char>(d.LetterSet.begin(), d.LetterSet.end()), used);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DictionaryRoundTrip,
    ::testing::Values(
        RoundTrip{"Empty", {}, TDictionaryWriter::MaxNodesPerSub, 0},
        RoundTrip{"OneWord", {"word"}, TDictionaryWriter::MaxNodesPerSub, 1},
        RoundTrip{"OneLetter", {"a", "I"}, TDictionaryWriter::MaxNodesPerSub, 1},
        RoundTrip{"SharedPrefixesAndSuffixes",
                  {"nation", "national", "nationally", "motion", "motions", "station", "stationary",
                   "stationery", "ration", "rational"},
                  TDictionaryWriter::MaxNodesPerSub, 1},
        // More than seven children under one node: the count lives in the list.
        RoundTrip{"WideNode",
                  {"ba", "bb", "bc", "bd", "be", "bf", "bg", "bh", "bi", "bj", "b"},
                  TDictionaryWriter::MaxNodesPerSub, 1},
        RoundTrip{"ApostrophesAndCapitals",
                  {"Aaron", "Aaron's", "aaron", "I'm", "it's", "its", "O'Neill", "NASA", "Nasa", "don't"},
                  TDictionaryWriter::MaxNodesPerSub, 1},
        // Six first letters of some 2500 nodes each: whole letters per
        // sub-dictionary, then (more parts than letters) letters cut apart.
        RoundTrip{"NeedsSubDictionaries", ManyWords(), 6000, 2},
        RoundTrip{"LetterGroupSplit", ManyWords(), 1000, 7}),
    [](const auto& info) { return String(info.param.Name); });

TEST(Dictionary, RepeatedLastLetterIsNotAWord) {
    const String path = WriteDict(ScratchDir(), "t.dct", {"house", "houses", "quickly", "a", "see"});
    TDictionary d(path);
    ASSERT_TRUE(d.Open());
    for (const char* w : {"housess", "housesss", "quicklyy", "quicklyyy", "aa", "seee", "houseee"})
        EXPECT_FALSE(d.Lookup(w)) << w;
    EXPECT_TRUE(d.Lookup("see"));
}

TEST(Dictionary, OpenIsFalseForMissingFileAndIdempotent) {
    const String dir = ScratchDir();
    TDictionary missing(PathJoin(dir, "none.dct"));
    EXPECT_FALSE(missing.Open());
    EXPECT_FALSE(missing.Opened);
    TDictionary d(WriteDict(dir, "t.dct", {"one"}));
    ASSERT_TRUE(d.Open());
    ASSERT_TRUE(d.Open());
    EXPECT_EQ(d.SubDictionaries.size(), 1u);
    d.Close();
    EXPECT_FALSE(d.Opened);
    EXPECT_FALSE(d.Lookup("one"));
}

TEST(Dictionary, DescriptionIsTheWholeHeaderField) {
    const String path = WriteDict(ScratchDir(), "t.dct", {"one"});
    EXPECT_EQ(TDictionary::ReadDescription(path), "Test words               ");
    EXPECT_EQ(TDictionary::ReadDescription(path + ".missing"), "");
}

TEST(Dictionary, SuggestionsComeFromEachPass) {
    const String path = WriteDict(ScratchDir(), "t.dct",
                                  {"the", "cat", "house", "horse", "hose", "Paris", "form", "from"});
    TDictionary d(path);
    ASSERT_TRUE(d.Open());
    struct Case {
        const char* Word;
        const char* Expected;
    };
    for (const Case c : {Case{"paris", "Paris"}, Case{"teh", "the"}, Case{"hte", "the"}, Case{"hoose", "hose"},
                         Case{"hous", "house"}, Case{"hurse", "horse"}, Case{"houuse", "house"},
                         Case{"horsexx", "horse"}, Case{"thecat", "the cat"}, Case{"form", "from"}}) {
        TStringList list;
        d.SuggestFromDictionary(c.Word, &list);
        EXPECT_GE(list.IndexOf(c.Expected), 0) << c.Word << " -> " << list.CommaText();
    }
    // A pass switched off offers nothing.
    d.SuggestionPasses = 0xFF & ~2;
    TStringList list;
    d.SuggestFromDictionary("teh", &list);
    EXPECT_EQ(list.IndexOf("the"), -1);
}

TEST(Dictionary, SuggestionLimitStopsTheSearch) {
    std::vector<String> words;
    for (char a = 'a'; a <= 'z'; ++a)
        for (char b = 'a'; b <= 'z'; ++b) words.push_back(String("x") + a + b);
    TDictionary d(WriteDict(ScratchDir(), "t.dct", words));
    ASSERT_TRUE(d.Open());
    TStringList list;
    d.SuggestFromDictionary("xqq", &list);
    EXPECT_EQ(list.Count(), 31);
    d.SuggestionLimit = 5;
    list.Clear();
    d.SuggestFromDictionary("xqq", &list);
    EXPECT_EQ(list.Count(), 6);
}

namespace {
void PutU32At(String& s, std::size_t at, Cardinal v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
}  // namespace

// Every truncation and every damaged count or pointer raises a read error
// that names the file, and leaves the dictionary closed.
TEST(Dictionary, DamagedFilesRaiseNamingTheFile) {
    const String dir = ScratchDir();
    // "ab".."aj" gives the root's first node ten children, so the file has a
    // counted child list.
    const String good = TDictionaryWriter::Build(
        {"ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "aj", "abc", "b"}, "x");
    const std::size_t body = DctBodyOffset;
    const std::size_t letters = static_cast<Byte>(good[body + 1]);
    const std::size_t sub = body + 2 + letters;
    Cardinal n = 0, d = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<Byte>(good[sub + i]);
    for (int i = 3; i >= 0; --i) d = (d << 8) | static_cast<Byte>(good[sub + 4 + i]);
    const std::size_t table = sub + 8, lists = table + 4 * n, firsts = lists + d;
    ASSERT_GT(d, 0u);

    struct Case {
        const char* Name;
        String Image;
    };
    std::vector<Case> cases;
    for (const auto& [name, cut] : std::vector<std::pair<const char*, std::size_t>>{
             {"header", 100}, {"counts", body + 1}, {"letters", body + 3}, {"record", sub + 5},
             {"nodes", table + 3}, {"lists", lists + 1}, {"firstcount", firsts},
             {"firstletters", firsts + 2}, {"firstnodes", good.size() - 1}})
        cases.push_back({name, good.substr(0, cut)});
    {
        String img = good;  // a node table far larger than the file
        PutU32At(img, sub, 0x40000000);
        cases.push_back({"hugecount", img});
    }
    {
        String img = good;  // a child list block larger than the file
        PutU32At(img, sub + 4, 0x7FFFFFFF);
        cases.push_back({"hugelists", img});
    }
    {
        String img = good;  // one more sub-dictionary than the file holds
        img[body] = static_cast<char>(2);
        cases.push_back({"subcount", img});
    }
    {
        String img = good;  // a single child past the node table
        for (std::size_t k = 0; k < n; ++k) {
            Cardinal w = 0;
            for (int i = 3; i >= 0; --i) w = (w << 8) | static_cast<Byte>(img[table + 4 * k + i]);
            if (((w >> 20) & 7) == 1) {
                PutU32At(img, table + 4 * k, (w & 0xFF800000u) | (1u << 20) | (n + 5));
                break;
            }
        }
        cases.push_back({"childpointer", img});
    }
    {
        String img = good;  // a child list index past the node table
        img[lists + 1] = static_cast<char>(0xFF);
        img[lists + 2] = static_cast<char>(0xFF);
        cases.push_back({"listindex", img});
    }
    {
        String img = good;  // a first-level node whose list runs past the block
        PutU32At(img, good.size() - 8, (7u << 20) | d | (Cardinal('a') << 24));
        cases.push_back({"firstnode", img});
    }
    for (const Case& c : cases) {
        const String path = PathJoin(dir, String(c.Name) + ".dct");
        SafeWriteFile(path, c.Image);
        TDictionary dict(path);
        try {
            dict.Open();
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const EReadError& e) {
            EXPECT_NE(String(e.what()).find(path), String::npos) << c.Name << ": " << e.what();
        }
        EXPECT_FALSE(dict.Opened) << c.Name;
        EXPECT_FALSE(dict.Lookup("ab")) << c.Name;
    }
    // The untouched image still reads.
    SafeWriteFile(PathJoin(dir, "good.dct"), good);
    TDictionary dict(PathJoin(dir, "good.dct"));
    ASSERT_TRUE(dict.Open());
    EXPECT_TRUE(dict.Lookup("aj"));
    EXPECT_TRUE(dict.Lookup("abc"));
}
