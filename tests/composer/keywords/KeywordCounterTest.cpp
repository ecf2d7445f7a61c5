// Counting, ranking and merging of keywords, apart from any window.
#include <gtest/gtest.h>

#include "composer/engine/KeywordCounter.h"

namespace {

using Words = std::vector<String>;

// "word:count" per row, highest count first.
Words Rows(const TWordCount& c) {
    Words v;
    for (const TKeywordRow& r : c.Rows) v.push_back(r.Word + ":" + std::to_string(r.Count));
    return v;
}

struct CountCase {
    const char* Name;
    const char* Text;
    Words Noise;
    Words Chosen;
    Words Expected;
    int Filtered;
};

const CountCase CountCases[] = {
    {"the first form met, cleaned, names the row", "Dog. x dog", {}, {}, {"Dog:2", "x:1"}, 3},
    {"a word repeated with its full stop is one word", "end. end. end.", {}, {}, {"end:3"}, 3},
    {"noise words go whatever their case and punctuation", "The cat, THE (the) cat.", {"the"}, {},
     {"cat:2"}, 2},
    {"chosen words are never listed", "web Web page", {}, {"WEB"}, {"page:1"}, 1},
    {"commas and blanks part words; a quoted word keeps its blanks",
     "alpha,beta  \"new york\"\r\ngamma", {}, {}, {"new york:1", "gamma:1", "beta:1", "alpha:1"}, 4},
    {"a word needs a letter or a digit, of any script", "... ( ) ' \"\" | - &- word 2000 \xC3\xA9t\xC3\xA9 \xC3\xA9t\xC3\xA9",
     {}, {}, {"\xC3\xA9t\xC3\xA9:2", "word:1", "2000:1"}, 4},
    {"equal counts: words descending, letter case ignored", "apple Banana cherry", {}, {},
     {"cherry:1", "Banana:1", "apple:1"}, 3},
    {"letters beyond ASCII are letters and fold their case; a dash or no-break space parts words",
     "L\xC3\xADnguas L\xC3\x8DNGUAS l\xC3\xADnguas\xE2\x80\x94" "fim a\xC2\xA0" "b", {}, {},
     {"L\xC3\xADnguas:3", "fim:1", "b:1", "a:1"}, 6},
    {"runs of = fold to one", "a==b a=b", {}, {}, {"a=b:2"}, 2},
    {"a point inside a number stays; one that ends a word or sentence goes",
     "Version 2.4. Apache 2.4 and 24 (1.3.27) v.2 .5", {}, {},
     {"2.4:2", "Version:1", "v2:1", "Apache:1", "and:1", "5:1", "24:1", "1.3.27:1"}, 9},
    {"single letters are words", "a b a I", {}, {}, {"a:2", "I:1", "b:1"}, 4},
    {"nothing but noise", "the and of", {"THE", "And", "of"}, {}, {}, 0},
};

class CountWords : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountWords, RowsAndDivisor) {
    const CountCase& c = GetParam();
    const TWordCount count = TKeywordCounter::CountWords(c.Text, c.Noise, c.Chosen);
    EXPECT_EQ(Rows(count), c.Expected) << c.Name;
    EXPECT_EQ(count.FilteredWordCount, c.Filtered) << c.Name;
    EXPECT_EQ(static_cast<int>(count.Words.size()), c.Filtered) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Keywords, CountWords, ::testing::ValuesIn(CountCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(KeywordShares, ThreeDecimalsOfTheFilteredWords) {
    String text;
    for (int i = 0; i < 3; ++i) text += "meta ";
    for (int i = 0; i < 69; ++i) text += "w" + std::to_string(i) + " ";
    const TWordCount count = TKeywordCounter::CountWords(text, {}, {});
    ASSERT_EQ(count.FilteredWordCount, 72);
    EXPECT_EQ(count.Rows[0].Word, "meta");
    EXPECT_EQ(count.Rows[0].Share, "4.167");
    EXPECT_EQ(TKeywordCounter::ShareText(1, 0), "");
}

TEST(KeywordTopRows, CountLimitsTheRows) {
    const TWordCount count = TKeywordCounter::CountWords("a a a b b c", {}, {});
    EXPECT_TRUE(TKeywordCounter::TopRows(count, 0).empty());
    ASSERT_EQ(TKeywordCounter::TopRows(count, 2).size(), 2u);
    EXPECT_EQ(TKeywordCounter::TopRows(count, 2)[1].Word, "b");
    EXPECT_EQ(TKeywordCounter::TopRows(count, 300).size(), 3u);
}

struct SpanCase {
    const char* Name;
    const char* Page;
    int Length;  // the body-check length passed in
    TBodySpanResult Result;
    const char* Span;
    int LengthAfter;
};

const SpanCase SpanCases[] = {
    {"whole span shorter than the limit lowers it", "<html><head></head><Body>ab</BODY></html>", 5000,
     bsFound, "<Body>ab</BODY>", 15},
    {"span cut at the limit", "<html><body>abcdef</body>", 9, bsFound, "<body>abc", 9},
    {"frameset when there is no body", "<head></head><frameset><frame></FRAMESET>", 100, bsFound,
     "<frameset><frame></FRAMESET>", 28},
    {"no opening tag", "<html><p>text</p></html>", 100, bsNoOpeningTag, "", 100},
    {"no closing tag after the opening one", "</body><body>text", 100, bsNoClosingTag, "", 100},
};

class BodySpan : public ::testing::TestWithParam<SpanCase> {};

TEST_P(BodySpan, CutAndLimit) {
    const SpanCase& c = GetParam();
    int length = c.Length;
    String span = "stale";
    EXPECT_EQ(TKeywordCounter::CutBodySpan(c.Page, length, span), c.Result) << c.Name;
    EXPECT_EQ(span, c.Span) << c.Name;
    EXPECT_EQ(length, c.LengthAfter) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Keywords, BodySpan, ::testing::ValuesIn(SpanCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

struct MergeCase {
    const char* Name;
    const char* Keywords;
    Words Chosen;
    const char* Expected;
};

// The main window: the chosen words stand first, in the order chosen.
const MergeCase PrependCases[] = {
    {"empty field gets the words alone", "", {"web", "seo"}, "web,seo"},
    {"blanks only are replaced", "   ", {"web"}, "web"},
    {"words already there are not added again", "web, Meta", {"META", "seo", "Web"}, "seo,web, Meta"},
    {"old keywords after a line break are kept whole", "\r\nold", {"new"}, "new,\r\nold"},
    {"nothing chosen leaves the text", "a, b", {}, "a, b"},
};

// The batch: the last chosen word first, the old keywords trimmed.
const MergeCase BatchCases[] = {
    {"last chosen first", " web , meta ", {"a", "b"}, "b,a,web , meta"},
    {"all present leaves the old keywords trimmed", "  Web,meta ", {"web", "META"}, "Web,meta"},
    {"no old keywords", "", {"a", "b", "c"}, "c,b,a"},
};

TEST(KeywordMerge, MainWindowPrepends) {
    for (const MergeCase& c : PrependCases)
        EXPECT_EQ(TKeywordCounter::PrependChosenWords(c.Keywords, c.Chosen), c.Expected) << c.Name;
}

TEST(KeywordMerge, BatchPutsTheLastChosenFirst) {
    for (const MergeCase& c : BatchCases)
        EXPECT_EQ(TKeywordCounter::MergeKeywords(c.Keywords, c.Chosen), c.Expected) << c.Name;
}

}  // namespace
