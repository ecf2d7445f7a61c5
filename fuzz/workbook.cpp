// Workbooks (.xls through libfreexl, the open formats through liborcus):
// any bytes are read without harm, and what is read holds together: every
// cell lies in its sheet's used range, in reading order, and none is empty.
// The libraries read in the reader program (velmor-workbook, laid beside
// the target): a crash there (the log shows its report) is a refused file,
// and only this process's own faults fail the target.
#include "framework/system/Workbook.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // libfreexl opens by path, so every input goes through a file.
    const std::string path = fuzz::InputFile("input.workbook", data, size);
    // The reading runs in the reader program; one that loops is stopped well
    // within the fuzzer's own limit.
    SetWorkbookTimeLimit(1);
    fuzz::Refusable([&] {
        const std::unique_ptr<TWorkbook> book = OpenWorkbook(path);
        if (book->SheetCount() < 1 || book->ActiveSheet() >= book->SheetCount()) __builtin_trap();
        for (int s = 0; s < book->SheetCount(); ++s) {
            const TWorkbookRange used = book->UsedRange(s);
            if (used.FirstCol > used.LastCol || used.FirstRow > used.LastRow || used.FirstCol < 0 ||
                used.FirstRow < 0)
                __builtin_trap();
            int lastCol = -1, lastRow = -1;
            book->ForEachCell(s, [&](int col, int row, const TVariant& value) {
                if (col < used.FirstCol || col > used.LastCol || row < used.FirstRow || row > used.LastRow)
                    __builtin_trap();
                if (row < lastRow || (row == lastRow && col <= lastCol)) __builtin_trap();
                if (value.IsEmpty()) __builtin_trap();
                (void)VarToStr(value);
                lastCol = col;
                lastRow = row;
            });
        }
    });
    return 0;
}
