// Selecting a cell (its events, their veto, editability per cell) and the
// end-of-edit validation with its four outcomes; the text editor's filter
// and paste as typed into a real grid.
#include <gtest/gtest.h>

#include <vector>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/MessageQueue.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/editors/GkInplaceEdit.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/Navigation.h"
#include "gridkit/grid/SizeWhileTyping.h"

namespace {

class GkGridOnForm : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 300);
        grid = MakeGrid();
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 260);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(grid->Options() | goEditing);
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
        SetGkBeepHook([this] { ++beeps; });
    }
    void TearDown() override {
        SetGkBeepHook(nullptr);
        delete form;
    }
    virtual TGkStringGrid* MakeGrid() { return new TGkStringGrid(form); }
    TGkInplaceEdit* Editor() { return dynamic_cast<TGkInplaceEdit*>(grid->InplaceEditor()); }
    TForm* form = nullptr;
    TGkStringGrid* grid = nullptr;
    int beeps = 0;
};

using GkSelectCell = GkGridOnForm;

TEST_F(GkSelectCell, EventsInOrderAndEachMayVeto) {
    std::vector<String> log;
    String veto;
    auto note = [&](const String& name, bool& allow) {
        log.push_back(name);
        if (name == veto) allow = false;
    };
    grid->OnRowChanging = [&](TObject*, int, int, bool& a) { note("row", a); };
    grid->OnColChanging = [&](TObject*, int, int, bool& a) { note("col", a); };
    grid->OnCellChanging = [&](TObject*, int, int, int, int, bool& a) { note("cell", a); };
    grid->OnCanEditCell = [&](TObject*, int, int, bool&) { log.push_back("canedit"); };
    grid->OnIsFixedCell = [&](TObject*, int, int, bool& f) { note("fixed", f), f = veto == "fixed"; };
    grid->OnSelectCell = [&](TObject*, int, int, bool& a) { note("select", a); };
    const std::pair<const char*, const char*> cases[] = {
        {"", "row col cell canedit fixed select "},
        {"row", "row col cell fixed select "},
        {"col", "row col cell fixed select "},
        {"cell", "row col cell fixed select "},
        {"fixed", "row col cell canedit fixed "},
        {"select", "row col cell canedit fixed select "},
    };
    for (const auto& [v, expected] : cases) {
        grid->FocusCell(1, 1, true);
        log.clear();
        veto = v;
        grid->FocusCell(2, 2, true);
        String got;
        for (const String& s : log) got += s + " ";
        EXPECT_EQ(got, expected) << "veto by " << v;
        const bool moved = grid->Col() == 2 && grid->Row() == 2;
        EXPECT_EQ(moved, veto.empty()) << "veto by " << v;
        veto.clear();
    }
}

TEST_F(GkSelectCell, EditabilityIsDecidedPerCell) {
    grid->OnCanEditCell = [](TObject*, int, int c, bool& can) {
        if (c == 2) can = false;
    };
    grid->FocusCell(2, 1, true);
    EXPECT_FALSE(grid->Options() & goEditing);
    grid->FocusCell(1, 1, true);
    EXPECT_TRUE(grid->Options() & goEditing);
    EXPECT_TRUE(grid->CellIsEditable(1, 1));
    EXPECT_FALSE(grid->CellIsEditable(2, 1));
    grid->SetFixedFooters(1);
    EXPECT_TRUE(grid->CellIsFixed(1, 3));
    EXPECT_FALSE(grid->CellIsFixed(1, 2));
}

using GkValidateCell = GkGridOnForm;

TEST_F(GkValidateCell, FourOutcomes) {
    struct Case {
        const char* name;
        const char* typed;    // what the cell holds on leaving it
        bool valid;
        const char* correct;  // the handler's value, nullptr: untouched
        int events;
        const char* cell;     // the cell afterwards
        bool back;            // the user is returned to the cell
    };
    const Case cases[] = {
        {"unchanged", "old", true, nullptr, 0, "old", false},
        {"accepted and corrected", "new", true, "NEW", 1, "NEW", false},
        {"refused", "new", false, nullptr, 1, "old", true},
        {"refused and corrected", "new", false, "fixed", 1, "fixed", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int events = 0;
        grid->OnCellValidate = [&](TObject*, int col, int row, String& value, bool& valid) {
            ++events;
            EXPECT_EQ(col, 1);
            EXPECT_EQ(row, 1);
            EXPECT_EQ(value, c.typed);
            valid = c.valid;
            if (c.correct) value = c.correct;
        };
        grid->HideEditor();
        grid->SetCells(1, 1, "old");
        grid->FocusCell(1, 1, true);
        grid->RememberEditText(1, 1);
        grid->SetCells(1, 1, c.typed);
        grid->FocusCell(2, 2, true);
        grid->Click();
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(grid->Cells(1, 1), c.cell);
        EXPECT_EQ(grid->Col() == 1 && grid->Row() == 1, c.back);
        EXPECT_EQ(grid->EditorMode(), c.back);
    }
}

TEST_F(GkValidateCell, KeyboardMovesClickAndEnterAsksFirst) {
    int clicks = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    grid->FocusCell(1, 1, true);
    SimulateKey(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(clicks, 1);

    grid->SetCells(1, 2, "old");
    grid->Click();
    grid->OnCellValidate = [](TObject*, int, int, String&, bool& valid) { valid = false; };
    grid->ShowEditor();
    ASSERT_NE(Editor(), nullptr);
    SimulateKey(Editor(), 'X', "x");
    SimulateKey(Editor(), VK_RETURN, "\r");
    EXPECT_TRUE(grid->EditorMode());  // refused: the editor stays on the cell
    EXPECT_EQ(grid->Cells(1, 2), "old");
}

TEST_F(GkValidateCell, LeavingTheGridValidatesButMovingIntoItsEditorDoesNot) {
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(0, 270, 100, 20);
    grid->SetCells(1, 1, "old");
    grid->FocusCell(1, 1, true);
    grid->Click();
    int events = 0;
    grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++events; };
    grid->ShowEditor();  // the focus moves into the grid's own editor
    ASSERT_TRUE(WaitForFocus(Editor()));
    SimulateKey(Editor(), 'N', "n");
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    EXPECT_EQ(events, 0);
    ASSERT_TRUE(WaitForFocus(other));
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    EXPECT_EQ(events, 1);
    EXPECT_EQ(grid->Cells(1, 1), "n");
}

using GkTextEditor = GkGridOnForm;

TEST_F(GkTextEditor, TypedCharactersPassTheKindsFilter) {
    TEditorType kind = edNumeric;
    grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& e) { e = kind; };
    grid->SetCells(1, 1, "12");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    Editor()->SetSelStart(2);
    SimulateKey(Editor(), VK_SUBTRACT, "-");
    EXPECT_EQ(Editor()->Text(), "12");
    EXPECT_EQ(beeps, 1);
    SimulateKey(Editor(), '3', "3");
    EXPECT_EQ(grid->Cells(1, 1), "123");
    grid->HideEditor();

    kind = edMixedCase;
    grid->SetCells(1, 1, "");
    grid->ShowEditor();
    for (char ch : String("mcadam smith")) SimulateKey(Editor(), 'A', String(1, ch));
    EXPECT_EQ(grid->Cells(1, 1), "McAdam Smith");
}

TEST_F(GkTextEditor, PasteKeepsToTheLimitOfTheResult) {
    grid->MaxEditLength = 5;
    grid->SetCells(1, 1, "abc");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    Clipboard()->SetAsText("xyz");
    Editor()->SetSelStart(3);
    Editor()->Perform(WM_PASTE);
    EXPECT_EQ(Editor()->Text(), "abc");
    Editor()->SetSelStart(1);
    Editor()->SetSelLength(2);
    Editor()->Perform(WM_PASTE);
    EXPECT_EQ(Editor()->Text(), "axyz");
    EXPECT_EQ(Editor()->SelStart(), 4);
    bool allow = false;
    grid->OnClipboardPaste = [&](TObject* sender, bool& a) {
        EXPECT_EQ(sender, Editor());
        a = allow;
    };
    Editor()->SelectAll();
    Editor()->Perform(WM_PASTE);
    EXPECT_EQ(Editor()->Text(), "axyz");
}

TEST_F(GkTextEditor, TypeAheadCompletesAndSelectsTheRest) {
    grid->Lookup = true;
    grid->LookupItems()->Add("Amsterdam");
    grid->SetCells(1, 1, "");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    SimulateKey(Editor(), 'A', "a");
    SimulateKey(Editor(), 'M', "m");
    EXPECT_EQ(Editor()->Text(), "amsterdam");
    EXPECT_EQ(Editor()->SelStart(), 2);
    EXPECT_EQ(Editor()->SelText(), "sterdam");
}

TEST_F(GkTextEditor, ColumnGrowsWhileTyping) {
    grid->SizeWhileTyping()->Width = true;
    grid->SetColWidths(1, 20);
    grid->SetCells(1, 1, "");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    for (char ch : String("a rather long text")) SimulateKey(Editor(), 'A', String(1, ch));
    EXPECT_GT(grid->ColWidths(1), 60);
    const int grown = grid->ColWidths(1);
    SimulateKey(Editor(), VK_BACK);
    EXPECT_EQ(grid->ColWidths(1), grown);
}

TEST_F(GkTextEditor, NumbersAreEditedWhereTheCellShowsThem) {
    grid->AutoNumAlign = true;
    grid->SetCells(1, 1, "123");
    grid->SetCells(2, 1, "abc");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    EXPECT_TRUE(Editor()->valign);
    EXPECT_EQ(Editor()->Alignment(), taRightJustify);
    grid->FocusCell(2, 1, true);
    grid->ShowEditor();
    EXPECT_FALSE(Editor()->valign);
    EXPECT_EQ(Editor()->Alignment(), taLeftJustify);
}

TEST_F(GkTextEditor, UpAndDownWalkTheLinesBeforeLeavingTheCell) {
    grid->SetMultilinecells(true);
    grid->SetCells(1, 1, "ab\r\ncd");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    ASSERT_EQ(Editor()->Text(), "ab\r\ncd");
    Editor()->SetSelStart(1);
    SimulateKey(Editor(), VK_DOWN);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(Editor()->SelStart(), 5);
    SimulateKey(Editor(), VK_DOWN);  // from the last line the grid moves on
    EXPECT_EQ(grid->Row(), 2);

    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    Editor()->SetSelStart(5);
    SimulateKey(Editor(), VK_UP);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(Editor()->SelStart(), 1);
    SimulateKey(Editor(), VK_UP);
    EXPECT_EQ(grid->Row(), 0 + grid->FixedRows());
}

TEST_F(GkTextEditor, CtrlEnterAddsALineAndMakesRoomForIt) {
    grid->SizeWhileTyping()->Height = true;
    grid->SetMultilinecells(true);
    grid->SetRowHeights(1, 12);
    grid->SetCells(1, 1, "ab");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    Editor()->SetSelStart(2);
    const int oneLine = grid->MeasureCellText(1, 1).cy;
    SimulateKey(Editor(), VK_RETURN, "\r", ssCtrl);
    EXPECT_EQ(grid->Cells(1, 1), "ab\r\n");
    EXPECT_EQ(grid->Row(), 1);  // no move, no validation step
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_GE(grid->RowHeights(1), 2 * oneLine);

    // A row the user made high enough keeps its height.
    grid->SetRowHeights(1, 200);
    SimulateKey(Editor(), VK_RETURN, "\r", ssCtrl);
    EXPECT_EQ(grid->Cells(1, 1), "ab\r\n\r\n");
    EXPECT_EQ(grid->RowHeights(1), 200);

    // Without cells of several lines Ctrl+Enter is Enter.
    grid->SetMultilinecells(false);
    SimulateKey(Editor(), VK_RETURN, "\r", ssCtrl);
    EXPECT_EQ(grid->Cells(1, 1).find("\r\n\r\n\r\n"), String::npos);
}

TEST_F(GkTextEditor, AFullEditorAdvancesByItselfWithAdvanceAuto) {
    struct Case {
        bool advanceAuto;
        int limit;
        const char* typed;
        int expectedCol;
    };
    const Case cases[] = {
        {true, 3, "ab", 1},    // not full yet
        {true, 3, "abc", 2},   // full: on to the next cell
        {true, 3, "a c", 2},   // a blank is a character like any other
        {false, 3, "abc", 1},
        {true, 0, "abcdef", 1},  // no limit, never full
    };
    grid->Navigation()->AdvanceOnEnter = true;  // how Enter moves in this grid
    for (const Case& c : cases) {
        grid->Navigation()->AdvanceAuto = c.advanceAuto;
        grid->MaxEditLength = c.limit;
        grid->SetCells(1, 1, "");
        grid->FocusCell(1, 1, true);
        grid->ShowEditor();
        ASSERT_TRUE(WaitForFocus(Editor()));
        for (char ch : String(c.typed)) SimulateKey(Editor(), 'A', String(1, ch));
        EXPECT_EQ(grid->Col(), c.expectedCol) << c.typed << " limit " << c.limit;
        EXPECT_EQ(grid->Cells(1, 1), c.typed);
        grid->HideEditor();
    }
    // The caret short of the end types into the middle: no advance.
    grid->Navigation()->AdvanceAuto = true;
    grid->MaxEditLength = 3;
    grid->SetCells(1, 1, "ab");
    grid->FocusCell(1, 1, true);
    grid->ShowEditor();
    Editor()->SetSelStart(1);
    SimulateKey(Editor(), 'X', "x");
    EXPECT_EQ(grid->Cells(1, 1), "axb");
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GkTextEditor, ImproveMaskSelSelectsTheFirstCharacterOfALimitedEntry) {
    struct Case {
        bool improve;
        int limit;
        int selLength;
    };
    const Case cases[] = {{true, 5, 1}, {false, 5, 5}, {true, 0, 5}};
    for (const Case& c : cases) {
        grid->Navigation()->ImproveMaskSel = c.improve;
        grid->MaxEditLength = c.limit;
        grid->SetCells(1, 1, "hello");
        grid->FocusCell(1, 1, true);
        ASSERT_TRUE(WaitForFocus(grid));
        grid->ShowEditor();
        ASSERT_TRUE(WaitForFocus(Editor()));
        EXPECT_EQ(Editor()->SelStart(), 0);
        EXPECT_EQ(Editor()->SelLength(), c.selLength) << "improve " << c.improve << " limit " << c.limit;
        grid->HideEditor();
    }
}

TEST_F(GkTextEditor, CaretPositioningPutsTheCaretUnderTheClick) {
    grid->SetCells(1, 1, "abcdefgh");
    grid->FocusCell(1, 1, true);
    // Just right of "abc" as the grid draws the cell: before character 3.
    grid->Canvas()->Font()->Assign(grid->Font());
    const int x = grid->CellRect(1, 1).Left + 2 + grid->Canvas()->TextWidth("abc") + 1;
    const int y = grid->CellRect(1, 1).Top + grid->CellRect(1, 1).Height() / 2;
    for (bool positioning : {true, false}) {
        grid->MouseActions()->CaretPositioning = positioning;
        SimulateMouseDown(grid, mbLeft, x, y);
        SimulateMouseUp(grid, mbLeft, x, y);
        ASSERT_TRUE(WaitForFocus(Editor()));
        if (positioning) {
            EXPECT_EQ(Editor()->SelStart(), 3);
            EXPECT_EQ(Editor()->SelLength(), 0);
        } else {
            EXPECT_EQ(Editor()->SelLength(), 8);  // the plain click selects all
        }
        grid->HideEditor();
        ASSERT_TRUE(WaitForFocus(grid));
    }
}

class GkColumnGridDropDown : public GkGridOnForm {
protected:
    TGkStringGrid* MakeGrid() override { return column = new TGkColumnGrid(form); }
    TGkColumnGrid* column = nullptr;
};

TEST_F(GkColumnGridDropDown, ClicksOpenTheListAndThePickReachesTheCell) {
    TGridColumnItem* item = column->Columns()->Items(2);
    item->Editor = edComboList;
    item->ComboItems()->Add("alpha");
    item->ComboItems()->Add("beta");
    item->ComboItems()->Add("gamma");
    column->SetCells(2, 1, "alpha");
    const TRect r = column->CellRect(2, 1);
    SimulateClick(column, r.Left + 5, r.Top + 5);  // selects the cell
    SimulateClick(column, r.Left + 5, r.Top + 5);  // opens its editor
    TGridCombo* combo = column->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Text(), "alpha");
    EXPECT_EQ(combo->Left(), r.Left);
    ASSERT_TRUE(WaitForFocus(combo));
    SimulateKey(combo, VK_DOWN);  // in a list, Down moves to the next item
    EXPECT_TRUE(combo->Visible());
    SimulateKey(combo, VK_RETURN, "\r");
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(column->Cells(2, 1), "beta");
}

}  // namespace

namespace {

TEST_F(GkColumnGridDropDown, AColumnsEditLengthLimitsTypingAndPasting) {
    column->Columns()->Items(1)->EditLength = 5;
    column->Columns()->Items(2)->Editor = edComboEdit;
    column->Columns()->Items(2)->ComboItems()->Add("Text");
    column->Columns()->Items(2)->ComboItems()->Add("Date");
    column->SetCells(1, 1, "abcd");
    column->FocusCell(1, 1, true);
    column->ShowEditor();
    Editor()->SetSelStart(4);
    SimulateKey(Editor(), 'E', "e");
    SimulateKey(Editor(), 'F', "f");
    EXPECT_EQ(column->Cells(1, 1), "abcde");
    Clipboard()->SetAsText("x");
    Editor()->SetSelStart(5);
    Editor()->Perform(WM_PASTE);
    EXPECT_EQ(column->Cells(1, 1), "abcde");
    column->HideEditor();

    column->SetCells(2, 1, "Memo");  // an editable type: any text stays
    column->FocusCell(2, 1, true);
    column->ShowEditor();
    ASSERT_TRUE(column->ComboEditor()->Visible());
    EXPECT_EQ(column->ComboEditor()->Style(), csDropDown);
    EXPECT_EQ(column->ComboEditor()->Text(), "Memo");
    column->ComboEditor()->SetText("Memo2");
    column->CloseCellEditor(column->Col(), column->Row());
    EXPECT_EQ(column->Cells(2, 1), "Memo2");
}

}  // namespace

namespace {

// A person drops the combo editor's list with the arrow and clicks an item.
TEST_F(GkColumnGridDropDown, TheDroppedListShowsAndTakesAClick) {
    TGridColumnItem* item = column->Columns()->Items(2);
    item->Editor = edComboList;
    for (const char* s : {"alpha", "beta", "gamma"}) item->ComboItems()->Add(s);
    column->SetCells(2, 1, "alpha");
    column->FocusCell(2, 1, true);
    column->ShowEditor();
    TGridCombo* combo = column->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    ASSERT_TRUE(combo->Showing());
    SimulateClick(combo, combo->Width() - 6, combo->Height() / 2);  // the arrow
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(combo->Visible()) << "the editor stays while its list is down";
    // The list lies below the box: the middle of its last of three lines.
    const TRect list = combo->DroppedListRect();
    ASSERT_FALSE(list.IsEmpty());
    const TPoint gamma = combo->ScreenToClient(Point(list.Left + 20, list.Top + list.Height() * 5 / 6));
    SimulateClick(combo, gamma.X, gamma.Y);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), "gamma");
}

// The list drops below its cell, or opens above it where the screen has no
// room below; it never lies over its own cell or the heading row, even for
// a pick at the end of the list (which some styles lay over the box).
TEST_F(GkColumnGridDropDown, TheListDropsBelowItsCellOrAboveWithoutRoom) {
    TGridColumnItem* item = column->Columns()->Items(2);
    item->Editor = edComboList;
    for (const char* s : {"alpha", "beta", "gamma"}) item->ComboItems()->Add(s);
    form->SetBounds(40, 300, form->Width(), form->Height());
    column->SetCells(2, 1, "gamma");
    struct TScreenArea {
        ~TScreenArea() { SetScreenAreaOverride(TRect{}, TRect{}); }
    } restore;
    for (bool room : {true, false}) {
        SCOPED_TRACE(room ? "room below" : "no room below");
        column->FocusCell(2, 1, true);
        column->ShowEditor();
        TGridCombo* combo = column->ComboEditor();
        ASSERT_TRUE(WaitForFocus(combo));
        if (Screen->HasDisplay()) PumpMessagesUntil([] { return false; }, 300);
        const TPoint top = combo->ClientToScreen(Point(0, 0));
        const int bottom = top.Y + combo->Height();
        if (!room) {
            const TRect area = Rect(0, 0, Screen->Width(), bottom + 20);
            SetScreenAreaOverride(area, area);
        }
        // The heading over the cell, as it shows before the list drops.
        const TPoint head = column->ClientToScreen(Point(column->CellRect(2, 0).Left, 0));
        const TRect heading = Bounds(head.X + 2, head.Y + 2, combo->Width() - 4, column->RowHeights(0) - 4);
        TBitmap before, after;
        const bool display = Screen->HasDisplay();
        if (display) {
            PumpMessagesUntil([] { return false; }, 300);  // a window manager's frame and placement settle
            ASSERT_TRUE(Screen->Capture(heading, &before));
        }
        SimulateClick(combo, combo->Width() - 6, combo->Height() / 2);  // the arrow
        ASSERT_TRUE(combo->DroppedDown());
        const TRect list = combo->DroppedListRect();
        ASSERT_FALSE(list.IsEmpty());
        if (room) {
            EXPECT_EQ(list.Top, bottom);
        } else {
            EXPECT_EQ(list.Bottom, top.Y);
        }
        if (display) {
            PumpMessagesUntil([] { return false; }, 200);
            ASSERT_TRUE(Screen->Capture(heading, &after));
            int changed = 0;
            for (int y = 0; y < heading.Height(); ++y)
                for (int x = 0; x < heading.Width(); ++x)
                    changed += before.Canvas()->Pixels(x, y) != after.Canvas()->Pixels(x, y);
            if (room) {
                EXPECT_EQ(changed, 0) << "the list covers the heading row";
            } else {
                EXPECT_GT(changed, 0) << "the list does not show above the cell";
            }
        }
        combo->SetDroppedDown(false);
        SimulateKey(combo, VK_ESCAPE);
        ASSERT_TRUE(WaitForFocus(column));
        SetScreenAreaOverride(TRect{}, TRect{});
    }
}

// With goTabs, Tab in a cell's editor moves to the next cell; without it the
// focus leaves the grid.
TEST_F(GkColumnGridDropDown, TabMovesToTheNextCellWhenTheOptionsAskForIt) {
    column->Columns()->Items(2)->Editor = edComboList;
    column->Columns()->Items(2)->ComboItems()->Add("alpha");
    column->SetOptions(column->Options() | goTabs);
    for (int col : {1, 2}) {
        SCOPED_TRACE(col == 1 ? "text editor" : "combo editor");
        column->FocusCell(col, 1, true);
        column->ShowEditor();
        TWinControl* editor = col == 1 ? static_cast<TWinControl*>(Editor()) : column->ComboEditor();
        ASSERT_TRUE(editor && editor->Visible());
        ASSERT_TRUE(WaitForFocus(editor));
        SimulateKey(editor, VK_TAB, "\t");
        EXPECT_EQ(column->Col(), col + 1);
        EXPECT_EQ(column->Row(), 1);
        column->HideEditor();
    }
}

}  // namespace
