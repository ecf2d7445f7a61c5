// The page-head reader: a page's title and META tags read into the fields
// as the composer reads them, custom fields included.
#include "composer/engine/TagReader.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("page.html", data, size);
    fuzz::Refusable([&] {
        TTagReader reader;
        TMetaFields fields;
        reader.xread(path, fields);
    });
    return 0;
}
