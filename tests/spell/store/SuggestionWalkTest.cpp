// The near misses both the dictionaries and the engine's background
// generator try: each pass's candidates in order, where the caller gets a
// turn, and a callback's false ending the walk.
#include <gtest/gtest.h>

#include <vector>

#include "spell/store/SuggestionWalk.h"

namespace {

using enum TEditPass;

std::vector<String> Walk(const String& word, const std::vector<TEditPass>& passes, const String& letters = "xy") {
    std::vector<String> seen;
    TSuggestionWalk walk;
    walk.Letters = letters;
    walk.IsWord = [](const String& part) { return part == "ab" || part == "cd" || part == "abc"; };
    walk.Candidate = [&](const String& c, TEditPass) {
        seen.push_back(c);
        return true;
    };
    WalkSuggestions(word, passes, walk);
    return seen;
}

TEST(SuggestionWalk, EachPassMakesItsCandidatesInOrder) {
    const struct {
        TEditPass Pass;
        const char* Word;
        std::vector<String> Expected;
    } cases[] = {
        {CaseToggle, "aB1", {"AB1", "ab1"}},
        {AdjacentSwap, "abc", {"bac", "acb"}},
        {Deletion, "abc", {"bc", "ac", "ab"}},
        {Insertion, "ab", {"axb", "ayb", "abx", "aby"}},  // never before the first character
        {Replacement, "ab", {"xb", "yb", "ax", "ay"}},
        {SwapOverOne, "abc", {"cba"}},
        {SwapOverOne, "ab", {}},
        {DoubleDeletion, "abcde", {"cde", "bde", "bce", "bcd", "cde", "ade", "ace", "acd", "bde", "ade", "abe",
                                   "abd", "bce", "ace", "abe", "abc", "bcd", "acd", "abd", "abc"}},
        {DoubleDeletion, "abcd", {}},
        // Only where both parts are words.
        {Split, "abcd", {"ab cd"}},
        {Split, "abcx", {}},
        {Split, "abc", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Walk(c.Word, {c.Pass}), c.Expected) << c.Word;
    EXPECT_EQ(Walk("ab", {AdjacentSwap, CaseToggle}), (std::vector<String>{"ba", "Ab", "aB"}));
}

TEST(SuggestionWalk, StepsAndStops) {
    std::vector<String> log;
    TSuggestionWalk walk;
    walk.Letters = "x";
    walk.Candidate = [&](const String& c, TEditPass) {
        log.push_back(c);
        return c != "xb";
    };
    walk.Step = [&](TEditPass pass, bool passEnd) {
        log.push_back(String(passEnd ? "end " : "at ") + std::to_string(static_cast<int>(pass)));
        return true;
    };
    EXPECT_FALSE(WalkSuggestions("ab", {Deletion, Insertion, Replacement, Deletion}, walk));
    EXPECT_EQ(log, (std::vector<String>{"b", "a", "end 2", "at 3", "axb", "at 3", "abx", "end 3", "xb"}));

    // A step's false ends the walk too.
    log.clear();
    walk.Step = [&](TEditPass, bool) { return false; };
    EXPECT_FALSE(WalkSuggestions("ab", {Deletion, Replacement}, walk));
    EXPECT_EQ(log, (std::vector<String>{"b", "a"}));
    walk.Step = nullptr;
    EXPECT_TRUE(WalkSuggestions("ab", {Deletion}, walk));
}

}  // namespace
