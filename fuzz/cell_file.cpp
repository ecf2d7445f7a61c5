// The grid cell file, read into a fresh grid with and without multi-line
// cells.
#include "framework/controls/Application.h"
#include "fuzz/FuzzInput.h"
#include "gridkit/GkStringGrid.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed: the toolkit's own statics may be gone by then.
    static TApplication* app = new TApplication(nullptr);
    app->Initialize(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("grid.tgs", data, size);
    for (bool multiline : {false, true}) {
        fuzz::Refusable([&] {
            TGkStringGrid grid(nullptr);
            grid.SetMultilinecells(multiline);
            grid.LoadCellsFromFile(path);
        });
    }
    return 0;
}
