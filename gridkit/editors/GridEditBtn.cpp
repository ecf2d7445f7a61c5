#include "gridkit/editors/GridEditBtn.h"

#include "gridkit/editors/GkInplaceEdit.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkStringGrid.h"

TGridEditBtn::TGridEditBtn(TComponent* owner, TGkStringGrid* grid) : TGkeEditBtn(owner), FGrid(grid) {
    SetButtonCaption("...");
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

void TGridEditBtn::KeyDown(Word& key, TShiftState shift) {
    if (!(shift & ssCtrl) && FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TGkeEditBtn::KeyDown(key, shift);
}

void TGridEditBtn::KeyPress(char& key) {
    if (key == '\r') {
        key = 0;
        return;
    }
    const TGkInplaceEdit::TCharVerdict v =
        TGkInplaceEdit::FilterChar(FGrid->CurrentEditorType(), Text(), SelStart(), SelLength(), key);
    if (v == TGkInplaceEdit::cvBeep) GkMessageBeep();
    if (v != TGkInplaceEdit::cvAccept) {
        key = 0;
        return;
    }
    TGkeEditBtn::KeyPress(key);
}

void TGridEditBtn::ClickBtn() {
    String s = Text();
    FGrid->EllipsClick(s);
    SetText(s);
    SelectAll();
    TGkeEditBtn::ClickBtn();
}

void TGridEditBtn::DoExit() {
    TGkeEditBtn::DoExit();
    FGrid->EditorFocusLost(this);
}
