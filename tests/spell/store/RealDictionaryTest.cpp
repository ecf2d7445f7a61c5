// The English dictionary the build makes from Debian's word list, checked
// against that list and against codespell's collection of misspellings.
#include <gtest/gtest.h>

#include <set>

#include "spell/store/Dictionary.h"
#include "SpellTestUtil.h"

namespace {
const char* const WordList = "/usr/share/dict/american-english";

String CodespellDictionary() {
    for (const char* p : {"/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt",
                          "/usr/share/codespell/dictionary.txt"})
        if (FileExists(p)) return p;
    return String();
}

class RealDictionary : public ::testing::Test {
protected:
    void SetUp() override {
        const String path = PathJoin(VELMOR_BIN_DIR, "english.dct");
        if (!FileExists(path)) GTEST_SKIP() << path << " has not been built";
        if (!FileExists(WordList)) GTEST_SKIP() << WordList << " is missing (package wamerican)";
        Dict = std::make_unique<TDictionary>(path);
        ASSERT_TRUE(Dict->Open());
        Words = ReadLines(WordList);
    }
    std::unique_ptr<TDictionary> Dict;
    std::vector<String> Words;
};
}  // namespace

TEST_F(RealDictionary, AcceptsEveryWordOfTheList) {
    ASSERT_GT(Words.size(), 50000u);
    std::size_t missing = 0;
    for (const String& w : Words)
        if (!Dict->Lookup(w) && ++missing <= 10) ADD_FAILURE() << "not found: " << w;
    EXPECT_EQ(missing, 0u);
}

// codespell lists common misspellings with their corrections; any of them
// that the word list does not hold must be rejected, and the corrections
// it does hold must be accepted.
TEST_F(RealDictionary, RejectsCodespellMisspellings) {
    const String source = CodespellDictionary();
    if (source.empty()) GTEST_SKIP() << "codespell is not installed; its misspellings are not checked";
    const std::set<String> known(Words.begin(), Words.end());
    std::size_t rejected = 0, accepted = 0;
    for (const String& line : ReadLines(source)) {
        const auto arrow = line.find("->");
        if (arrow == String::npos) continue;
        const String wrong = line.substr(0, arrow);
        const bool inList = known.count(wrong) > 0;
        EXPECT_EQ(Dict->Lookup(wrong), inList) << wrong;
        inList ? ++accepted : ++rejected;
        String fix = line.substr(arrow + 2);
        fix = fix.substr(0, fix.find(','));
        if (known.count(fix)) {
            EXPECT_TRUE(Dict->Lookup(fix)) << fix;
        }
    }
    EXPECT_GT(rejected, 10000u);
}
