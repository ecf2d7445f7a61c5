// The spell configuration: a section read as written, or discovered when
// it is missing. The file lies alone in its folder, so discovery finds only
// what the configuration names.
#include "fuzz/FuzzInput.h"
#include "spell/store/Configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("velmor.cfg", data, size);
    fuzz::Refusable([&] {
        TConfiguration config(path, soInternet | soAutoSuggest, "default.udt", "english.dct", "spellchk");
        TConfiguration copy(String(), 0, "default.udt", "english.dct", "spellchk");
        copy.Assign(config);
        copy.Dirty = false;
        config.Dirty = false;
    });
    return 0;
}
