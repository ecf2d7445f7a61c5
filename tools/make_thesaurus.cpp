// make_thesaurus WORDNET-FOLDER WORDLIST-FOLDER OUTPUT.thr
// Makes the thesaurus from WordNet's database files (Debian's wordnet-base,
// /usr/share/wordnet) and SCOWL's word lists graded by how common their
// words are (Debian's scowl, /usr/share/dict/scowl: english-words.10 ..
// american-words.95), and says how much of the format it used.
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/thesaurus/WordNetSource.h"

namespace {

// Each word at the lowest level a list of it names; lists of other
// spellings and of abbreviations, names and capitalised words are not read.
std::map<String, int> ReadLevels(const String& folder) {
    std::map<String, int> levels;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const String name = file.path().filename().string();
        const std::size_t dot = name.rfind('.');
        const String list = name.substr(0, dot == String::npos ? 0 : dot);
        int level = 0;
        if ((list != "english-words" && list != "american-words") || !TryStrToInt(name.substr(dot + 1), level))
            continue;
        for (const String& word : SplitLines(ReadFileToString(file.path().string()))) {
            if (word.empty()) continue;
            auto [it, added] = levels.emplace(word, level);
            if (!added && level < it->second) it->second = level;
        }
    }
    return levels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make_thesaurus WORDNET-FOLDER WORDLIST-FOLDER OUTPUT.thr\n";
        return 2;
    }
    try {
        TWordNet wordNet;
        wordNet.LoadFolder(argv[1]);
        const std::map<String, int> levels = ReadLevels(argv[2]);
        if (levels.empty()) throw EReadError(String("No word lists in ") + argv[2]);
        const TThesaurusChoice choice = TWordNetThesaurus::Choose(wordNet, levels);
        SafeWriteFile(argv[3], choice.Image);
        std::cout << "make_thesaurus: " << argv[3] << ": " << choice.Nodes << " of " << TThesaurusWriter::MaxNodes
                  << " nodes, " << choice.Meanings << " of " << TThesaurusWriter::MaxRecords << " meanings, "
                  << choice.Entries.size() << " head words\n";
    } catch (const std::exception& e) {
        std::cerr << "make_thesaurus: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
