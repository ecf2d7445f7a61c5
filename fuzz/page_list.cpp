// Page-list files: the pages a list names, relative ones taken from the
// list's folder.
#include "composer/engine/PageSelection.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("pages.hfl", data, size);
    fuzz::Refusable([&] {
        const TExpandedSelection pages = TPageSelection::Expand({path});
        TPageSelection::MissingPagesMessage(pages.Missing);
    });
    return 0;
}
