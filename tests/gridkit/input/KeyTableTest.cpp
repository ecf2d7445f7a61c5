// The grid's own keys: clipboard shortcuts and the Insert and Delete row
// keys, each with its permission and notice events.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/Form.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/Navigation.h"

namespace {

struct TKeyCase {
    const char* Name;
    Word Key;
    TShiftState Shift;
    bool Shortcuts, InsertRows, DeleteRows, InsertAfter, Allow;
    int StartRow;
    std::vector<String> Column;  // column 1 afterwards
    int Row;                     // current row afterwards
    String Events;
    String Clipboard;            // "-" when untouched
};

class KeyTable : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(KeyTable, RowsEventsAndClipboard) {
    const TKeyCase& c = GetParam();
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 380, 260);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() | goEditing);  // cuts and pastes write editable cells only
    const std::vector<String> start{"H", "a", "b", "c"};
    for (int r = 0; r < 4; ++r) grid->SetCells(1, r, start[r]);
    TNavigation* nav = grid->Navigation();
    nav->AllowClipboardShortCuts = c.Shortcuts;
    nav->AllowInsertRow = c.InsertRows;
    nav->AllowDeleteRow = c.DeleteRows;
    nav->InsertPosition = c.InsertAfter ? pInsertAfter : pInsertBefore;
    String events;
    auto note = [&](const char* what, int row) {
        if (!events.empty()) events += ' ';
        events += what;
        if (row >= 0) events += std::to_string(row);
    };
    grid->OnClipboardCopy = [&](TObject*, bool& allow) { note("copy", -1), allow = c.Allow; };
    grid->OnClipboardCut = [&](TObject*, bool& allow) { note("cut", -1), allow = c.Allow; };
    grid->OnClipboardPaste = [&](TObject*, bool& allow) { note("paste", -1), allow = c.Allow; };
    grid->OnCanInsertRow = [&](TObject*, int row, bool& allow) { note("caninsert", row), allow = c.Allow; };
    grid->OnCanDeleteRow = [&](TObject*, int row, bool& allow) { note("candelete", row), allow = c.Allow; };
    grid->OnAutoInsertRow = [&](TObject*, int row) { note("inserted", row); };
    grid->OnAutoDeleteRow = [&](TObject*, int row) { note("deleted", row); };
    form.Show();
    ASSERT_TRUE(WaitForFocus(grid));
    grid->FocusCell(1, c.StartRow, true);
    Clipboard()->SetAsText("z");

    SimulateKey(grid, c.Key, String(), c.Shift);

    std::vector<String> column;
    for (int r = 0; r < grid->RowCount(); ++r) column.push_back(grid->Cells(1, r));
    EXPECT_EQ(column, c.Column);
    EXPECT_EQ(grid->Row(), c.Row);
    EXPECT_EQ(events, c.Events);
    EXPECT_EQ(Clipboard()->AsText(), c.Clipboard == "-" ? String("z") : c.Clipboard);
}

// Columns: key, shift, shortcuts, insert rows, delete rows, insert after,
// handlers allow, start row.
INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTable,
    ::testing::Values(
        TKeyCase{"CtrlC", 'C', ssCtrl, true, false, false, false, true, 2, {"H", "a", "b", "c"}, 2, "copy", "b"},
        TKeyCase{"CtrlInsert", VK_INSERT, ssCtrl, true, true, false, false, true, 2, {"H", "a", "b", "c"}, 2, "copy", "b"},
        TKeyCase{"CtrlCOff", 'C', ssCtrl, false, false, false, false, true, 2, {"H", "a", "b", "c"}, 2, "", "-"},
        TKeyCase{"CopyVetoed", 'C', ssCtrl, true, false, false, false, false, 2, {"H", "a", "b", "c"}, 2, "copy", "-"},
        TKeyCase{"CtrlX", 'X', ssCtrl, true, false, false, false, true, 2, {"H", "a", "", "c"}, 2, "cut", "b"},
        // With the shortcuts on, Shift+Delete cuts and never deletes the row.
        TKeyCase{"ShiftDelete", VK_DELETE, ssShift, true, false, true, false, true, 2, {"H", "a", "", "c"}, 2, "cut", "b"},
        TKeyCase{"CutVetoed", 'X', ssCtrl, true, false, false, false, false, 2, {"H", "a", "b", "c"}, 2, "cut", "-"},
        TKeyCase{"CtrlV", 'V', ssCtrl, true, false, false, false, true, 2, {"H", "a", "z", "c"}, 2, "paste", "-"},
        TKeyCase{"ShiftInsert", VK_INSERT, ssShift, true, true, false, false, true, 2, {"H", "a", "z", "c"}, 2, "paste", "-"},
        TKeyCase{"InsertBefore", VK_INSERT, 0, false, true, false, false, true, 2, {"H", "a", "", "b", "c"}, 2, "caninsert2 inserted2", "-"},
        TKeyCase{"InsertAfter", VK_INSERT, 0, false, true, false, true, true, 2, {"H", "a", "b", "", "c"}, 3, "caninsert2 inserted3", "-"},
        TKeyCase{"InsertAfterLast", VK_INSERT, 0, false, true, false, true, true, 3, {"H", "a", "b", "c", ""}, 4, "caninsert3 inserted4", "-"},
        TKeyCase{"InsertVetoed", VK_INSERT, 0, false, true, false, false, false, 2, {"H", "a", "b", "c"}, 2, "caninsert2", "-"},
        TKeyCase{"InsertOff", VK_INSERT, 0, false, false, false, false, true, 2, {"H", "a", "b", "c"}, 2, "", "-"},
        TKeyCase{"CtrlInsertIsNoRow", VK_INSERT, ssCtrl, false, true, false, false, true, 2, {"H", "a", "b", "c"}, 2, "", "-"},
        TKeyCase{"Delete", VK_DELETE, 0, false, false, true, false, true, 2, {"H", "a", "c"}, 2, "candelete2 deleted2", "-"},
        TKeyCase{"DeleteLastMovesUp", VK_DELETE, 0, false, false, true, false, true, 3, {"H", "a", "b"}, 2, "candelete3 deleted3", "-"},
        TKeyCase{"DeleteVetoed", VK_DELETE, 0, false, false, true, false, false, 2, {"H", "a", "b", "c"}, 2, "candelete2", "-"},
        TKeyCase{"DeleteOff", VK_DELETE, 0, false, false, false, false, true, 2, {"H", "a", "b", "c"}, 2, "", "-"}),
    [](const ::testing::TestParamInfo<TKeyCase>& info) { return String(info.param.Name); });

TEST(DeleteKey, TheLastDataRowIsEmptiedAndAGridWithoutDataRowsIsLeftAlone) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 380, 260);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetFixedFooters(1);
    grid->Navigation()->AllowDeleteRow = true;
    for (int c = 0; c < 3; ++c) {
        grid->SetCells(c, 0, "h" + std::to_string(c));
        grid->SetCells(c, 1, "d" + std::to_string(c));
        grid->SetCells(c, 2, "f" + std::to_string(c));
    }
    std::vector<int> deleted;
    grid->OnAutoDeleteRow = [&](TObject*, int row) { deleted.push_back(row); };
    form.Show();
    ASSERT_TRUE(WaitForFocus(grid));
    grid->FocusCell(1, 1, true);
    SimulateKey(grid, VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 3);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid->Cells(c, 1), "") << c;  // the fixed column too
    EXPECT_EQ(grid->Cells(1, 2), "f1");                                  // the footer stays
    EXPECT_EQ(deleted, std::vector<int>{1});

    // Header and footer only: there is no row of the user's to delete.
    grid->SetRowCount(2);
    grid->SetCells(1, 1, "f1");
    grid->FocusCell(1, 1, true);
    SimulateKey(grid, VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "f1");
    EXPECT_EQ(deleted, std::vector<int>{1});
}

TEST(DeleteKey, AKeyTheApplicationSwallowedDeletesNothing) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 380, 260);
    grid->SetRowCount(4);
    grid->Navigation()->AllowDeleteRow = true;
    grid->OnKeyDown = [](TObject*, Word& key, TShiftState) {
        if (key == VK_DELETE) key = 0;
    };
    form.Show();
    ASSERT_TRUE(WaitForFocus(grid));
    SimulateKey(grid, VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 4);
}

}  // namespace

namespace {

TEST(AlwaysEdit, TheEditorOpensOnEnteringAndAfterArrowsButNotAfterItHandsTheFocusBack) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* other = new TGkStringGrid(&form);
    other->SetParent(&form);
    other->SetBounds(0, 200, 100, 60);
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 380, 190);
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->AlwaysEdit = true;
    form.Show();
    ASSERT_TRUE(WaitForFocus(other));
    auto editorShows = [&] { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); };
    ASSERT_TRUE(WaitForFocus(grid));
    Application->ProcessMessages();
    EXPECT_TRUE(editorShows());

    grid->HideEditor();  // the editor gives the focus back to the grid
    Application->ProcessMessages();
    EXPECT_FALSE(editorShows());

    SimulateKey(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(editorShows());
}

}  // namespace
