#include "gridkit/editors/GridCombo.h"

#include "framework/classes/Strings.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"

TGridCombo::TGridCombo(TComponent* owner, TGkStringGrid* grid) : TGkComboBox(owner), FGrid(grid) {
    SetButtonWidth(16);
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

int TGridCombo::LookupCompletion(const String& typed, const TStrings* items, String& completed) {
    if (typed.empty() || !items) return -1;
    // Only the letters a-z fold: the comparison of the classic combo lookup.
    const String key = UpperCase(typed);
    for (int i = 0; i < items->Count(); ++i) {
        const String item = items->Get(i);
        if (item.size() < typed.size() || UpperCase(item.substr(0, typed.size())) != key) continue;
        completed = typed + item.substr(typed.size(), 255);
        return i;
    }
    return -1;
}

int TGridCombo::FirstItemWith(char key, const TStrings* items) {
    if (!items || key == 0) return -1;
    const char want = UpCase(key);
    for (int i = 0; i < items->Count(); ++i) {
        const String item = items->Get(i);
        if (!item.empty() && UpCase(item[0]) == want) return i;
    }
    return -1;
}

void TGridCombo::TypedOnCell(char key) {
    if (static_cast<unsigned char>(key) < 32) return;
    if (Style() == csDropDownList) {
        const int index = FirstItemWith(key, Items());
        if (index >= 0) SetItemIndex(index);
        return;
    }
    SetText(String(1, key));
    SetSelStart(1);
    FTypeAhead = true;
    RunLookup();
}

void TGridCombo::KeyDown(Word& key, TShiftState shift) {
    FTypeAhead = key != VK_BACK && key != VK_DELETE;
    FTextAtKeyDown = Text();
    if (FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TGkComboBox::KeyDown(key, shift);
}

void TGridCombo::KeyUp(Word& key, TShiftState shift) {
    TGkComboBox::KeyUp(key, shift);
    // Only a key that changed the text completes it: a caret move or a
    // selection leaves the text as the user made it.
    if (Text() != FTextAtKeyDown) RunLookup();
    FTextAtKeyDown = Text();
}

void TGridCombo::RunLookup() {
    if (!FTypeAhead || !FGrid->Lookup || (Style() != csDropDown && Style() != csSimple) || SelLength() != 0)
        return;
    const String text = Text();
    const int caret = SelStart();
    const String typed = text.substr(0, static_cast<size_t>(std::max(caret, 0)));
    String completed;
    const int index = LookupCompletion(typed, Items(), completed);
    if (index < 0) return;
    FLookupIndex = index;
    if (completed != text) SetText(completed);
    // CB_SETEDITSEL: from the typed length to the end.
    SetSelStart(static_cast<int>(typed.size()));
    SetSelLength(static_cast<int>(completed.size() - typed.size()));
}

void TGridCombo::KeyPress(char& key) {
    if (key == '\r') {
        key = 0;
        return;
    }
    TGkComboBox::KeyPress(key);
}

void TGridCombo::DoEnter() {
    // Each edit completes afresh.
    FLookupIndex = -1;
    FTypeAhead = false;
    TGkComboBox::DoEnter();
    // A click on the cell put the caret where the user aimed, nothing
    // selected (MouseActions.CaretPositioning).
    int clicked = 0;
    if (FGrid->MouseActions()->CaretPositioning && FGrid->TakeCaretClick(FGrid->Col(), FGrid->Row(), clicked)) {
        SetSelStart(std::min(clicked, static_cast<int>(Text().size())));
        SetSelLength(0);
    }
}

void TGridCombo::DoExit() {
    FGrid->ForgetCaretClick();
    if (FGrid->LookupHistory && !Text().empty() && Items()->IndexOf(Text()) < 0) Items()->Add(Text());
    TGkComboBox::DoExit();
    FGrid->EditorFocusLost(this);
}
