// Editor selection and write-back: each editor kind opens its control
// filled from the cell, and closing writes back what it should.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

#include "framework/classes/StringList.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/StrUtils.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/editors/GkInplaceEdit.h"
#include "gridkit/editors/GridButton.h"
#include "gridkit/editors/GridCheckBox.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/editors/GridDatePicker.h"
#include "gridkit/editors/GridEditBtn.h"
#include "gridkit/editors/GridSpin.h"
#include "gridkit/editors/GridUnitEditBtn.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/Navigation.h"

namespace {

class GkGridEditors : public ::testing::Test {
protected:
    void SetUp() override {
        keep = FormatSettings();
        FormatSettings().ShortDateFormat = "m/d/yyyy";
        FormatSettings().DateSeparator = '/';
        FormatSettings().LongTimeFormat = "hh:nn:ss";
        FormatSettings().TimeSeparator = ':';
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 300);
        grid = new TGkStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 260);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(grid->Options() | goEditing);
        grid->OnGetEditorType = [this](TObject*, int c, int r, TEditorType& e) {
            if (c == 2 && r == 1) e = kind;
        };
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
    }
    void TearDown() override {
        delete form;
        FormatSettings() = keep;
    }
    // Opens the editor of kind on cell (2, 1) holding text.
    void Open(TEditorType k, const String& text) {
        kind = k;
        grid->SetCells(2, 1, text);
        grid->FocusCell(2, 1, true);
        grid->ShowEditor();
    }
    TFormatSettings keep;
    TForm* form = nullptr;
    TGkStringGrid* grid = nullptr;
    TEditorType kind = edNormal;
};

// A picker's focus sits on its inner field, so its own widget never is the
// focus widget: wait briefly, keys go to the control either way.
void Focus(TWinControl* control) { WaitForFocus(control, dynamic_cast<TGridDatePicker*>(control) ? 300 : 10000); }

struct KindCase {
    TEditorType kind;
    const char* cell;
    std::function<TWinControl*(TGkStringGrid*)> control;
    std::function<String(TGkStringGrid*)> shown;  // the value the control opened with
    const char* shownExpected;
    std::function<void(TGkStringGrid*)> edit;     // what the user does; none: nothing
    Word closeKey;
    const char* written;                          // the cell afterwards
};

TWinControl* Spin(TGkStringGrid* g) { return g->SpinEditor(); }
TWinControl* Combo(TGkStringGrid* g) { return g->ComboEditor(); }
TWinControl* Picker(TGkStringGrid* g) { return g->DateEditor(); }
TWinControl* EditBtn(TGkStringGrid* g) { return g->EditBtnEditor(); }
TWinControl* Unit(TGkStringGrid* g) { return g->UnitEditBtnEditor(); }
TWinControl* Check(TGkStringGrid* g) { return g->CheckBoxEditor(); }
TWinControl* Button(TGkStringGrid* g) { return g->ButtonEditor(); }
String SpinText(TGkStringGrid* g) { return g->SpinEditor()->Text(); }
String ComboShown(TGkStringGrid* g) {
    return IntToStr(g->ComboEditor()->ItemIndex()) + ":" + g->ComboEditor()->Text();
}
String PickerDate(TGkStringGrid* g) { return DateToStr(g->DateEditor()->Date()); }
String PickerTime(TGkStringGrid* g) { return FormatDateTime("hh:nn", g->DateEditor()->Time()); }
String EditBtnText(TGkStringGrid* g) { return g->EditBtnEditor()->Text(); }
String UnitParts(TGkStringGrid* g) {
    return g->UnitEditBtnEditor()->Text() + "|" + g->UnitEditBtnEditor()->UnitID();
}
String CheckShown(TGkStringGrid* g) {
    return g->CheckBoxEditor()->Caption() + (g->CheckBoxEditor()->Checked() ? "+" : "-");
}
String ButtonCaption(TGkStringGrid* g) { return g->ButtonEditor()->Caption(); }

const KindCase kKindCases[] = {
    {edSpinEdit, "5", Spin, SpinText, "5", [](TGkStringGrid* g) { g->SpinEditor()->SetValue(7); }, VK_RETURN, "7"},
    // Shown clamped, but only a change made in the editor goes back.
    {edSpinEdit, "500", Spin, SpinText, "100", nullptr, VK_RETURN, "500"},
    {edSpinEdit, "n/a", Spin, SpinText, "0", nullptr, VK_RETURN, "n/a"},    // fall-back only
    {edFloatSpinEdit, "2.5", Spin, SpinText, "2.5",
     [](TGkStringGrid* g) { g->SpinEditor()->UpClick(nullptr); }, VK_RETURN, "3.5"},
    {edFloatSpinEdit, "abc", Spin, SpinText, "0", nullptr, VK_RETURN, "abc"},
    {edDateSpinEdit, "3/4/2024", Spin, SpinText, "3/4/2024", nullptr, VK_RETURN, "3/4/2024"},
    {edTimeSpinEdit, "10:30:00", Spin, SpinText, "10:30:00", nullptr, VK_RETURN, "10:30:00"},
    {edComboEdit, "two", Combo, ComboShown, "1:two",
     [](TGkStringGrid* g) { g->ComboEditor()->SetText("typed"); }, VK_RETURN, "typed"},
    {edComboList, "two", Combo, ComboShown, "1:two",
     [](TGkStringGrid* g) { g->ComboEditor()->SetItemIndex(0); }, VK_RETURN, "one"},
    // A text not among the items is shown (as an extra first entry) and stays.
    {edComboList, "zzz", Combo, ComboShown, "0:zzz", nullptr, VK_RETURN, "zzz"},
    {edComboList, "zzz", Combo, ComboShown, "0:zzz",
     [](TGkStringGrid* g) { g->ComboEditor()->SetItemIndex(2); }, VK_RETURN, "two"},
    {edEditBtn, "abc", EditBtn, EditBtnText, "abc",
     [](TGkStringGrid* g) { g->EditBtnEditor()->SetText("abd"); }, VK_RETURN, "abd"},
    {edNumericEditBtn, "12", EditBtn, EditBtnText, "12", nullptr, VK_DOWN, "12"},
    {edCheckBox, "label", Check, CheckShown, "label-",
     [](TGkStringGrid* g) { g->CheckBoxEditor()->SetChecked(true); }, VK_RETURN, "label"},
    {edDateEdit, "3/4/2024", Picker, PickerDate, "3/4/2024",
     [](TGkStringGrid* g) {
         g->DateEditor()->SetDate(g->DateEditor()->Date() + 1);
         g->DateEditor()->Edited = true;
     },
     VK_RETURN, "3/5/2024"},
    {edDateEditUpDown, "someday", Picker, nullptr, "", nullptr, VK_RETURN, "someday"},
    {edTimeEdit, "09:15:00", Picker, PickerTime, "09:15", nullptr, VK_RETURN, "09:15:00"},
    {edButton, "go", Button, ButtonCaption, "go", nullptr, VK_UP, "go"},
    {edUnitEditBtn, "12.5 cm", Unit, UnitParts, "12.5| cm", nullptr, VK_RETURN, "12.5 cm"},
    {edUnitEditBtn, "cm12", Unit, UnitParts, "12|cm", nullptr, VK_RETURN, "cm12"},
    {edUnitEditBtn, "12.5 cm", Unit, UnitParts, "12.5| cm",
     [](TGkStringGrid* g) { g->UnitEditBtnEditor()->SetText("13"); }, VK_RETURN, "13 cm"},
};

TEST_F(GkGridEditors, EachKindOpensItsControlAndWritesBack) {
    grid->ComboItems()->Add("one");
    grid->ComboItems()->Add("two");
    for (const KindCase& c : kKindCases) {
        SCOPED_TRACE(::testing::Message() << "kind " << int(c.kind) << " cell '" << c.cell << "'");
        Open(c.kind, c.cell);
        TWinControl* control = c.control(grid);
        ASSERT_TRUE(grid->SeparateEditorShown());
        EXPECT_TRUE(control->Visible());
        EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
        if (c.shown) {
            EXPECT_EQ(c.shown(grid), c.shownExpected);
        }
        if (c.edit) c.edit(grid);
        Focus(control);
        SimulateKey(control, c.closeKey, c.closeKey == VK_RETURN ? "\r" : "");
        EXPECT_FALSE(grid->SeparateEditorShown());
        EXPECT_FALSE(control->Visible());
        EXPECT_EQ(grid->Cells(2, 1), c.written);
        grid->HideEditor();
        grid->FocusCell(1, 1, true);
    }
}

TEST_F(GkGridEditors, EscapeClosesEveryControlWithoutWriting) {
    grid->ComboItems()->Add("one");
    grid->ComboItems()->Add("two");
    for (const KindCase& c : kKindCases) {
        if (!c.edit) continue;
        SCOPED_TRACE(::testing::Message() << "kind " << int(c.kind));
        Open(c.kind, c.cell);
        c.edit(grid);
        TWinControl* control = c.control(grid);
        Focus(control);
        SimulateKey(control, VK_ESCAPE, "\x1b");
        if (c.kind == edCheckBox) {  // not a closing key of the check box
            grid->CloseCellEditor(grid->Col(), grid->Row());
            grid->HideEditor();
        }
        EXPECT_FALSE(grid->SeparateEditorShown());
        EXPECT_EQ(grid->Cells(2, 1), c.cell);
        grid->FocusCell(1, 1, true);
    }
}

TEST_F(GkGridEditors, TheButtonEditorsShowTheirEllipsis) {
    EXPECT_EQ(grid->EditBtnEditor()->ButtonCaption(), "...");
    EXPECT_EQ(grid->UnitEditBtnEditor()->ButtonCaption(), "...");
}

TEST_F(GkGridEditors, AnEmptyListLeavesTheCell) {
    Open(edComboList, "kept");
    EXPECT_EQ(grid->ComboEditor()->Text(), "kept");
    grid->CloseCellEditor(grid->Col(), grid->Row());
    grid->CloseCellEditor(grid->Col(), grid->Row());  // a second close does nothing
    EXPECT_EQ(grid->Cells(2, 1), "kept");
}

TEST_F(GkGridEditors, TextKindsUseTheGridsOwnEditor) {
    for (TEditorType k : {edNormal, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
                          edPassword, edLowerCase, edUpperCase}) {
        SCOPED_TRACE(int(k));
        Open(k, "x");
        EXPECT_FALSE(grid->SeparateEditorShown());
        auto* edit = dynamic_cast<TGkInplaceEdit*>(grid->InplaceEditor());
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->Visible());
        EXPECT_EQ(grid->CurrentEditorType(), k);
        EXPECT_EQ(edit->PasswordChar(), k == edPassword ? '*' : 0);
        grid->HideEditor();
        grid->FocusCell(1, 1, true);
    }
    Open(edDataCheckBox, "x");
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
}

TEST_F(GkGridEditors, ClosingKeysAndWhatReachesTheGrid) {
    // Up and Down close and then move; Enter closes and advances.
    grid->Navigation()->AdvanceOnEnter = true;
    Open(edSpinEdit, "1");
    ASSERT_TRUE(WaitForFocus(grid->SpinEditor()));
    SimulateKey(grid->SpinEditor(), VK_DOWN);
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->Focused());

    Open(edEditBtn, "a");
    ASSERT_TRUE(WaitForFocus(grid->EditBtnEditor()));
    SimulateKey(grid->EditBtnEditor(), VK_UP, "", ssCtrl);  // Ctrl keeps keys in the control
    EXPECT_TRUE(grid->SeparateEditorShown());
    SimulateKey(grid->EditBtnEditor(), VK_RETURN, "\r");
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Col(), 3);  // advanced

    grid->ComboItems()->Add("one");
    Open(edComboEdit, "x");
    ASSERT_TRUE(WaitForFocus(grid->ComboEditor()));
    SimulateKey(grid->ComboEditor(), VK_LEFT);  // editable and closed: Left edits
    EXPECT_TRUE(grid->SeparateEditorShown());
    SimulateKey(grid->ComboEditor(), VK_DOWN);
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Row(), 2);

    Open(edComboList, "one");
    ASSERT_TRUE(WaitForFocus(grid->ComboEditor()));
    SimulateKey(grid->ComboEditor(), VK_RIGHT);  // the list style hands Right on
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Col(), 3);
}

TEST_F(GkGridEditors, SpaceTogglesTheCheckBoxOnceAndWritesNothing) {
    Open(edCheckBox, "Agree");
    ASSERT_TRUE(WaitForFocus(grid->CheckBoxEditor()));
    int keys = 0;
    bool checkedWhenSeen = false;
    grid->CheckBoxEditor()->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        if (key != VK_SPACE) return;
        ++keys;
        checkedWhenSeen = grid->CheckBoxEditor()->Checked();
    };
    SimulateKey(grid->CheckBoxEditor(), VK_SPACE, " ");
    EXPECT_TRUE(grid->CheckBoxEditor()->Checked());
    EXPECT_EQ(keys, 1);             // the control still sees the key
    EXPECT_TRUE(checkedWhenSeen);   // but only after the box has toggled
    SimulateKey(grid->CheckBoxEditor(), VK_SPACE, " ");
    EXPECT_FALSE(grid->CheckBoxEditor()->Checked());
    EXPECT_TRUE(grid->SeparateEditorShown());
    SimulateKey(grid->CheckBoxEditor(), VK_SPACE, " ");
    SimulateKey(grid->CheckBoxEditor(), VK_RETURN, "\r");
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Cells(2, 1), "Agree");
}

TEST_F(GkGridEditors, TextStopsShortOfTheButtonAndUnitsSitRight) {
    Open(edEditBtn, "abc");
    TGkeEditBtn* edit = grid->EditBtnEditor();
    EXPECT_EQ(edit->TextMarginRight(), TGkeEditBtn::kButtonWidth + 3);
    EXPECT_EQ(edit->Alignment(), taLeftJustify);
    edit->SetRightAlign(true);
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    edit->SetRightAlign(false);
    SimulateKey(edit, VK_ESCAPE);

    Open(edUnitEditBtn, "12 cm");
    TGkeUnitEditBtn* unit = grid->UnitEditBtnEditor();
    EXPECT_EQ(unit->Alignment(), taRightJustify);
    EXPECT_EQ(unit->TextMarginRight(), TGkeEditBtn::kButtonWidth + 3 + unit->UnitSpace);
    SimulateKey(unit, VK_ESCAPE);

    Open(edSpinEdit, "4");
    TGkeSpinEdit* spin = grid->SpinEditor();
    EXPECT_EQ(spin->TextMarginRight(), 15 + 3);
    spin->SetDirection(spHorizontal);
    EXPECT_EQ(spin->TextMarginRight(), 20 + 3);
    spin->SetDirection(spVertical);
}

TEST_F(GkGridEditors, SpinPageKeysStepWithinTheLimitsAndReport) {
    std::vector<std::pair<int, bool>> reports;
    grid->OnSpinClick = [&](TObject*, int c, int r, int v, bool up) {
        EXPECT_EQ(c, 2);
        EXPECT_EQ(r, 1);
        reports.emplace_back(v, up);
    };
    Open(edSpinEdit, "99");
    TGridSpin* spin = grid->SpinEditor();
    Focus(spin);
    const struct {
        Word key;
        int value;
        bool up;
    } steps[] = {{VK_PRIOR, 100, true}, {VK_PRIOR, 100, true},  // 101 would pass the top
                 {VK_END, 0, false},    {VK_NEXT, 0, false},
                 {VK_HOME, 100, true},  {VK_NEXT, 99, false}};
    for (const auto& st : steps) {
        SimulateKey(spin, st.key);
        EXPECT_EQ(spin->Value(), st.value) << "key " << st.key;
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back(), std::make_pair(st.value, st.up));
    }
    EXPECT_EQ(reports.size(), std::size(steps));
    EXPECT_TRUE(grid->SeparateEditorShown());  // page keys do not close a spin
    SimulateKey(spin, VK_UP);
    EXPECT_FALSE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Cells(2, 1), "99");  // back where it started: nothing to write
}

TEST_F(GkGridEditors, DroppedListIsAsWideAsItsWidestItem) {
    grid->Navigation()->AutoComboDropSize = true;
    grid->ComboItems()->Add("a");
    grid->ComboItems()->Add("a very long item that is wider than any column");
    Open(edComboList, "a");
    TGridCombo* combo = grid->ComboEditor();
    EXPECT_EQ(combo->Width(), grid->ColWidths(2));
    EXPECT_GT(combo->DroppedWidth(), combo->Width());
    EXPECT_EQ(combo->DroppedWidth(),
              grid->Canvas()->TextWidth("a very long item that is wider than any column") + 6);
}

TEST_F(GkGridEditors, ButtonAndEllipsisReachTheHandler) {
    int calls = 0;
    grid->OnEllipsClick = [&](TObject*, int c, int r, String& s) {
        ++calls;
        EXPECT_EQ(c, 2);
        EXPECT_EQ(r, 1);
        s += "!";
    };
    Open(edEditBtn, "pick");
    grid->EditBtnEditor()->ClickBtn();
    EXPECT_EQ(grid->EditBtnEditor()->Text(), "pick!");
    grid->CloseCellEditor(grid->Col(), grid->Row());
    EXPECT_EQ(grid->Cells(2, 1), "pick!");
    grid->HideEditor();
    Open(edButton, "go");
    ASSERT_TRUE(WaitForFocus(grid->ButtonEditor()));
    SimulateKey(grid->ButtonEditor(), VK_SPACE, " ");
    EXPECT_EQ(grid->ButtonEditor()->Caption(), "go!");
    EXPECT_EQ(grid->Cells(2, 1), "go");  // the button never writes the cell
    EXPECT_EQ(calls, 2);
}

TEST_F(GkGridEditors, RefusedValidationKeepsTheControlOpen) {
    grid->OnCellValidate = [](TObject*, int, int, String&, bool& valid) { valid = false; };
    grid->FocusCell(2, 1, true);
    grid->Click();  // the cell becomes the edit-start cell
    Open(edEditBtn, "old");
    grid->RememberEditText(2, 1);
    grid->EditBtnEditor()->SetText("new");
    ASSERT_TRUE(WaitForFocus(grid->EditBtnEditor()));
    SimulateKey(grid->EditBtnEditor(), VK_RETURN, "\r");
    EXPECT_TRUE(grid->SeparateEditorShown());
    EXPECT_EQ(grid->Cells(2, 1), "old");
    EXPECT_EQ(grid->EditBtnEditor()->Text(), "old");
}

}  // namespace
