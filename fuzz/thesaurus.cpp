// The thesaurus file: a file that loads must stand every lookup, which
// trusts what the load checked.
#include "fuzz/FuzzInput.h"
#include "spell/thesaurus/Thesaurus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("drelmont.thr", data, size);
    fuzz::Refusable([&] {
        TThesaurus thesaurus(nullptr);
        thesaurus.LoadFromFile(path);
        // Every word the file holds, by node, and the meanings of a few.
        const int nodes = static_cast<int>(thesaurus.NodeCount);
        for (int i = 0; i < nodes && i < 256; ++i) {
            String word;
            thesaurus.GetWord(word, i);
            if (i < 32) thesaurus.Meanings(word);
        }
        for (const char* word : {"a", "good", "house", "run"}) thesaurus.Meanings(word);
    });
    return 0;
}
