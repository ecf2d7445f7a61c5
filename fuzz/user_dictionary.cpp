// User dictionaries, both forms: the sectioned file and the plain word
// list, read from the same bytes.
#include "fuzz/FuzzInput.h"
#include "spell/store/UserDictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const char* name : {"user.udt", "words.dic"}) {
        const std::string path = fuzz::InputFile(name, data, size);
        fuzz::Refusable([&] {
            TUserDictionary dict(path);
            for (int i = 0; i < dict.AutoCorrectWords->Count(); ++i) dict.AutoCorrectReplacements->Get(i);
        });
    }
    return 0;
}
