// The flat combo box: the geometry and
// colour decisions as a table, the states that drive them, and what the
// face looks like in pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/Messages.h"
#include "framework/testkit/PictureCheck.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/editors/GkComboBox.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"

namespace {

struct LookCase {
    const char* name;
    bool simple, hot, active, etched, dropped;
    unsigned outerEdge;
    std::vector<TColor> frames;
    bool hasButton;
    unsigned buttonEdge, buttonFlags;
    TColor buttonFill;
};

TEST(GkComboLook, BorderAndButtonPerState) {
    const TColor own = clWhite, parent = clYellow;
    const LookCase cases[] = {
        {"idle", false, false, false, false, false, 0, {parent, parent, own}, true, 0, 0, clBtnFace},
        {"active, not hot", false, false, true, false, false, 0, {parent, parent, own}, true, EDGE_RAISED, BF_RECT, clNone},
        {"hot and active", false, true, true, false, false, BDR_SUNKENOUTER, {clBtnFace, own}, true, EDGE_RAISED, BF_RECT, clNone},
        {"etched", false, true, true, true, false, BDR_SUNKENOUTER, {clBtnFace, own}, true, EDGE_ETCHED, BF_RECT, clNone},
        {"dropped down", false, false, true, false, true, 0, {parent, parent, own}, true, EDGE_RAISED, BF_RECT | BF_FLAT, clNone},
        {"etched and dropped", false, false, true, true, true, 0, {parent, parent, own}, true, EDGE_ETCHED, BF_RECT | BF_FLAT, clNone},
        {"designing: active only", false, false, true, false, false, 0, {parent, parent, own}, true, EDGE_RAISED, BF_RECT, clNone},
        {"simple idle", true, false, false, false, false, 0, {parent, parent, own}, false, 0, 0, clNone},
        {"simple hot", true, true, true, false, false, BDR_SUNKENOUTER, {clBtnFace, own}, false, 0, 0, clNone},
    };
    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.name);
        TGkComboLookState s;
        s.Width = 120;
        s.Height = 21;
        s.ButtonWidth = 16;
        s.Simple = c.simple;
        s.Hot = c.hot;
        s.Active = c.active;
        s.Etched = c.etched;
        s.DroppedDown = c.dropped;
        s.Color = own;
        s.ParentColor = parent;
        const TGkComboLook look = GkComboLook(s);
        EXPECT_EQ(look.OuterEdge, c.outerEdge);
        EXPECT_EQ(look.Frames, c.frames);
        EXPECT_EQ(look.HasButton, c.hasButton);
        EXPECT_EQ(look.ButtonEdge, c.buttonEdge);
        EXPECT_EQ(look.ButtonFlags, c.buttonFlags);
        EXPECT_EQ(look.ButtonFill, c.buttonFill);
        if (c.hasButton) {
            EXPECT_EQ(look.ButtonArea, Rect(104, 0, 120, 21));
            EXPECT_EQ(look.Button, Rect(106, 2, 118, 19));  // inset by 2
            EXPECT_EQ(look.Arrow, look.Button);
            EXPECT_EQ(look.ArrowState, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
            EXPECT_EQ(look.Text, Rect(3, 3, 104, 18));
        } else {
            EXPECT_EQ(look.Text, Rect(3, 3, 117, 18));
        }
    }
}

TEST(GkComboLook, ButtonWidthSetsTheRightHandArea) {
    for (int bw : {14, 18, 32}) {
        TGkComboLookState s;
        s.Width = 100;
        s.Height = 24;
        s.ButtonWidth = bw;
        const TGkComboLook look = GkComboLook(s);
        EXPECT_EQ(look.ButtonArea, Rect(100 - bw, 0, 100, 24)) << bw;
        EXPECT_EQ(look.Text.Right, 100 - bw) << bw;
    }
}

class GkFlatCombo : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 200);
        form->SetColor(clYellow);
        combo = new TGkComboBox(form);
        combo->SetParent(form);
        combo->SetBounds(20, 20, 120, 21);
        combo->SetColor(clWhite);
        combo->Items()->Add("one");
        combo->Items()->Add("two");
        other = new TGkComboBox(form);
        other->SetParent(form);
        other->SetBounds(20, 80, 120, 21);
        form->Show();
        ASSERT_TRUE(WaitForFocus(other));
    }
    void TearDown() override { delete form; }
    // The combo drawn as it shows.
    void Snap(TBitmap& bmp) {
        for (int i = 0; i < 10; ++i) Application->ProcessMessages();
        bmp.SetSize(combo->Width(), combo->Height());
        bmp.Canvas()->Brush()->SetColor(clFuchsia);
        bmp.Canvas()->FillRect(Rect(0, 0, combo->Width(), combo->Height()));
        combo->PaintTo(bmp.Canvas(), 0, 0);
    }
    TForm* form = nullptr;
    TGkComboBox* combo = nullptr;
    TGkComboBox* other = nullptr;
};

TEST_F(GkFlatCombo, DefaultsAndSettings) {
    EXPECT_TRUE(combo->Flat());
    EXPECT_FALSE(combo->Ctl3D());
    EXPECT_EQ(combo->ButtonWidth(), 18);
    combo->SetButtonWidth(13);
    EXPECT_EQ(combo->ButtonWidth(), 18);
    combo->SetButtonWidth(33);
    EXPECT_EQ(combo->ButtonWidth(), 18);
    combo->SetButtonWidth(32);
    EXPECT_EQ(combo->ButtonWidth(), 32);
    combo->SetFlat(false);
    EXPECT_TRUE(combo->Ctl3D());
    combo->SetFlat(true);
    EXPECT_FALSE(combo->Ctl3D());
}

TEST_F(GkFlatCombo, MouseAndFocusMakeItActiveAndWithFocusBorderHot) {
    EXPECT_FALSE(combo->Active());
    EXPECT_FALSE(combo->Hot());
    combo->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(combo->MouseInside());
    EXPECT_TRUE(combo->Active());
    EXPECT_FALSE(combo->Hot());  // FocusBorder off
    combo->SetFocusBorder(true);
    EXPECT_TRUE(combo->Hot());
    combo->Perform(CM_MOUSEENTER);  // the edit's enter: no new entry
    combo->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(combo->MouseInside());
    EXPECT_FALSE(combo->Active());
    EXPECT_FALSE(combo->Hot());
    ASSERT_TRUE(WaitForFocus(combo));
    EXPECT_TRUE(combo->Active());
    EXPECT_TRUE(combo->Hot());
    EXPECT_EQ(combo->Look().OuterEdge, static_cast<unsigned>(BDR_SUNKENOUTER));
    ASSERT_TRUE(WaitForFocus(other));
    EXPECT_FALSE(combo->Active());
}

// A combo being designed: always active, never hot.
class DesignedCombo : public TGkComboBox {
public:
    using TGkComboBox::TGkComboBox;
    void Design() { FComponentState |= csDesigning; }
};

TEST_F(GkFlatCombo, AtDesignTimeAlwaysActiveNeverHot) {
    auto* designed = new DesignedCombo(form);
    designed->SetParent(form);
    designed->SetBounds(20, 120, 120, 21);
    designed->Design();
    designed->SetFocusBorder(true);
    EXPECT_TRUE(designed->Active());
    EXPECT_FALSE(designed->Hot());
    designed->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(designed->Hot());
    EXPECT_EQ(designed->Look().ButtonEdge, static_cast<unsigned>(EDGE_RAISED));
}

TEST_F(GkFlatCombo, DisabledTakesTheParentsColourAndGetsItsOwnBack) {
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), clYellow);
    combo->SetEnabled(true);
    EXPECT_EQ(combo->Color(), clWhite);
    EXPECT_FALSE(combo->ParentColor());
    combo->SetFlat(false);
    combo->SetEnabled(false);
    EXPECT_EQ(combo->Color(), clWhite);  // an ordinary combo keeps its colour
    combo->SetEnabled(true);
}

TEST_F(GkFlatCombo, PixelsShowTheFlatBorderAndButton) {
    const TColor face = ColorToRGB(clBtnFace);
    const int mid = combo->Height() / 2;
    TBitmap idle;
    Snap(idle);
    TCanvas* c = idle.Canvas();
    // Not hot: two frames in the parent's colour, the inner one in its own.
    EXPECT_EQ(c->Pixels(0, mid), ColorToRGB(clYellow));
    EXPECT_EQ(c->Pixels(1, mid), ColorToRGB(clYellow));
    EXPECT_EQ(c->Pixels(2, mid), ColorToRGB(clWhite));
    EXPECT_EQ(c->Pixels(60, 0), ColorToRGB(clYellow));
    // Not active: the button's ring is button face.
    const TGkComboLook look = combo->Look();
    EXPECT_EQ(c->Pixels(look.Button.Left, mid), face);
    EXPECT_EQ(c->Pixels(look.Button.Right - 1, mid), face);
    EXPECT_EQ(c->Pixels(look.Button.Left + 1, look.Button.Top + 1), face);

    combo->SetFocusBorder(true);
    combo->Perform(CM_MOUSEENTER);
    TBitmap hot;
    Snap(hot);
    c = hot.Canvas();
    // Hot: a sunken outer edge, then button face, then its own colour.
    EXPECT_EQ(c->Pixels(0, mid), ColorToRGB(clBtnShadow));
    EXPECT_EQ(c->Pixels(combo->Width() - 1, mid), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c->Pixels(1, mid), face);
    EXPECT_EQ(c->Pixels(2, mid), ColorToRGB(clWhite));
    // Active: the raised button, light at its top left, dark at its bottom right.
    EXPECT_EQ(c->Pixels(look.Button.Left, mid), ColorToRGB(cl3DLight));
    EXPECT_EQ(c->Pixels(look.Button.Right - 1, mid), ColorToRGB(cl3DDkShadow));
    combo->Perform(CM_MOUSELEAVE);

    combo->SetFlat(false);
    TBitmap plain;
    Snap(plain);
    // The ordinary combo is the toolkit's own: not the parent-coloured frame.
    EXPECT_NE(plain.Canvas()->Pixels(1, mid), ColorToRGB(clYellow));
}

// The caret after the last letter stands clear of it: a column of ground
// between the letter's ink and the caret.
TEST_F(GkFlatCombo, CaretStandsClearOfTheLastLetter) {
    combo->SetText("Teachers");
    ASSERT_TRUE(WaitForFocus(combo));
    SimulateKey(combo, VK_END);
    TBitmap face;
    Snap(face);
    const TRect t = combo->Look().Text;
    auto dark = [&](int x) {
        int n = 0;
        for (int y = t.Top; y < t.Bottom; ++y) {
            const TColor c = face.Canvas()->Pixels(x, y);
            n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
        }
        return n;
    };
    // The caret is the rightmost column dark over most of the text's height.
    int caret = -1, tallest = 0;
    for (int x = t.Left; x < t.Right; ++x) tallest = std::max(tallest, dark(x));
    for (int x = t.Left; x < t.Right; ++x)
        if (dark(x) == tallest) caret = x;
    ASSERT_GT(caret, t.Left + 10);
    EXPECT_EQ(dark(caret - 1), 0) << "the caret touches the last letter";
    int ink = caret - 1;
    while (ink > t.Left && dark(ink) == 0) --ink;
    EXPECT_GT(ink, t.Left) << "no text before the caret";
    EXPECT_LE(caret - ink, 3) << "the caret strays from the text";
}

TEST(GkFlatComboScreenshot, OpenComboEditorInAColumnGrid) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display";
    TForm form(nullptr);
    form.SetBounds(40, 40, 420, 160);
    form.SetCaption("Flat combo editor");
    auto* grid = new TGkColumnGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 420, 160);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetColWidths(1, 150);
    grid->SetColWidths(2, 150);
    grid->Columns()->Items(1)->SetHeader("Field");
    grid->Columns()->Items(2)->SetHeader("Value");
    grid->Columns()->Items(2)->Editor = edComboEdit;
    for (const char* s : {"Pupils", "Teachers", "Parents"}) grid->Columns()->Items(2)->ComboItems()->Add(s);
    grid->SetCells(1, 1, "Audience");
    grid->SetCells(2, 1, "Teachers");
    grid->SetCells(1, 2, "Level");
    grid->SetCells(2, 2, "Pupils");
    form.Show();
    grid->SetFocus();
    grid->FocusCell(2, 1, true);
    grid->ShowEditor();
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    ASSERT_TRUE(WaitForFocus(combo));
    auto shoot = [&form](const char* name) {
        form.Repaint();
        for (int i = 0; i < 40; ++i) Application->ProcessMessages();
        const String png = (std::filesystem::temp_directory_path() / name).string();
        const TPoint o = form.ClientOrigin();
        ASSERT_TRUE(Screen->CaptureToFile(Bounds(o.X, o.Y, form.ClientWidth(), form.ClientHeight()), png));
        EXPECT_EQ(PictureColours(png), 2) << png << " holds one colour: the window did not show";
        std::printf("screenshot: %s\n", png.c_str());
    };
    shoot("velmor-gridkit-flatcombo.png");  // active: raised button, border in the grid's colour
    combo->SetFocusBorder(true);
    shoot("velmor-gridkit-flatcombo-hot.png");  // hot: the sunken border
    combo->SetFocusBorder(false);
    SimulateKey(combo, VK_ESCAPE);
    ASSERT_TRUE(WaitForFocus(grid));
    grid->Columns()->Items(2)->Editor = edComboList;
    grid->FocusCell(2, 2, true);
    grid->ShowEditor();
    ASSERT_TRUE(WaitForFocus(combo));
    shoot("velmor-gridkit-flatcombo-list.png");  // list style: the picked line drawn by the box
}

}  // namespace
