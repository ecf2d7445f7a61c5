#include "gridkit/markup/GkRichEdit.h"

#include "framework/classes/StringStream.h"

TGkRichEdit::TGkRichEdit(TComponent* owner) : TRichEdit(owner) {
    PlainText = false;
    SetVisible(false);
    SetBounds(0, 0, 0, 0);
}

void TGkRichEdit::LoadCellText(const String& text) {
    if (text.empty()) {
        SetRtfText(String());
        return;
    }
    TStringStream stream(text);
    LoadFromStream(&stream);
}
