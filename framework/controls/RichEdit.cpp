#include "framework/controls/RichEdit.h"

TRichEdit::TRichEdit(TComponent* owner) : TCustomMemo(owner) {
    FWordWrap = true;
    FScrollBars = ssBoth;
}

int TRichEdit::FindText(const String& searchStr, int startPos, int length, TSearchTypes options) const {
    return TCustomEdit::FindText(searchStr, startPos, length, (options & stMatchCase) != 0,
                                 (options & stWholeWord) != 0, true);
}
