#pragma once
// Reads what a dropped data object offers: whether it has text, rich text
// or files, and their contents.
#include <memory>

#include "framework/classes/StringList.h"
#include "framework/controls/DragDrop.h"
#include "framework/rtl/Exception.h"

VELMOR_EXCEPTION(EOleError, Exception)

// The clipboard format of rich text, one number for the process.
TClipboardFormat CF_RTF();

class TEnumFormats {
public:
    // Raises EOleError when the object cannot list its formats.
    explicit TEnumFormats(IDataObject* data);

    // Resets the walk and stops on the first entry of that format, which
    // stays current.
    bool HasFormat(TClipboardFormat format);
    bool HasText() { return HasFormat(CF_TEXT); }
    bool HasRTF() { return HasFormat(CF_RTF()); }
    bool HasFiles() { return HasFormat(CF_HDROP); }
    // The current entry's zero-terminated text; empty when absent.
    String Text();
    String RTF();
    // The dropped file names; true when there is at least one.
    bool GetFileList();
    TStringList* FileList() { return &FFiles; }
    int Count() const { return FCount; }

private:
    String CurrentData(TClipboardFormat format);
    IDataObject* FData;
    std::shared_ptr<IEnumFormatEtc> FEnum;
    TFormatEtc FCurrent;
    bool FValid = false;
    int FCount = 0;
    TStringList FFiles;
};
