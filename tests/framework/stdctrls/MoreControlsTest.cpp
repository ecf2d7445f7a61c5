#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/classes/Strings.h"
#include "framework/controls/Beep.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/ControlScrollBar.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/DialogKeys.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/MessageBox.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/Shape.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StatusPanel.h"
#include "framework/controls/StatusPanels.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Bitmap.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/grids/StringGrid.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/messages/MessageQueue.h"

TEST(DialogKeys, AcceleratorsEnterAndEscapeReachTheirControls) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetCaption("&Title:");
    label->SetParent(&form);
    auto* title = new TEdit(&form);
    title->SetBounds(60, 0, 100, 21);
    title->SetParent(&form);
    label->SetFocusControl(title);
    auto* memo = new TMemo(&form);
    memo->SetBounds(0, 30, 100, 60);
    memo->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetCaption("&Update");
    ok->SetDefault(true);
    ok->SetBounds(0, 100, 75, 25);
    ok->SetParent(&form);
    auto* cancel = new TButton(&form);
    cancel->SetCancel(true);
    cancel->SetBounds(80, 100, 75, 25);
    cancel->SetParent(&form);
    std::vector<String> clicks;
    ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    form.Show();
    ASSERT_TRUE(WaitForFocus(memo));

    SimulateKey(memo, 'T', "", ssAlt);
    EXPECT_TRUE(PumpMessagesUntil([&] { return title->Focused(); }, 10000));
    SimulateKey(title, VK_RETURN, "\r");   // a one-line edit: the default button
    ASSERT_TRUE(WaitForFocus(memo));
    SimulateKey(memo, VK_RETURN, "\r");    // the memo keeps its Enter
    SimulateKey(memo, VK_ESCAPE, "\x1b");
    // The toolkit's own button mnemonic may answer first, with a click a
    // moment later.
    SimulateKey(memo, 'U', "", ssAlt);
    EXPECT_TRUE(PumpMessagesUntil([&] { return clicks.size() == 3; }, 10000));
    EXPECT_EQ(clicks, (std::vector<String>{"ok", "cancel", "ok"}));
    EXPECT_EQ(memo->Text(), "\r\n");
}

TEST(DialogKeys, CancelButtonClosesAModalFormWithItsResult) {
    TForm form(nullptr);
    auto* cancel = new TButton(&form);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    ok->SetParent(&form);
    EXPECT_TRUE(FormDialogKey(&form, VK_ESCAPE, 0));
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_TRUE(FormDialogKey(&form, VK_RETURN, 0));
    EXPECT_EQ(form.ModalResult(), mrOk);
}

// Alt with a letter belongs to the window, whatever text control has the
// focus: the first visible, enabled control whose caption underlines the
// letter answers it (a speed button as well), and the letter is never
// typed, answered or not. The key handlers still see the unanswered key.
// AltGr's characters are typed: most layouts report them without Alt,
// some as Ctrl+Alt.
TEST(DialogKeys, AltLettersGoToTheUnderlinedControlAndAreNeverTyped) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 300);
    auto* edit = new TEdit(&form);
    edit->SetBounds(0, 0, 100, 21);
    edit->SetParent(&form);
    auto* memo = new TMemo(&form);
    memo->SetBounds(0, 30, 100, 60);
    memo->SetParent(&form);
    auto* combo = new TComboBox(&form);  // a drop-down one: it has an edit
    combo->SetBounds(0, 100, 100, 21);
    combo->SetParent(&form);
    auto* grid = new TStringGrid(&form);
    grid->SetBounds(120, 0, 280, 150);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetParent(&form);
    auto* go = new TSpeedButton(&form);
    go->SetCaption("&Go");
    go->SetBounds(0, 200, 75, 25);
    go->SetParent(&form);
    auto* quit = new TSpeedButton(&form);  // disabled: Alt+Q finds no one
    quit->SetCaption("&Quit");
    quit->SetBounds(80, 200, 75, 25);
    quit->SetEnabled(false);
    quit->SetParent(&form);
    int goClicks = 0, quitClicks = 0, altKeyDowns = 0;
    go->OnClick = [&](TObject*) { ++goClicks; };
    quit->OnClick = [&](TObject*) { ++quitClicks; };
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](TObject*, Word& key, TShiftState shift) {
        if (key == 'Q' && shift == ssAlt) ++altKeyDowns;
    };
    form.Show();

    struct Case {
        const char* What;
        std::function<TWinControl*()> Focus;  // the control keys go to, once focused
        std::function<String()> Text;         // what it shows
        bool TakesText;                       // typed characters go into it
    };
    const std::vector<Case> cases = {
        {"edit", [&] { return edit; }, [&] { return edit->Text(); }, true},
        {"memo", [&] { return memo; }, [&] { return memo->Text(); }, true},
        {"combo box", [&] { return combo; }, [&] { return combo->Text(); }, true},
        // A character typed on the grid would open its editor.
        {"grid", [&] { return grid; }, [&] { return grid->EditorMode() ? String("editing") : String(); }, false},
        {"grid's editor",
         [&]() -> TWinControl* {
             SimulateKey(grid, VK_F2);
             return grid->InplaceEditor();
         },
         [&] { return grid->InplaceEditor()->Text(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TWinControl* target = c.Focus();
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(WaitForFocus(target));
        goClicks = 0;
        altKeyDowns = 0;
        const String before = c.Text();
        SimulateKey(target, 'G', "g", ssAlt);
        EXPECT_EQ(goClicks, 1);
        SimulateKey(target, 'G', "G", ssAlt | ssShift);
        EXPECT_EQ(goClicks, 2);
        SimulateKey(target, 'Q', "q", ssAlt);
        SimulateKey(target, 'Z', "Z", ssAlt | ssShift);
        EXPECT_EQ(quitClicks, 0);
        EXPECT_EQ(altKeyDowns, 1);
        EXPECT_EQ(c.Text(), before);
        if (!c.TakesText) continue;
        SimulateKey(target, 'Q', "@");                 // AltGr as most layouts report it
        SimulateKey(target, 'Q', "@", ssCtrl | ssAlt);  // and as some do
        EXPECT_EQ(c.Text(), before + "@@");
    }
}

TEST(PageControl, PagesTabsAndTheirEvents) {
    TForm form(nullptr);
    auto* pc = new TPageControl(&form);
    pc->SetBounds(0, 0, 300, 200);
    pc->SetParent(&form);
    std::vector<String> log;
    TTabSheet* sheets[3];
    const char* names[] = {"Keywords", "Standard", "Update"};
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(&form);
        sheets[i]->SetCaption(names[i]);
        sheets[i]->SetPageControl(pc);
        const String n = names[i];
        sheets[i]->OnShow = [&log, n](TObject*) { log.push_back("show " + n); };
        sheets[i]->OnEnter = [&log, n](TObject*) { log.push_back("enter " + n); };
        sheets[i]->OnExit = [&log, n](TObject*) { log.push_back("exit " + n); };
    }
    form.Show();
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);  // the first page joined first
    EXPECT_TRUE(sheets[0]->Visible());
    EXPECT_EQ(sheets[0]->Top(), pc->TabHeight());
    log.clear();

    bool allow = false;
    int changes = 0;
    pc->OnChanging = [&](TObject*, bool& a) { a = allow; };
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->ClickTab(2);
    EXPECT_EQ(pc->ActivePageIndex(), 0);  // refused
    allow = true;
    pc->ClickTab(2);
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(log, (std::vector<String>{"exit Keywords", "show Update", "enter Update"}));

    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    pc->ClickTab(0);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    pc->SetActivePageIndex(1);  // code may still show a page whose tab is hidden
    EXPECT_EQ(pc->ActivePage(), sheets[1]);
    EXPECT_EQ(changes, 2);
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    delete sheets[2];
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
}

TEST(StatusBar, PanelsAndSimpleText) {
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Top() + bar->Height(), form.ClientHeight());
    TStatusPanel* a = bar->Panels()->Add();
    a->SetWidth(100);
    a->SetText("3 pages");
    TStatusPanel* b = bar->Panels()->Add();
    b->SetText("ready");
    EXPECT_EQ(bar->PanelRect(0).Width(), 100);
    EXPECT_EQ(bar->PanelRect(1).Right, bar->Width());  // the last panel takes the rest
    bar->SetSimplePanel(true);
    bar->SetSimpleText("Science/Physics");
    EXPECT_EQ(bar->SimpleText(), "Science/Physics");
    EXPECT_EQ(bar->Panels()->Items(1)->Text(), "ready");
}

TEST(Splitter, DraggingResizesTheControlBesideItWithinMinSize) {
    TForm form(nullptr);
    form.SetClientWidth(400);
    form.SetClientHeight(200);
    auto* tree = new TPanel(&form);
    tree->SetWidth(300);
    tree->SetAlign(alLeft);
    tree->SetParent(&form);
    auto* split = new TSplitter(&form);
    split->SetLeft(301);
    split->SetParent(&form);
    auto* memo = new TMemo(&form);
    memo->SetAlign(alClient);
    memo->SetParent(&form);
    EXPECT_EQ(split->Left(), 300);
    EXPECT_EQ(split->ResizeControl(), tree);
    int moved = 0;
    split->OnMoved = [&](TObject*) { ++moved; };
    form.Show();
    SimulateDrag(split, Point(1, 50), Point(-49, 50), 1);
    EXPECT_EQ(tree->Width(), 250);
    EXPECT_EQ(split->Left(), 250);
    EXPECT_EQ(memo->Left(), 253);
    EXPECT_EQ(split->MoveSplit(1000), 400 - 3 - 30);
    EXPECT_EQ(split->MoveSplit(-1000), 30);
    EXPECT_EQ(moved, 3);
}

TEST(ScrollBox, ControlsPastTheEdgeBringScrollBarsAndScrollingMovesThem) {
    TForm form(nullptr);
    auto* box = new TScrollBox(&form);
    box->SetBounds(0, 0, 200, 100);
    box->SetParent(&form);
    auto* far = new TPanel(&form);
    far->SetBounds(10, 150, 50, 50);
    far->SetParent(box);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box->ClientWidth(), 200 - 4 - 16);  // inside the border and the bar
    box->VertScrollBar()->SetPosition(1000);
    EXPECT_EQ(box->VertScrollBar()->Position(), 200 - 96);  // as far as there is something
    EXPECT_EQ(far->Top(), 46);
    box->ScrollInView(far);
    box->VertScrollBar()->SetPosition(0);
    EXPECT_EQ(far->Top(), 150);
}

TEST(ScrollBox, BorderStyleDrawsTheEdgeOutsideTheClientArea) {
    TForm form(nullptr);
    auto* box = new TScrollBox(&form);
    box->SetBounds(0, 0, 100, 60);
    box->SetColor(clRed);
    box->SetParent(&form);
    auto* top = new TPanel(&form);
    top->SetHeight(10);
    top->SetAlign(alTop);
    top->SetParent(box);
    form.Show();
    TBitmap bmp(100, 60);
    box->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(box->ClientWidth(), 96);
    EXPECT_EQ(top->Width(), 96);
    EXPECT_NE(bmp.Canvas()->Pixels(0, 40), clRed);  // the edge
    EXPECT_NE(bmp.Canvas()->Pixels(99, 40), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 40), clRed);  // the client area right inside it
    EXPECT_EQ(bmp.Canvas()->Pixels(97, 40), clRed);
    // Without a border the client area takes the whole box.
    box->SetBorderStyle(bsNoneBorder);
    EXPECT_EQ(box->ClientWidth(), 100);
    EXPECT_EQ(top->Width(), 100);
    box->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 40), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(99, 40), clRed);
}

TEST(Bars, ProgressAndScrollBarsKeepTheirRanges) {
    TProgressBar pb(nullptr);
    pb.SetMax(50);
    pb.SetPosition(80);
    EXPECT_EQ(pb.Position(), 50);
    pb.SetPosition(45);
    pb.Step = 10;
    pb.StepIt();
    EXPECT_EQ(pb.Position(), 4);  // past the end it starts again

    TScrollBar sb(nullptr);
    sb.SetParams(5, 0, 20);
    sb.LargeChange = 8;
    std::vector<int> seen;
    sb.OnChange = [&](TObject*) { seen.push_back(sb.Position()); };
    sb.OnScroll = [](TObject*, TScrollCode code, int& pos) {
        if (code == scBottom) pos = 15;  // a handler may stop it elsewhere
    };
    sb.Scroll(scPageDown, 0);
    sb.Scroll(scBottom, 0);
    sb.Scroll(scLineUp, 0);
    EXPECT_EQ(seen, (std::vector<int>{13, 15, 14}));
    sb.SetKind(sbVertical);
    EXPECT_EQ(sb.Width(), 17);
}

TEST(Image, StretchCenterAndProportionalPlaceThePicture) {
    TImage img(nullptr);
    img.SetBounds(0, 0, 100, 50);
    TBitmap bmp(20, 10);
    img.Picture()->SetGraphic(&bmp);
    struct Case {
        bool Stretch, Center, Proportional;
        TRect Dest;
    } cases[] = {
        {false, false, false, Bounds(0, 0, 20, 10)},
        {false, true, false, Bounds(40, 20, 20, 10)},
        {true, false, false, Bounds(0, 0, 100, 50)},
        {true, true, true, Bounds(0, 0, 100, 50)},
    };
    for (const auto& c : cases) {
        img.SetStretch(c.Stretch);
        img.SetCenter(c.Center);
        img.SetProportional(c.Proportional);
        EXPECT_EQ(img.DestRect(), c.Dest) << c.Stretch << c.Center << c.Proportional;
    }
    TBitmap tall(10, 40);
    img.Picture()->SetGraphic(&tall);
    img.SetStretch(true);
    img.SetProportional(true);
    img.SetCenter(true);
    EXPECT_EQ(img.DestRect(), Bounds(44, 0, 12, 50));
    img.SetAutoSize(true);
    EXPECT_EQ(img.Width(), 10);
    EXPECT_EQ(img.Height(), 40);
}

TEST(Shape, PaintsItsKindWithPenAndBrush) {
    TForm form(nullptr);
    auto* shape = new TShape(&form);
    shape->SetBounds(0, 0, 40, 20);
    shape->SetShape(stCircle);
    shape->Brush()->SetColor(clRed);
    shape->SetParent(&form);
    form.Show();
    TBitmap bmp(40, 20);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(Rect(0, 0, 40, 20));
    shape->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(20, 10), clRed);  // the middle of the circle
    EXPECT_NE(bmp.Canvas()->Pixels(2, 10), clRed);  // beside it: a circle, not an ellipse
}

TEST(SpeedButton, GroupsKeepOneDown) {
    TForm form(nullptr);
    TSpeedButton* b[3];
    for (int i = 0; i < 3; ++i) {
        b[i] = new TSpeedButton(&form);
        b[i]->SetGroupIndex(1);
        b[i]->SetLeft(i * 25);
        b[i]->SetParent(&form);
    }
    auto* loose = new TSpeedButton(&form);
    loose->SetParent(&form);
    b[0]->SetDown(true);
    b[1]->Click();
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[1]->Down());
    b[1]->Click();  // the last one down stays down
    EXPECT_TRUE(b[1]->Down());
    b[2]->SetAllowAllUp(true);
    b[1]->Click();
    EXPECT_FALSE(b[1]->Down());
    loose->SetDown(true);  // GroupIndex 0 never stays down
    EXPECT_FALSE(loose->Down());
}

TEST(BitBtn, KindGivesCaptionResultAndRole) {
    TForm form(nullptr);
    auto* ok = new TBitBtn(&form);
    ok->SetKind(bkOK);
    auto* cancel = new TBitBtn(&form);
    cancel->SetKind(bkCancel);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(cancel->Cancel());
    TBitmap glyph(32, 16);
    ok->SetGlyph(&glyph);
    ok->SetNumGlyphs(2);
    ok->SetParent(&form);
    cancel->SetParent(&form);
    form.Show();
    cancel->Click();
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(ok->Glyph()->Width(), 32);
}

TEST(DateTimePicker, DateAndTimePartsAndTheCheckbox) {
    TForm form(nullptr);
    auto* dtp = new TDateTimePicker(&form);
    dtp->SetDateTime(EncodeDate(2004, 5, 17) + EncodeTime(13, 30, 0, 0));
    dtp->SetShowCheckbox(true);
    dtp->SetChecked(false);
    dtp->SetParent(&form);
    form.Show();
    EXPECT_EQ(dtp->Date(), EncodeDate(2004, 5, 17));
    EXPECT_NEAR(dtp->Time(), EncodeTime(13, 30, 0, 0), 1e-9);
    dtp->SetDate(EncodeDate(2005, 1, 2));
    EXPECT_NEAR(dtp->Time(), EncodeTime(13, 30, 0, 0), 1e-9);
    EXPECT_FALSE(dtp->Checked());
    int changes = 0;
    dtp->OnChange = [&](TObject*) { ++changes; };
    dtp->UserChanged(EncodeDate(2006, 3, 4));
    dtp->UserChecked(true);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(dtp->Checked());
    dtp->SetMinDate(EncodeDate(2010, 1, 1));
    EXPECT_EQ(dtp->Date(), EncodeDate(2010, 1, 1));
    dtp->SetKind(dtkTime);
    EXPECT_FALSE(dtp->DisplayText().empty());
}

TEST(ListBox, PicksAndChecksSurviveTheWindowAndCodeDoesNotClick) {
    TForm form(nullptr);
    auto* list = new TCheckListBox(&form);
    list->SetBounds(0, 0, 120, 100);
    for (const char* s : {"Dublin Core", "GILS", "WAGILS"}) list->Items()->Add(s);
    list->SetChecked(1, true);
    list->SetItemIndex(2);
    list->SetParent(&form);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 0);
    const TRect r = list->ItemRect(0);
    EXPECT_EQ(list->ItemAtPos(Point(r.Left + 30, r.Top + 2), true), 0);
    EXPECT_EQ(list->ItemAtPos(Point(5, 95), true), -1);
    EXPECT_EQ(list->ItemAtPos(Point(5, 95), false), 3);
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->Get(0), "Dublin Core");
    EXPECT_THROW(list->Checked(5), EListError);
}

TEST(ComboBox, DropDownEventsAndListOnlyText) {
    TComboBox combo(nullptr);
    combo.SetStyle(csDropDownList);
    combo.Items()->Add("index");
    combo.Items()->Add("noindex");
    combo.SetText("noindex");
    EXPECT_EQ(combo.ItemIndex(), 1);
    combo.SetText("missing");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
    int dropped = 0;
    combo.OnDropDown = [&](TObject*) { ++dropped; };
    combo.SetDroppedDown(true);
    EXPECT_TRUE(combo.DroppedDown());
    combo.SetDroppedDown(false);
    EXPECT_EQ(dropped, 1);
}

TEST(MessageBeep, HookSeesEachBeepWithItsKindUntilCleared) {
    std::vector<UINT> heard;
    SetBeepHook([&](UINT type) { heard.push_back(type); });
    MessageBeep();
    MessageBeep(MB_ICONHAND);
    MessageBeep(0xFFFFFFFF);
    SetBeepHook(nullptr);
    MessageBeep(MB_OK);  // back to the speaker: the old hook hears nothing
    EXPECT_EQ(heard, (std::vector<UINT>{0, MB_ICONHAND, 0xFFFFFFFF}));
}
