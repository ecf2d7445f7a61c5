#pragma once
// The grid's hidden rich edit: rich-text (RTF) cells are loaded into it to
// be drawn, measured and turned into plain text. It has no window: the
// grid draws its text through it, nobody types into it.
#include "framework/controls/RichEdit.h"

class TGkRichEdit : public TRichEdit {
public:
    explicit TGkRichEdit(TComponent* owner);
    String ClassName() const override { return "TGkRichEdit"; }
    // The cell's bytes streamed in as RTF; an empty cell clears it.
    void LoadCellText(const String& text);
};
