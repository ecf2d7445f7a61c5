// make_dictionary WORDLIST OUTPUT.dct [DESCRIPTION]
// Makes a main dictionary from a word list of one word per line.
#include <exception>
#include <iostream>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/DictionaryWriter.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: make_dictionary WORDLIST OUTPUT.dct [DESCRIPTION]\n";
        return 2;
    }
    try {
        const std::vector<String> words = SplitLines(ReadFileToString(argv[1]));
        const String image = TDictionaryWriter::Build(words, argc == 4 ? argv[3] : "");
        SafeWriteFile(argv[2], image);
        std::cout << "make_dictionary: " << argv[2] << ": " << image.size() << " bytes, "
                  << TDictionaryWriter::SubDictionaryCount(image) << " sub-dictionaries\n";
    } catch (const std::exception& e) {
        std::cerr << "make_dictionary: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
