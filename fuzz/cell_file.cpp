// The grid cell file, read into a fresh grid with and without multi-line
// cells, and every cell read (a row's texts are made when it is first used).
#include "framework/controls/Application.h"
#include "fuzz/FuzzInput.h"
#include "gridkit/grid/GkStringGrid.h"

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
            size_t bytes = 0;
            for (int r = 0; r < grid.RowCount(); ++r)
                for (int c = 0; c < grid.ColCount(); ++c) bytes += grid.CellText(c, r).size();
            if (bytes == static_cast<size_t>(-1)) std::abort();
        });
    }
    return 0;
}
