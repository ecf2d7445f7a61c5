// The combo editor's own type-ahead (grid Lookup) and its caret
// placement under a click (MouseActions.CaretPositioning).
#include <gtest/gtest.h>

#include <vector>

#include "framework/classes/StringList.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"
#include "gridkit/grid/MouseActions.h"

namespace {

class GkComboTypeAhead : public ::testing::Test {
protected:
    void SetUp() override {
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
        for (const char* s : {"Apple", "apricot", "Banana", "blueberry", "x-ray"}) grid->ComboItems()->Add(s);
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
    }
    void TearDown() override { delete form; }
    TGridCombo* Open(const String& text) {
        grid->SetCells(2, 1, text);
        grid->FocusCell(2, 1, true);
        grid->ShowEditor();
        TGridCombo* combo = grid->ComboEditor();
        EXPECT_TRUE(combo->Visible());
        EXPECT_TRUE(WaitForFocus(combo));
        return combo;
    }
    TForm* form = nullptr;
    TGkStringGrid* grid = nullptr;
    TEditorType kind = edComboEdit;
};

// One key of a typed sequence: a character, Backspace or Delete.
struct Key {
    Word vk;
    const char* text;
};
Key Ch(char c) {
    static char buf[256][2];
    buf[static_cast<unsigned char>(c)][0] = c;
    const Word vk = c >= 'a' && c <= 'z' ? static_cast<Word>(c - 'a' + 'A') : static_cast<Word>(c);
    return Key{vk, buf[static_cast<unsigned char>(c)]};
}
const Key Back{VK_BACK, ""};
const Key Del{VK_DELETE, ""};

struct TypeCase {
    const char* name;
    bool lookup;
    std::vector<Key> keys;
    const char* text;
    int selStart, selLength;
    int lookupIndex;
    int itemIndex;
};

TEST_F(GkComboTypeAhead, ItemsTimesTypedKeys) {
    // lookupIndex: the item the last completion came from; itemIndex: the
    // combo's pick, which is an item only where the text is exactly one.
    const TypeCase cases[] = {
        {"first item by a-z upper case", true, {Ch('a')}, "apple", 1, 4, 0, -1},
        {"typed case kept, rest from the item", true, {Ch('A')}, "Apple", 1, 4, 0, 0},
        {"typing over the completion", true, {Ch('a'), Ch('p')}, "apple", 2, 3, 0, -1},
        {"a later item", true, {Ch('a'), Ch('p'), Ch('r')}, "apricot", 3, 4, 1, 1},
        {"upper-cased typed part", true, {Ch('B'), Ch('L')}, "BLueberry", 2, 7, 3, -1},
        {"no item begins so", true, {Ch('a'), Ch('b')}, "ab", 2, 0, 0, -1},
        {"the rest holds a non-letter", true, {Ch('x')}, "x-ray", 1, 4, 4, 4},
        {"nothing for no match", true, {Ch('q')}, "q", 1, 0, -1, -1},
        {"Backspace clears the flag for one key", true, {Ch('a'), Back}, "a", 1, 0, 0, -1},
        {"the next key completes again", true, {Ch('a'), Back, Ch('p')}, "apple", 2, 3, 0, -1},
        {"Delete clears it too", true, {Ch('b'), Del}, "b", 1, 0, 2, -1},
        {"Lookup off: no completion at all", false, {Ch('a'), Ch('p')}, "ap", 2, 0, -1, -1},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid->Lookup = c.lookup;
        TGridCombo* combo = Open("");
        for (const Key& k : c.keys) SimulateKey(combo, k.vk, k.text);
        EXPECT_EQ(combo->Text(), c.text);
        EXPECT_EQ(combo->SelStart(), c.selStart);
        EXPECT_EQ(combo->SelLength(), c.selLength);
        EXPECT_EQ(combo->LookupIndex(), c.lookupIndex);
        EXPECT_EQ(combo->ItemIndex(), c.itemIndex);
        grid->CloseCellEditor(grid->Col(), grid->Row());
        grid->HideEditor();
        ASSERT_TRUE(WaitForFocus(grid));
    }
}

TEST(GkComboLookupRule, FirstItemInListOrderComparedUpperAZ) {
    TStringList items;
    for (const char* s : {"beta", "Alpha", "alpine", "\xc3\xa9t\xc3\xa9"}) items.Add(s);
    String out;
    EXPECT_EQ(TGridCombo::LookupCompletion("al", &items, out), 1);
    EXPECT_EQ(out, "alpha");
    EXPECT_EQ(TGridCombo::LookupCompletion("ALPI", &items, out), 2);
    EXPECT_EQ(out, "ALPIne");
    EXPECT_EQ(TGridCombo::LookupCompletion("", &items, out), -1);
    EXPECT_EQ(TGridCombo::LookupCompletion("gamma", &items, out), -1);
    EXPECT_EQ(TGridCombo::LookupCompletion("\xc3\xa9", &items, out), 3);
}

TEST_F(GkComboTypeAhead, ListStyleDoesNotComplete) {
    grid->Lookup = true;
    kind = edComboList;
    TGridCombo* combo = Open("Banana");
    SimulateKey(combo, 'A', "a");
    EXPECT_EQ(combo->LookupIndex(), -1);
    grid->CloseCellEditor(grid->Col(), grid->Row());
    grid->HideEditor();
}

// A letter typed on a list cell opens its editor on the first item that
// begins with it, in either case, as a list-only box does; an editable cell
// takes the letter as its text and completes it. The pick is what goes back.
TEST_F(GkComboTypeAhead, LetterTypedOnTheCellIsTheEditorsFirstKey) {
    struct TCase {
        const char* Name;
        TEditorType Kind;
        bool Lookup;
        Word Vk;
        const char* Typed;
        const char* Cell;
        const char* Written;
    };
    const TCase cases[] = {
        {"list: first item with b", edComboList, false, 'B', "b", "Apple", "Banana"},
        {"list: capital letter, lower-case item", edComboList, false, 'X', "X", "Apple", "x-ray"},
        {"list: first item with a, not the cell's", edComboList, false, 'A', "a", "apricot", "Apple"},
        {"list: no item with q keeps the cell", edComboList, false, 'Q', "q", "Banana", "Banana"},
        {"editable, lookup on: completed after the typed b", edComboEdit, true, 'B', "b", "Apple", "banana"},
        {"editable, lookup off: the letter", edComboEdit, false, 'Z', "z", "Apple", "z"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        kind = c.Kind;
        grid->Lookup = c.Lookup;
        grid->SetCells(2, 1, c.Cell);
        grid->FocusCell(2, 1, true);
        ASSERT_TRUE(WaitForFocus(grid));
        SimulateKey(grid, c.Vk, c.Typed);
        TGridCombo* combo = grid->ComboEditor();
        ASSERT_TRUE(combo->Visible());
        ASSERT_TRUE(WaitForFocus(combo));
        EXPECT_EQ(combo->Text(), c.Written);
        SimulateKey(combo, VK_RETURN, "\r");
        EXPECT_FALSE(combo->Visible());
        EXPECT_EQ(grid->Cells(2, 1), c.Written);
    }
}

class GkComboCaret : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 300);
        grid = new TGkColumnGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 260);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetColWidths(2, 160);
        grid->Columns()->Items(2)->Editor = edComboEdit;
        grid->Columns()->Items(2)->ComboItems()->Add("abcdefgh");
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
    TGkColumnGrid* grid = nullptr;
};

TEST_F(GkComboCaret, ClickOnTheCellPutsTheCaretUnderTheMouse) {
    grid->SetCells(2, 1, "abcdefgh");
    const TRect r = grid->CellRect(2, 1);
    grid->Canvas()->Font()->Assign(grid->Font());
    // Just right of "abc" as the grid draws the cell: before character 3.
    const int x = r.Left + 2 + grid->Canvas()->TextWidth("abc") + 1;
    const int y = r.Top + r.Height() / 2;
    for (bool positioning : {true, false}) {
        SCOPED_TRACE(positioning ? "CaretPositioning" : "without");
        grid->MouseActions()->CaretPositioning = positioning;
        grid->FocusCell(1, 1, true);
        SimulateClick(grid, x, y);  // selects the cell
        SimulateClick(grid, x, y);  // opens its editor
        TGridCombo* combo = grid->ComboEditor();
        ASSERT_TRUE(combo->Visible());
        ASSERT_TRUE(WaitForFocus(combo));
        EXPECT_EQ(combo->Text(), "abcdefgh");
        if (positioning) {
            EXPECT_EQ(combo->SelStart(), 3);
            EXPECT_EQ(combo->SelLength(), 0);
        } else {
            EXPECT_FALSE(combo->SelStart() == 3 && combo->SelLength() == 0);
        }
        SimulateKey(combo, VK_ESCAPE);
        ASSERT_TRUE(WaitForFocus(grid));
        EXPECT_FALSE(combo->Visible());
    }
}

TEST_F(GkComboCaret, KeyboardOpenedEditorHasNoClickToFollow) {
    grid->MouseActions()->CaretPositioning = true;
    grid->SetCells(2, 1, "abcdefgh");
    const TRect r = grid->CellRect(2, 1);
    SimulateClick(grid, r.Left + 20, r.Top + 5);  // selects the cell only
    SimulateKey(grid, VK_F2);                     // the keyboard opens the editor: no click to follow
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(WaitForFocus(combo));
    EXPECT_NE(combo->SelStart(), 3);
}

}  // namespace
