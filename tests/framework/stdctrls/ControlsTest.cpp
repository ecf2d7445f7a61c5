#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/classes/Strings.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Application.h"
#include "framework/controls/Screen.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/RichEdit.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/testkit/ToolkitQueries.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "support/TempDir.h"
#include "framework/controls/UpDown.h"

// One of each control, set up before the window shows and read back after.
TEST(StandardControls, PropertiesSetBeforeShowingSurviveIt) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 400);
    auto* label = new TLabel(&form);
    label->SetCaption("&Title:");
    label->SetParent(&form);
    auto* edit = new TEdit(&form);
    edit->SetText("Velmor");
    edit->SetReadOnly(true);
    edit->SetParent(&form);
    label->SetFocusControl(edit);
    auto* memo = new TMemo(&form);
    memo->Lines()->Add("keywords");
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    memo->SetParent(&form);
    auto* button = new TButton(&form);
    button->SetCaption("OK");
    button->SetModalResult(mrOk);
    button->SetParent(&form);
    auto* check = new TCheckBox(&form);
    check->SetAllowGrayed(true);
    check->SetState(cbGrayed);
    check->SetParent(&form);
    auto* combo = new TComboBox(&form);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("index");
    combo->Items()->Add("noindex");
    combo->SetItemIndex(1);
    combo->SetParent(&form);
    auto* list = new TListBox(&form);
    list->Items()->Add("a");
    list->Items()->Add("b");
    list->SetMultiSelect(true);
    list->SetSelected(1, true);
    list->SetParent(&form);
    auto* group = new TRadioGroup(&form);
    group->Items()->Add("HTML");
    group->Items()->Add("XHTML");
    group->SetItemIndex(1);
    group->SetParent(&form);
    auto* panel = new TPanel(&form);
    panel->SetBevelOuter(bvLowered);
    panel->SetCaption("panel");
    panel->SetParent(&form);

    form.Show();
    EXPECT_EQ(label->Caption(), "&Title:");
    EXPECT_EQ(label->Accelerator(), 't');
    EXPECT_GT(label->Width(), 0);  // sized to its text
    EXPECT_EQ(edit->Text(), "Velmor");
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_EQ(memo->Text(), "keywords\r\n");
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_EQ(combo->Text(), "noindex");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_TRUE(list->Selected(1));
    EXPECT_FALSE(list->Selected(0));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_EQ(panel->BevelOuter(), bvLowered);
}

TEST(CheckBox, ClickCyclesThroughGrayedOnlyWhenAllowed) {
    TForm form(nullptr);
    auto* box = new TCheckBox(&form);
    box->SetParent(&form);
    form.Show();
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    SimulateClick(box, 5, 5);
    EXPECT_TRUE(box->Checked());
    SimulateClick(box, 5, 5);
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetAllowGrayed(true);
    SimulateClick(box, 5, 5);
    SimulateClick(box, 5, 5);
    EXPECT_EQ(box->State(), cbGrayed);
    box->SetChecked(true);  // code clicks too, as the classic box does
    EXPECT_EQ(clicks, 5);
}

TEST(RadioButton, CheckingOneUnchecksItsSiblings) {
    TForm form(nullptr);
    auto* a = new TRadioButton(&form);
    auto* b = new TRadioButton(&form);
    a->SetParent(&form);
    b->SetParent(&form);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
}

TEST(ComboBox, TypingFiresOnChangeForEachCharacterAndCodeDoesNot) {
    TForm form(nullptr);
    auto* combo = new TComboBox(&form);
    combo->Items()->Add("dublin");
    combo->SetParent(&form);
    form.Show();
    std::vector<String> seen;
    combo->OnChange = [&](TObject*) { seen.push_back(combo->Text()); };
    combo->SetText("dublin");
    EXPECT_EQ(combo->ItemIndex(), 0);
    combo->SetText("");
    ASSERT_TRUE(WaitForFocus(combo));
    SimulateKey(combo, 'G', "g");
    SimulateKey(combo, 'I', "i");
    EXPECT_EQ(seen, (std::vector<String>{"g", "gi"}));
    EXPECT_EQ(combo->ItemIndex(), -1);
}

// The window system delivers a click on an editable combo box to the edit
// inside it; the box reports it in its own coordinates.
TEST(ComboBox, AClickOnTheInnerEditReachesTheBoxInItsCoordinates) {
    TForm form(nullptr);
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 150, 24);
    form.Show();
    TPoint seen{-1, -1};
    combo->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { seen = TPoint{x, y}; };
    SimulateClick(combo, 30, 12);
    EXPECT_EQ(seen.X, 30);
    EXPECT_EQ(seen.Y, 12);
}

TEST(UpDown, BuddyTextFollowsThePositionAndTypedNumbersMoveIt) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetBounds(10, 10, 80, 21);
    edit->SetParent(&form);
    auto* ud = new TUpDown(&form);
    ud->SetMin(1);
    ud->SetMax(5);
    ud->SetAssociate(edit);
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(ud->Left(), edit->Left() + edit->Width());
    form.Show();
    std::vector<TUDBtnType> clicks;
    ud->OnClick = [&](TObject*, TUDBtnType b) { clicks.push_back(b); };
    SimulateClick(ud, 3, 2);  // upper arrow
    EXPECT_EQ(ud->Position(), 2);
    EXPECT_EQ(edit->Text(), "2");
    edit->SetText("4");
    EXPECT_EQ(ud->Position(), 4);
    edit->SetText("x");  // not a number: the position stays
    edit->SetText("9");  // out of range: likewise
    EXPECT_EQ(ud->Position(), 4);
    ud->Step(btNext);
    ud->Step(btNext);
    EXPECT_EQ(ud->Position(), 5);
    ud->Wrap = true;
    ud->Step(btNext);
    EXPECT_EQ(ud->Position(), 1);
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(clicks.front(), btNext);
}

class TreeFileTest : public ::testing::Test {
protected:
    void Write(const String& s) { WriteAll(Path, s); }
    String Read() { return ReadAll(Path); }
    static String Dump(TTreeView& tv) {
        String s;
        for (TTreeNode* n = tv.Items()->GetFirstNode(); n; n = n->GetNext())
            s += std::to_string(n->Level()) + ":" + n->Text() + ";";
        return s;
    }
    TTempDir Scratch;
    String Path = Scratch.File("tree.kdtf");
};

TEST_F(TreeFileTest, SavesTabIndentedLinesAndReadsThemBack) {
    TTreeView tv(nullptr);
    TTreeNode* a = tv.Items()->Add(nullptr, "A");
    TTreeNode* a1 = tv.Items()->AddChild(a, "A1");
    tv.Items()->AddChild(a1, "A2");
    tv.Items()->Add(a, "B");
    tv.SaveToFile(Path);
    EXPECT_EQ(Read(), "A\r\n\tA1\r\n\t\tA2\r\nB\r\n");
    TTreeView back(nullptr);
    back.LoadFromFile(Path);
    EXPECT_EQ(Dump(back), "0:A;1:A1;2:A2;0:B;");
    EXPECT_EQ(back.Items()->Item(2)->Parent()->Text(), "A1");
}

TEST_F(TreeFileTest, BlanksIndentBlankLinesAreRootsAndDeepJumpsStop) {
    TTreeView tv(nullptr);
    Write("A\n\tA1\nB\n B1\n\n\tC1\n");
    tv.LoadFromFile(Path);
    EXPECT_EQ(Dump(tv), "0:A;1:A1;0:B;1:B1;0:;1:C1;");

    TTreeView bad(nullptr);
    Write("A\r\n\t\tX\r\nB\r\n");
    try {
        bad.LoadFromFile(Path);
        FAIL() << "no error";
    } catch (const ETreeViewError& e) {
        EXPECT_EQ(e.Message, "Invalid level (2) for item \"X\"");
    }
    EXPECT_EQ(Dump(bad), "0:A;");
}

TEST(TreeView, SelectionSortingAndDeletionOnAShownTree) {
    TForm form(nullptr);
    auto* tv = new TTreeView(&form);
    tv->SetParent(&form);
    form.Show();
    std::vector<String> changes;
    tv->OnChange = [&](TObject*, TTreeNode* n) { changes.push_back(n ? n->Text() : "-"); };
    TTreeNode* zebra = tv->Items()->Add(nullptr, "Zebra");
    TTreeNode* apple = tv->Items()->Add(nullptr, "Apple");
    tv->SetSortType(stText);
    EXPECT_EQ(tv->Items()->GetFirstNode(), apple);
    tv->Items()->Add(nullptr, "Mango");
    EXPECT_EQ(apple->GetNextSibling()->Text(), "Mango");
    zebra->SetSelected(true);
    zebra->Delete();
    EXPECT_EQ(tv->Selected()->Text(), "Mango");
    EXPECT_EQ(changes, (std::vector<String>{"Zebra", "Mango"}));
    bool edited = false;
    tv->OnEdited = [&](TObject*, TTreeNode*, String& s) {
        edited = true;
        s += "!";
    };
    ASSERT_TRUE(apple->EditText());
    tv->EndEditing("Pear", false);
    EXPECT_TRUE(edited);
    EXPECT_EQ(tv->Items()->Item(1)->Text(), "Pear!");  // kept in order
}

TEST(Menus, ShortCutsAndAltAcceleratorsReachItemsFromAnyControl) {
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption("&File");
    auto* open = new TMenuItem(&form);
    open->SetCaption("&Open ...");
    open->SetShortCut(ShortCut('O', ssCtrl));
    auto* line = new TMenuItem(&form);
    line->SetCaption("-");
    auto* help = new TMenuItem(&form);
    help->SetCaption("&Help");
    menu->Items()->Add(file);
    file->Add(open);
    file->Add(line);
    menu->Items()->Add(help);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    form.Show();
    ASSERT_TRUE(WaitForFocus(edit));
    std::vector<String> clicked;
    open->OnClick = [&](TObject*) { clicked.push_back("open"); };
    help->OnClick = [&](TObject*) { clicked.push_back("help"); };
    SimulateKey(edit, 'O', "\x0f", ssCtrl);
    SimulateKey(edit, 'H', "", ssAlt);
    EXPECT_EQ(clicked, (std::vector<String>{"open", "help"}));
    EXPECT_EQ(edit->Text(), "");  // the keys went to the menu, not the edit
    EXPECT_TRUE(line->IsLine());
    EXPECT_EQ(ShortCutToText(open->ShortCut()), "Ctrl+O");
    EXPECT_EQ(TextToShortCut("Ctrl+O"), open->ShortCut());
    open->SetEnabled(false);
    SimulateKey(edit, 'O', "\x0f", ssCtrl);
    EXPECT_EQ(clicked.size(), 2u);
}

TEST(Menus, MainMenuBarSitsAboveTheClientArea) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    const int clientHeight = form.ClientHeight();
    const int height = form.Height();
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetBounds(0, 0, 300, 30);
    panel->SetAlign(alTop);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    EXPECT_EQ(form.Menu(), menu);
    const int bar = TMainMenu::BarHeight();
    ASSERT_GT(bar, 0);
    // Worked out from the style and the font alone, it is what a real bar
    // with one item asks for.
    EXPECT_EQ(bar, LoneMenuBarHeight("&File"));
    EXPECT_EQ(form.ClientHeight(), clientHeight);
    EXPECT_EQ(form.Height(), height + bar);
    form.Show();
    EXPECT_EQ(form.ClientHeight(), clientHeight);
    EXPECT_EQ(panel->Top(), 0);
    EXPECT_EQ(panel->ClientOrigin().Y, form.ClientOrigin().Y);

    // The window's picture: the bar on top, the panel right below it.
    TBitmap bmp(300, bar + 40);
    form.PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_NE(bmp.Canvas()->Pixels(150, bar / 2), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(150, bar + 1), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(150, bar + 28), clRed);
    EXPECT_NE(bmp.Canvas()->Pixels(150, bar + 32), clRed);

    // Without the menu the client area keeps its size and the window shrinks.
    const int shownHeight = form.Height();  // with the window frame now known
    delete menu;
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(form.ClientHeight(), clientHeight);
    EXPECT_EQ(form.Height(), shownHeight - bar);
    TBitmap after(300, 40);
    form.PaintTo(after.Canvas(), 0, 0);
    EXPECT_EQ(after.Canvas()->Pixels(150, 1), clRed);
}

TEST(Menus, PopupFiresOnPopupAndRadioItemsExcludeEachOther) {
    TDialogScript seam;  // nothing waits for a pick
    TPopupMenu popup(nullptr);
    auto* a = new TMenuItem(&popup);
    auto* b = new TMenuItem(&popup);
    a->SetRadioItem(true);
    b->SetRadioItem(true);
    popup.Items()->Add(a);
    popup.Items()->Add(b);
    int shown = 0;
    popup.OnPopup = [&](TObject*) { ++shown; };
    popup.Popup(10, 20);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(popup.LastPopupPoint(), Point(10, 20));
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
}

