#include <gtest/gtest.h>

#include "framework/classes/Strings.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListColumn.h"
#include "framework/controls/ListColumns.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/testkit/SimulatedInput.h"

namespace {
TListView* ReportView(TForm& form) {
    auto* lv = new TListView(&form);
    lv->SetViewStyle(vsReport);
    lv->SetBounds(0, 0, 300, 200);
    for (auto [caption, width, align] : {std::tuple{"Name", 120, taLeftJustify}, std::tuple{"Length", 60, taRightJustify},
                                         std::tuple{"Status", 80, taCenter}}) {
        TListColumn* c = lv->Columns()->Add();
        c->SetCaption(caption);
        c->SetWidth(width);
        c->SetAlignment(align);
    }
    for (auto [name, len, status] : {std::tuple{"title", "42", "OK"}, std::tuple{"description", "310", "too long"},
                                     std::tuple{"keywords", "880", "OK"}}) {
        TListItem* it = lv->Items()->Add();
        it->SetCaption(name);
        it->SubItems()->Add(len);
        it->SubItems()->Add(status);
    }
    lv->SetParent(&form);
    return lv;
}
}  // namespace

TEST(ListView, ReportColumnsShowCaptionsWidthsAlignmentAndSubItems) {
    TForm form(nullptr);
    TListView* lv = ReportView(form);
    form.Show();
    EXPECT_EQ(lv->ShownText(-1, 1), "Length");
    EXPECT_EQ(lv->ShownColumnWidth(0), 120);
    EXPECT_EQ(lv->ShownColumnWidth(2), 80);
    EXPECT_EQ(lv->ShownAlignment(-1, 1), taRightJustify);
    EXPECT_EQ(lv->ShownText(1, 0), "description");
    EXPECT_EQ(lv->ShownText(1, 2), "too long");
    EXPECT_EQ(lv->ShownAlignment(1, 2), taCenter);
    // The first column stays left-aligned whatever is asked.
    lv->Columns()->Items(0)->SetAlignment(taRightJustify);
    EXPECT_EQ(lv->Columns()->Items(0)->Alignment(), taLeftJustify);

    lv->Items()->Item(2)->SubItems()->SetStrings(1, "fixed");
    EXPECT_EQ(lv->ShownText(2, 2), "fixed");
}

TEST(ListView, SortingSelectionChecksAndColumnClicks) {
    TForm form(nullptr);
    TListView* lv = ReportView(form);
    lv->SetCheckboxes(true);
    lv->SetRowSelect(true);
    form.Show();
    std::vector<String> clickedColumns;
    lv->OnColumnClick = [&](TObject*, TListColumn* c) { clickedColumns.push_back(c->Caption()); };
    lv->SetSortType(stText);
    EXPECT_EQ(lv->Items()->Item(0)->Caption(), "description");
    lv->Items()->Add()->SetCaption("author");
    EXPECT_EQ(lv->Items()->Item(0)->Caption(), "author");
    lv->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& c) {
        c = static_cast<int>(b->Caption().size()) - static_cast<int>(a->Caption().size());
    };
    lv->AlphaSort();
    EXPECT_EQ(lv->Items()->Item(0)->Caption(), "description");

    lv->Items()->Item(1)->SetSelected(true);
    EXPECT_EQ(lv->Selected(), lv->Items()->Item(1));
    lv->Items()->Item(2)->SetSelected(true);  // one at a time without MultiSelect
    EXPECT_EQ(lv->SelCount(), 1);
    lv->CheckClicked(0, true);
    EXPECT_TRUE(lv->Items()->Item(0)->Checked());
    lv->HeaderClicked(1);
    EXPECT_EQ(clickedColumns, std::vector<String>{"Length"});
    int data = 7;
    lv->Items()->Item(0)->Data = &data;
    lv->Items()->Delete(0);
    EXPECT_EQ(lv->Items()->Count(), 3);
}
