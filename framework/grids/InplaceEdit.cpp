#include "framework/grids/InplaceEdit.h"

#include "framework/grids/CustomGrid.h"

TInplaceEdit::TInplaceEdit(TComponent* owner) : TEdit(owner) {
    SetVisible(false);
    SetTabStop(false);
    AutoSelect = false;
}

void TInplaceEdit::KeyDown(Word& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    if (!FGrid || key == 0) return;
    const int len = GetTextLen();
    bool toGrid = false;
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: toGrid = true; break;
    case VK_TAB: toGrid = (FGrid->Options() & goTabs) != 0; break;
    // Left and right leave the cell only from its edge, so the caret can
    // still walk through the text.
    case VK_LEFT: toGrid = SelStart() == 0 && SelLength() == 0; break;
    case VK_RIGHT: toGrid = SelStart() >= len && SelLength() == 0; break;
    default: break;
    }
    if (toGrid) {
        FGrid->FKeyFromEditor = true;
        try {
            FGrid->EditorKey(key, shift);
        } catch (...) {
            FGrid->FKeyFromEditor = false;
            throw;
        }
        FGrid->FKeyFromEditor = false;
    }
}

void TInplaceEdit::KeyPress(char& key) {
    if (FGrid && (key == '\r' || key == 27 || key == '\t')) {
        FGrid->FKeyFromEditor = true;
        try {
            FGrid->KeyPress(key);
        } catch (...) {
            FGrid->FKeyFromEditor = false;
            throw;
        }
        FGrid->FKeyFromEditor = false;
        key = 0;
        return;
    }
    if (FGrid && static_cast<unsigned char>(key) >= 32 && !FGrid->CanEditModify()) key = 0;
    TEdit::KeyPress(key);
}

void TInplaceEdit::Change() {
    TEdit::Change();
    if (FGrid && !FGrid->FInEditorUpdate && FCol >= 0 && FRow >= 0)
        FGrid->SetEditText(FCol, FRow, Text());
}
