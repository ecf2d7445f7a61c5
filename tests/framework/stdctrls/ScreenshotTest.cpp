// Under a real display (xvfb-run -a) a form with one of every control is
// saved as a picture to look at; off screen the test is skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Bevel.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListColumn.h"
#include "framework/controls/ListColumns.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/Screen.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/Shape.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StatusPanel.h"
#include "framework/controls/StatusPanels.h"
#include "framework/controls/TabSheet.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/UpDown.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/testkit/PictureCheck.h"

TEST(Screenshot, AllControlsWhenADisplayIsPresent) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display";
    TForm form(nullptr);
    form.SetBounds(20, 20, 660, 500);
    form.SetCaption("All controls");
    auto* menu = new TMainMenu(&form);
    for (const char* c : {"&File", "&Edit", "&Help"}) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(c);
        menu->Items()->Add(item);
    }
    auto place = [&](TControl* c, TWinControl* parent, int l, int t, int w, int h) {
        c->SetBounds(l, t, w, h);
        c->SetParent(parent);
    };
    auto* status = new TStatusBar(&form);
    status->SetParent(&form);
    status->Panels()->Add()->SetText("3 pages");
    status->Panels()->Items(0)->SetWidth(120);
    status->Panels()->Add()->SetText("Ready");

    auto* pc = new TPageControl(&form);
    place(pc, &form, 8, 8, 640, 420);  // no room kept for the menu: its bar is above the client area
    auto* page1 = new TTabSheet(&form);
    page1->SetCaption("Keywords && Description");
    page1->SetPageControl(pc);
    auto* page2 = new TTabSheet(&form);
    page2->SetCaption("Standard");
    page2->SetPageControl(pc);

    auto* label = new TLabel(&form);
    label->SetCaption("&Title:");
    place(label, page1, 8, 12, 40, 16);
    auto* edit = new TEdit(&form);
    edit->SetText("Velmor page");
    place(edit, page1, 50, 8, 160, 22);
    label->SetFocusControl(edit);
    auto* num = new TEdit(&form);
    place(num, page1, 220, 8, 60, 22);
    auto* ud = new TUpDown(&form);
    ud->SetMax(300);
    ud->SetPosition(25);
    ud->SetAssociate(num);
    auto* dtp = new TDateTimePicker(&form);
    dtp->SetDateTime(EncodeDate(2004, 5, 17));
    place(dtp, page1, 290, 8, 130, 22);
    auto* memo = new TMemo(&form);
    memo->SetText("keywords, meta, tags\r\ndescription of the page");
    memo->SetScrollBars(ssVertical);
    place(memo, page1, 8, 38, 200, 70);
    auto* rich = new TRichEdit(&form);
    rich->SetText("<HEAD>\r\n<TITLE>Page</TITLE>\r\n</HEAD>");
    place(rich, page1, 216, 38, 200, 70);
    auto* check = new TCheckBox(&form);
    check->SetCaption("XHTML");
    check->SetChecked(true);
    place(check, page1, 430, 38, 90, 20);
    auto* radio = new TRadioButton(&form);
    radio->SetCaption("Tokens");
    radio->SetChecked(true);
    place(radio, page1, 430, 60, 90, 20);
    auto* combo = new TComboBox(&form);
    combo->Items()->Add("index, follow");
    combo->SetItemIndex(0);
    place(combo, page1, 430, 84, 190, 22);
    auto* list = new TCheckListBox(&form);
    for (const char* s : {"Dublin Core", "GILS", "WAGILS"}) list->Items()->Add(s);
    list->SetChecked(1, true);
    list->SetItemIndex(0);
    place(list, page1, 8, 116, 110, 70);
    auto* tree = new TTreeView(&form);
    TTreeNode* root = tree->Items()->Add(nullptr, "Science");
    tree->Items()->AddChild(tree->Items()->AddChild(root, "Physics"), "Optics");
    tree->FullExpand();
    place(tree, page1, 126, 116, 130, 70);
    auto* lv = new TListView(&form);
    lv->SetViewStyle(vsReport);
    lv->SetCheckboxes(true);
    for (auto [c, w] : {std::pair{"Tag", 80}, std::pair{"Length", 50}}) {
        TListColumn* col = lv->Columns()->Add();
        col->SetCaption(c);
        col->SetWidth(w);
    }
    lv->Columns()->Items(1)->SetAlignment(taRightJustify);
    for (auto [c, n] : {std::pair{"title", "42"}, std::pair{"keywords", "880"}}) {
        TListItem* it = lv->Items()->Add();
        it->SetCaption(c);
        it->SubItems()->Add(n);
    }
    place(lv, page1, 264, 116, 156, 70);
    auto* group = new TRadioGroup(&form);
    group->SetCaption("Doc type");
    group->Items()->Add("HTML");
    group->Items()->Add("XHTML");
    group->SetColumns(2);
    group->SetItemIndex(1);
    place(group, page1, 430, 116, 190, 70);
    auto* panel = new TPanel(&form);
    panel->SetCaption("Panel");
    panel->SetBevelInner(bvLowered);
    place(panel, page1, 8, 196, 200, 40);
    auto* box = new TGroupBox(&form);
    box->SetCaption(" Vocabulary ");
    place(box, page1, 216, 192, 200, 50);
    auto* progress = new TProgressBar(&form);
    progress->SetPosition(60);
    place(progress, box, 10, 20, 180, 16);
    auto* sb = new TScrollBar(&form);
    sb->SetParams(30, 0, 100);
    place(sb, page1, 430, 196, 190, 17);
    auto* ok = new TBitBtn(&form);
    ok->SetKind(bkOK);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(clGreen);
    glyph.Canvas()->Ellipse(2, 2, 14, 14);
    ok->SetGlyph(&glyph);
    place(ok, page1, 8, 250, 90, 27);
    auto* upd = new TButton(&form);
    upd->SetCaption("&Update");
    place(upd, page1, 106, 250, 75, 27);
    for (int i = 0; i < 3; ++i) {
        auto* spd = new TSpeedButton(&form);
        spd->SetCaption(i == 0 ? "B" : i == 1 ? "I" : "U");
        spd->SetGroupIndex(1);
        spd->SetFlat(i == 2);
        if (i == 0) spd->SetDown(true);
        place(spd, page1, 190 + i * 25, 252, 23, 22);
    }
    auto* shape = new TShape(&form);
    shape->SetShape(stRoundRect);
    shape->Brush()->SetColor(clYellow);
    place(shape, page1, 280, 250, 60, 30);
    auto* bevel = new TBevel(&form);
    bevel->SetShape(bsFrame);
    place(bevel, page1, 350, 250, 60, 30);
    auto* image = new TImage(&form);
    image->Picture()->SetGraphic(&glyph);
    image->SetStretch(true);
    image->SetProportional(true);
    image->SetCenter(true);
    place(image, page1, 420, 250, 40, 30);
    auto* scroll = new TScrollBox(&form);
    place(scroll, page1, 8, 286, 300, 90);
    auto* inner = new TPanel(&form);
    inner->SetCaption("scrolled panel");
    place(inner, scroll, 10, 10, 200, 150);
    auto* left = new TPanel(&form);
    left->SetCaption("left");
    left->SetAlign(alLeft);
    auto* splitHost = new TPanel(&form);
    splitHost->SetBevelOuter(bvNone);
    place(splitHost, page1, 316, 286, 300, 90);
    left->SetWidth(120);
    left->SetParent(splitHost);
    auto* split = new TSplitter(&form);
    split->SetLeft(121);
    split->SetParent(splitHost);
    auto* right = new TMemo(&form);
    right->SetText("beside the splitter");
    right->SetAlign(alClient);
    right->SetParent(splitHost);

    form.Show();
    form.Repaint();
    for (int i = 0; i < 30; ++i) Application->ProcessMessages();
    const String png = (std::filesystem::temp_directory_path() / "velmor-stdctrls.png").string();
    const TPoint o = form.ClientOrigin();
    ASSERT_TRUE(Screen->CaptureToFile(Bounds(o.X, o.Y, form.ClientWidth(), form.ClientHeight()), png));
    EXPECT_EQ(PictureColours(png), 2) << png << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", png.c_str());
}
