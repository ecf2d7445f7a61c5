#include <gtest/gtest.h>

#include <algorithm>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/thesaurus/Thesaurus.h"
#include "spell/thesaurus/WordNetSource.h"

#include "support/TempDir.h"

namespace {

// A few senses in WordNet's own format: a sense shared by two words, a
// word whose verb sense is used more than its noun sense, a noun with no
// synonym of its own, an adjective with similar ones, a sense with only a
// capitalised word.
const char* const NounData =
    "  1 This software and database is being provided to you\n"
    "00000001 04 n 02 problem 0 job 0 001 @ 00000003 n 0000 | a state of difficulty that needs to be resolved\n"
    "00000002 21 n 01 money 0 002 @ 00000004 n 0000 ~ 00000005 n 0000 | the most common medium of exchange\n"
    "00000003 26 n 01 difficulty 0 001 ~ 00000001 n 0000 | a condition that is hard to deal with\n"
    "00000004 21 n 02 medium_of_exchange 0 monetary_system 0 000 | anything used as a measure of value\n"
    "00000005 21 n 02 cash 0 hard_cash 0 000 | money in the form of bills or coins\n"
    "00000006 18 n 02 Mars 0 god_of_war 0 000 | the god of war\n"
    "00000007 04 n 02 run 0 tally 0 000 | a score in baseball\n";
const char* const VerbData =
    "00000010 31 v 02 decide 0 determine 0 000 | reach, make, or come to a decision\n"
    "00000011 41 v 01 job 0 000 | work occasionally\n"
    "00000012 38 v 02 run 0 operate 0 000 | move fast by using one's feet\n";
const char* const AdjData =
    "00000020 00 a 01 beautiful 0 002 & 00000021 a 0000 & 00000022 a 0000 | delighting the senses\n"
    "00000021 00 s 01 gorgeous 0 001 & 00000020 a 0000 | dazzlingly beautiful\n"
    "00000022 00 s 02 bonny 0 comely(a) 0 001 & 00000020 a 0000 | very pleasing to the eye\n";
const char* const NounIndex =
    "problem n 1 1 @ 1 1 00000001\n"
    "job n 1 1 @ 1 1 00000001\n"
    "money n 1 2 @ ~ 1 1 00000002\n"
    "difficulty n 1 1 ~ 1 0 00000003\n"
    "medium_of_exchange n 1 0 1 0 00000004\n"
    "monetary_system n 1 0 1 0 00000004\n"
    "cash n 1 0 1 0 00000005\n"
    "hard_cash n 1 0 1 0 00000005\n"
    "god_of_war n 1 0 1 0 00000006\n"
    "run n 1 0 1 1 00000007\n"
    "tally n 1 0 1 0 00000007\n";
const char* const VerbIndex =
    "decide v 1 0 1 1 00000010\n"
    "determine v 1 0 1 0 00000010\n"
    "job v 1 0 1 1 00000011\n"
    "run v 1 0 1 1 00000012\n"
    "operate v 1 0 1 0 00000012\n";
const char* const AdjIndex =
    "beautiful a 1 1 & 1 1 00000020\n"
    "gorgeous a 1 1 & 1 0 00000021\n"
    "bonny a 1 1 & 1 0 00000022\n"
    "comely a 1 1 & 1 0 00000022\n";
const char* const Counts =
    "problem%1:04:00:: 1 30\n"
    "job%1:04:00:: 1 5\n"
    "job%2:41:00:: 1 20\n"
    "run%1:04:00:: 1 2\n"
    "run%2:38:00:: 1 9\n";

TWordNet Small() {
    TWordNet wn;
    wn.AddData('n', NounData);
    wn.AddData('v', VerbData);
    wn.AddData('a', AdjData);
    wn.AddIndex('n', NounIndex);
    wn.AddIndex('v', VerbIndex);
    wn.AddIndex('a', AdjIndex);
    wn.AddCounts(Counts);
    return wn;
}

TThesaurus* Loaded(const String& image, const String& name) {
    const String path = PathJoin(ScratchDir(), name);
    SafeWriteFile(path, image);
    auto* t = new TThesaurus(nullptr);
    t->LoadFromFile(path);
    return t;
}

std::vector<String> Captions(const std::vector<TThesaurusMeaning>& ms) {
    std::vector<String> out;
    for (const auto& m : ms) out.push_back(m.Caption());
    return out;
}

const std::vector<String>& Listed(const TThesaurusMeaning& m) {
    return m.Synonyms[m.Kind == tkContext ? 0 : m.Kind - 1];
}

}  // namespace

TEST(WordNetThesaurus, SharesEachSenseAmongItsWords) {
    const std::map<String, int> levels = {{"problem", 10}, {"money", 10}, {"decide", 10}, {"run", 10},
                                          {"beautiful", 20}, {"job", 20}, {"cash", 35}, {"gorgeous", 50},
                                          {"god of war", 10}, {"difficulty", 95}};
    const TThesaurusChoice c = TWordNetThesaurus::Choose(Small(), levels);
    std::unique_ptr<TThesaurus> t(Loaded(c.Image, "small-wordnet.thr"));
    struct Case {
        const char* Word;
        std::vector<String> Captions;
        std::vector<String> First;  // the words of its first meaning
    };
    const Case cases[] = {
        {"problem", {"problem  (Noun)"}, {"problem", "job"}},
        // The verb sense of "job" offers no synonym: only the shared one stays.
        {"job", {"problem  (Noun)"}, {"problem", "job"}},
        {"decide", {"decide  (Verb)"}, {"decide", "determine"}},
        {"determine", {"decide  (Verb)"}, {"decide", "determine"}},
        // The sense used most comes first, whatever its part of speech.
        {"run", {"run  (Verb)", "run  (Noun)"}, {"run", "operate"}},
        // Borrowed words are kept only when they are head words: "cash"
        // and "hard cash" are, "medium of exchange" is not.
        {"money", {"money  (Noun)"}, {"money", "cash", "hard cash"}},
        {"hard cash", {"cash  (Noun)"}, {"cash", "hard cash"}},
        // Similar adjectives, only those that are head words.
        {"beautiful", {"beautiful  (Adj.)"}, {"beautiful", "gorgeous"}},
        {"gorgeous", {"gorgeous  (Adj.)"}, {"gorgeous", "beautiful"}},
    };
    for (const Case& k : cases) {
        const auto ms = t->Meanings(k.Word);
        EXPECT_EQ(Captions(ms), k.Captions) << k.Word;
        if (!ms.empty()) {
            EXPECT_EQ(Listed(ms[0]), k.First) << k.Word;
        }
    }
    for (const char* absent : {"difficulty", "medium of exchange", "bonny", "comely", "god of war", "Mars"}) {
        int node = -1;
        EXPECT_FALSE(t->FindWord(absent, node)) << absent;
    }
    EXPECT_EQ(c.Meanings, 8u);
    EXPECT_EQ(c.Entries.size(), 12u);
}

TEST(WordNetThesaurus, MalformedDatabaseLinesAreErrors) {
    for (const char* line : {"00000001 04 n 03 problem 0 job 0 000 | too few words",
                             "00000001 04 n zz problem 0 000 | no word count",
                             "00000001 04 n 01 problem 0 002 @ 00000003 n 0000 | too few pointers"}) {
        TWordNet wn;
        EXPECT_THROW(wn.AddData('n', line), EConvertError) << line;
    }
    TWordNet wn;
    wn.AddData('n', "00000001 04 n 01 problem 0 001 @ 00000009 n 0000 | points nowhere\n");
    EXPECT_THROW(wn.AddIndex('n', ""), EConvertError);
    TWordNet wn2;
    wn2.AddData('n', NounData);
    EXPECT_THROW(wn2.AddIndex('n', "problem n 2 0 1 1 00000001\n"), EConvertError);
    EXPECT_THROW(wn2.AddIndex('n', "problem n 1 0 1 1 00000099\n"), EConvertError);
    EXPECT_THROW(wn2.AddCounts("problem 1 30\n"), EConvertError);
}

// More senses than the format holds: the most common words' senses are
// kept, up to the limit, and the file reads back.
TEST(WordNetThesaurus, KeepsTheMostCommonWithinTheLimits) {
    String data, index;
    std::map<String, int> levels;
    const int synsets = 14000;
    for (int i = 0; i < synsets; ++i) {
        const String n = IntToStr(i), offset = String(8 - n.size(), '0') + n;
        const String a = "a" + n, b = "b" + n;
        data += offset + " 04 n 02 " + a + " 0 " + b + " 0 000 | sense " + n + "\n";
        index += a + " n 1 0 1 0 " + offset + "\n" + b + " n 1 0 1 0 " + offset + "\n";
        levels[a] = i < synsets / 2 ? 10 : 20;
    }
    TWordNet wn;
    wn.AddData('n', data);
    wn.AddIndex('n', index);
    const TThesaurusChoice c = TWordNetThesaurus::Choose(wn, levels);
    EXPECT_LE(c.Meanings, TThesaurusWriter::MaxRecords);
    EXPECT_LE(c.Nodes, TThesaurusWriter::MaxNodes);
    // One limit or the other is reached.
    EXPECT_TRUE(c.Meanings == TThesaurusWriter::MaxRecords || c.Nodes > TThesaurusWriter::MaxNodes - 16);
    std::unique_ptr<TThesaurus> t(Loaded(c.Image, "limits.thr"));
    EXPECT_EQ(Captions(t->Meanings("b0")), std::vector<String>{"a0  (Noun)"});
    // The words of one level come in byte order: "a9999" is the last.
    EXPECT_TRUE(t->Meanings("a9999").empty());
}

// The thesaurus the build makes: the words people look up every day have
// synonyms, and every synonym can be looked up in its turn.
TEST(RealThesaurus, EverydayWordsHaveSynonyms) {
    const String thr = PathJoin(VELMOR_BIN_DIR, "drelmont.thr");
    if (!FileExists(thr)) GTEST_SKIP() << thr << " has not been built";
    TThesaurus t(nullptr);
    t.LoadFromFile(thr);
    for (const char* word :
         {"important", "beautiful", "explain", "problem", "decide", "always", "city", "money", "happy", "big",
          "small", "quick", "begin", "help", "house", "child", "answer", "believe", "often", "strong", "buy",
          "easy", "friend", "work", "change", "idea", "show", "think", "good", "bad", "new", "old", "job",
          "people", "place", "question", "result", "simple", "difficult", "quiet", "angry", "clean", "fast",
          "usually", "finally", "enough", "never", "rich", "tell", "walk"}) {
        const auto meanings = t.Meanings(word);
        ASSERT_FALSE(meanings.empty()) << word;
        bool synonym = false;
        for (const auto& m : meanings) {
            for (const String& s : Listed(m)) {
                if (s != word) synonym = true;
                EXPECT_FALSE(t.Meanings(s).empty()) << word << ": " << s << " is no head word";
            }
        }
        EXPECT_TRUE(synonym) << word;
    }
    // The most used sense first.
    const auto city = t.Meanings("city");
    ASSERT_FALSE(city.empty());
    const auto& first = Listed(city[0]);
    EXPECT_NE(std::find(first.begin(), first.end(), "metropolis"), first.end());
}
