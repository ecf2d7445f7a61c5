#pragma once
// The reading itself: .xls through libfreexl; .xlsx, .ods, Excel 2003 XML
// and Gnumeric files through liborcus, the format told by the content; an
// .xlsx held against its own package where liborcus 0.17 reads it in part
// (XlsxPackage.h, XlsxCells.h).
// Linked only into the workbook reader program, never into the program:
// the libraries stay out of its start-up, and their faults on damaged
// files stay out of its process.
#include <memory>

#include "framework/system/WorkbookData.h"

// Reads the whole workbook; EWorkbookError, or the library's own
// exception, when it cannot.
std::unique_ptr<workbook::TMemoryWorkbook> ReadWorkbookFile(const String& fileName);
