#include <gtest/gtest.h>

#include "framework/classes/Strings.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/testkit/SimulatedInput.h"

// A person's click on the items: the pick moves first, then the control's
// own mouse events and OnClick see it.
TEST(ItemClicks, ListBoxPicksTheLineAndClicksOnce) {
    TForm form(nullptr);
    auto* list = new TListBox(&form);
    list->SetBounds(0, 0, 120, 100);
    for (const char* s : {"one", "two", "three"}) list->Items()->Add(s);
    list->SetParent(&form);
    form.Show();
    std::vector<int> seen;
    int downs = 0;
    list->OnClick = [&](TObject*) { seen.push_back(list->ItemIndex()); };
    list->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        ++downs;
        EXPECT_EQ(list->ItemAtPos(Point(x, y), true), 1);
    };
    const TRect r = list->ItemRect(1);
    SimulateClick(list, r.Left + 10, r.Top + r.Height() / 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(seen, std::vector<int>{1});
    EXPECT_EQ(downs, 1);
}

// Lines added to a shown list one by one reach its window as they come
// and can be picked; a check list keeps its checks meanwhile.
TEST(ItemClicks, LinesAddedToAShownListCanBePicked) {
    TForm form(nullptr);
    auto* list = new TCheckListBox(&form);
    list->SetBounds(0, 0, 120, 160);
    list->Items()->Add("one");
    list->SetParent(&form);
    form.Show();
    list->Items()->Insert(0, "zero");
    list->SetChecked(0, true);
    for (const char* s : {"two", "three", "four"}) list->Items()->Add(s);
    const TRect last = list->ItemRect(4);
    SimulateClick(list, last.Left + 30, last.Top + last.Height() / 2);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(list->Items()->Get(4), "four");
    EXPECT_TRUE(list->Checked(0));
    EXPECT_FALSE(list->Checked(4));
    EXPECT_EQ(list->ItemAtPos(Point(last.Left + 30, last.Bottom + 2), true), -1);
}

TEST(ItemClicks, TreeViewDoubleClickSeesTheSelectedNode) {
    TForm form(nullptr);
    auto* tv = new TTreeView(&form);
    tv->SetBounds(0, 0, 200, 150);
    TTreeNode* science = tv->Items()->Add(nullptr, "Science");
    TTreeNode* physics = tv->Items()->AddChild(science, "Physics");
    science->Expand(false);
    tv->SetParent(&form);
    form.Show();
    std::vector<String> log;
    tv->OnClick = [&](TObject*) { log.push_back("click " + (tv->Selected() ? tv->Selected()->Text() : "-")); };
    tv->OnDblClick = [&](TObject*) { log.push_back("dbl " + (tv->Selected() ? tv->Selected()->Text() : "-")); };
    // The second line of the tree is Physics; find it by asking the tree.
    int y = 2;
    while (y < 150 && tv->GetNodeAt(60, y) != physics) ++y;
    ASSERT_LT(y, 150);
    SimulateDblClick(tv, 60, y + 2);
    EXPECT_EQ(tv->Selected(), physics);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.front(), "click Physics");
    EXPECT_EQ(log.back(), "dbl Physics");
}

TEST(ItemClicks, ListViewSelectsTheRowAndClicks) {
    TForm form(nullptr);
    auto* lv = new TListView(&form);
    lv->SetViewStyle(vsList);
    lv->SetBounds(0, 0, 200, 150);
    for (const char* s : {"title", "keywords"}) lv->Items()->Add()->SetCaption(s);
    lv->SetParent(&form);
    form.Show();
    int clicks = 0;
    lv->OnClick = [&](TObject*) { ++clicks; };
    int y = 2;
    while (y < 150 && lv->GetItemAt(20, y) != lv->Items()->Item(1)) ++y;
    ASSERT_LT(y, 150);
    SimulateClick(lv, 20, y + 2);
    EXPECT_EQ(lv->Selected(), lv->Items()->Item(1));
    EXPECT_EQ(clicks, 1);
}
