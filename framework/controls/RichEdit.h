#pragma once
#include "framework/controls/CustomMemo.h"

// Search options of FindText; sets are bit flags.
enum TSearchType : int { stWholeWord = 1, stMatchCase = 2 };
using TSearchTypes = int;

// The rich edit, used as a plain-text editor: it holds text, not
// formatting. PlainText only decides how files are read and written
// (always as text here).
class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* owner);
    String ClassName() const override { return "TRichEdit"; }

    bool PlainText = true;
    // The position of `searchStr` within [startPos, startPos + length), or -1.
    int FindText(const String& searchStr, int startPos, int length, TSearchTypes options) const;
};
