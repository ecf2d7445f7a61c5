// The main dictionary reader: a file that opens must then stand every
// lookup and suggestion pass, which trust what Open checked.
#include "framework/classes/StringList.h"
#include "fuzz/FuzzInput.h"
#include "spell/store/Dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("main.dct", data, size);
    fuzz::Refusable([&] { TDictionary::ReadDescription(path); });
    fuzz::Refusable([&] {
        TDictionary dict(path);
        if (!dict.Open()) return;
        // Words made of the dictionary's own letters reach deep into its tree.
        const String& letters = dict.LetterSet;
        for (std::size_t n = 1; n <= 12 && n <= letters.size(); ++n) {
            dict.Lookup(letters.substr(0, n));
            dict.Lookup(String(letters.rbegin(), letters.rbegin() + static_cast<std::ptrdiff_t>(n)));
        }
        dict.Lookup(String(300, letters.empty() ? 'a' : letters[0]));
        dict.SuggestionLimit = 8;
        TStringList list;
        dict.SuggestFromDictionary(letters.substr(0, 6), &list);
    });
    return 0;
}
