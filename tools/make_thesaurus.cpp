// make_thesaurus MYTHES.dat COMMON-WORDLIST OUTPUT.thr
// Makes a thesaurus from MyThes data, keeping as many of the most common
// head words as the file format can address.
#include <exception>
#include <iostream>
#include <set>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/thesaurus/ThesaurusWriter.h"

namespace {
// Enough for the main senses of a word, few enough that a few thousand of
// the most common words fit the format's 13107 meaning records.
constexpr std::size_t DefaultMaxSenses = 3;
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: make_thesaurus MYTHES.dat COMMON-WORDLIST OUTPUT.thr [MAX-SENSES]\n";
        return 2;
    }
    try {
        std::vector<TThesaurusEntry> entries = TThesaurusWriter::ParseMyThes(
            ReadFileToString(argv[1]), argc == 5 ? static_cast<std::size_t>(StrToInt(argv[4])) : DefaultMaxSenses);
        const std::vector<String> list = SplitLines(ReadFileToString(argv[2]));
        const std::set<String> common(list.begin(), list.end());
        TThesaurusWriter::Rank(entries, common);
        std::size_t kept = 0;
        const String image = TThesaurusWriter::BuildLargest(entries, kept);
        SafeWriteFile(argv[3], image);
        std::cout << "make_thesaurus: " << argv[3] << ": " << image.size() << " bytes, kept " << kept
                  << " of " << entries.size() << " head words\n";
    } catch (const std::exception& e) {
        std::cerr << "make_thesaurus: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
