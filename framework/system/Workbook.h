#pragma once
// Spreadsheet workbooks read whole into memory: .xls through libfreexl;
// .xlsx, .ods, Excel 2003 XML and Gnumeric files through liborcus. The
// format is told by the file's content, not by its name. The grid kit
// asks for the sheets, the active sheet, each sheet's used range and its
// cells' values, and sees neither library.
#include <functional>
#include <memory>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Variant.h"

// A file that is not a workbook, or is damaged, encrypted or truncated.
VELMOR_EXCEPTION(EWorkbookError, Exception)
// The reader program (velmor-workbook, in the program folder) is not there
// or cannot be started: no workbook can be read, whatever the file.
VELMOR_EXCEPTION(EWorkbookReaderMissing, EWorkbookError)

// Columns and rows from 0; both corners inside the range.
struct TWorkbookRange {
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
    bool operator==(const TWorkbookRange&) const = default;
};

class TWorkbook {
public:
    virtual ~TWorkbook() = default;
    virtual int SheetCount() const = 0;
    virtual String SheetName(int sheet) const = 0;
    // The sheet the workbook was saved with in front; -1 when the format
    // or the library does not say.
    virtual int ActiveSheet() const = 0;
    // The smallest rectangle holding every non-empty cell; an empty
    // sheet's is A1 alone.
    virtual TWorkbookRange UsedRange(int sheet) const = 0;
    // Every non-empty cell, row by row and left to right within a row.
    // A formula cell gives the result stored with it, when there is one.
    virtual void ForEachCell(int sheet, const std::function<void(int col, int row, const TVariant& value)>& f) const = 0;
};

// Reads the whole workbook; EWorkbookError when it cannot. The libraries
// read in a program of their own (velmor-workbook, found in the program
// folder), so a library that crashes or loops on a damaged file only
// refuses it; a read that takes longer than 30 s and 5 s a megabyte is
// taken to loop.
std::unique_ptr<TWorkbook> OpenWorkbook(const String& fileName);
// Another time limit for the reads, in seconds (0: the one above); the
// fuzz target takes a short one.
void SetWorkbookTimeLimit(double seconds);
// True in every build: ThreadSanitizer's too start the reader program.
bool WorkbookReadsHaveTimeLimit();
