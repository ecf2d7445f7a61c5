// What edits and bit buttons put where on their face, read back from the
// picture PaintTo draws.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/classes/Strings.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Memo.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "support/Snapshot.h"

namespace {

bool Dark(TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return std::max({r, g, b}) < 110;  // text ink; not the red glyph
}

// The leftmost and rightmost columns holding text ink, inside a frame of
// `inset` pixels; -1 when there is none.
struct TInk {
    int Left = -1;
    int Right = -1;
};
TInk InkColumns(TBitmap& bmp, int inset = 3) {
    TInk ink;
    for (int x = inset; x < bmp.Width() - inset; ++x)
        for (int y = inset; y < bmp.Height() - inset; ++y)
            if (Dark(bmp.Canvas()->Pixels(x, y))) {
                if (ink.Left < 0) ink.Left = x;
                ink.Right = x;
                break;
            }
    return ink;
}

// A form whose focus sits on a button, so no caret blinks in the edits.
class PaintedFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        auto* focus = new TButton(Form.get());
        focus->SetBounds(300, 250, 60, 24);
        focus->SetParent(Form.get());
    }
    template <class T>
    T* Add(int top, const String& text, int width = 200) {
        auto* c = new T(Form.get());
        c->SetBounds(10, top, width, c->Height());
        c->SetText(text);
        c->SetParent(Form.get());
        return c;
    }
    std::unique_ptr<TForm> Form;
};
}  // namespace

TEST_F(PaintedFormTest, PasswordCharStandsInForEachCharacter) {
    auto* secret = Add<TEdit>(10, "abcd");
    auto* plain = Add<TEdit>(40, "####");
    secret->SetPasswordChar('#');
    Form->Show();
    EXPECT_TRUE(SamePicture(*Snapshot(secret), *Snapshot(plain)));
    // A change of character shows at once, and 0 shows the text again.
    secret->SetPasswordChar('x');
    plain->SetText("xxxx");
    EXPECT_TRUE(SamePicture(*Snapshot(secret), *Snapshot(plain)));
    EXPECT_EQ(secret->Perform(EM_GETPASSWORDCHAR), 'x');
    secret->SetPasswordChar(0);
    plain->SetText("abcd");
    EXPECT_TRUE(SamePicture(*Snapshot(secret), *Snapshot(plain)));
    EXPECT_EQ(secret->Text(), "abcd");
}

TEST_F(PaintedFormTest, AlignmentPlacesTheTextAcrossEditsAndMemos) {
    const TAlignment kinds[] = {taLeftJustify, taCenter, taRightJustify};
    TCustomEdit* boxes[6];
    for (int i = 0; i < 3; ++i) {
        // One set before the window exists, one after.
        boxes[i] = Add<TEdit>(10 + i * 30, "abc");
        boxes[i]->SetAlignment(kinds[i]);
        boxes[3 + i] = Add<TMemo>(100 + i * 40, "abc");
        boxes[3 + i]->SetHeight(36);
    }
    Form->Show();
    for (int i = 3; i < 6; ++i) boxes[i]->SetAlignment(kinds[i - 3]);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const TInk ink = InkColumns(*Snapshot(boxes[i]));
        ASSERT_GE(ink.Left, 0);
        const int middle = (ink.Left + ink.Right) / 2;
        switch (boxes[i]->Alignment()) {
        case taLeftJustify: EXPECT_LT(ink.Left, 20); break;
        case taRightJustify: EXPECT_GT(ink.Right, 180); break;
        case taCenter: EXPECT_NEAR(middle, 100, 10); break;
        }
    }
}

TEST_F(PaintedFormTest, TextMarginsKeepTheTextOffTheSides) {
    auto* left = Add<TEdit>(10, "abc");
    left->SetTextMargins(60, 0);
    auto* right = Add<TEdit>(40, "abc");
    right->SetAlignment(taRightJustify);
    auto* memo = Add<TMemo>(70, "abc");
    memo->SetHeight(40);
    Form->Show();
    right->SetTextMargins(0, 70);
    memo->SetTextMargins(50, 0);
    EXPECT_GE(InkColumns(*Snapshot(left)).Left, 60);
    const TInk r = InkColumns(*Snapshot(right));
    EXPECT_LE(r.Right, 200 - 70);
    EXPECT_GT(r.Right, 200 - 90);  // still right-aligned, against the margin
    EXPECT_GE(InkColumns(*Snapshot(memo)).Left, 50);
    // Negative margins count as none.
    left->SetTextMargins(-5, -5);
    EXPECT_EQ(left->TextMarginLeft(), 0);
    EXPECT_LT(InkColumns(*Snapshot(left)).Left, 20);
}

namespace {
// How many separate bands of rows hold text ink: the lines of text shown.
int TextLines(TBitmap& bmp) {
    int lines = 0;
    bool inLine = false;
    for (int y = 3; y < bmp.Height() - 3; ++y) {
        bool ink = false;
        for (int x = 4; x < bmp.Width() - 24 && !ink; ++x) ink = Dark(bmp.Canvas()->Pixels(x, y));
        if (ink && !inLine) ++lines;
        inLine = ink;
    }
    return lines;
}
}  // namespace

TEST_F(PaintedFormTest, SimpleComboShowsItsListBelowTheEdit) {
    TComboBox* combos[2];
    for (int i = 0; i < 2; ++i) {
        combos[i] = Add<TComboBox>(10 + i * 130, "", 145);
        combos[i]->SetHeight(120);
        for (const char* line : {"alpha", "beta", "gamma"}) combos[i]->Items()->Add(line);
    }
    combos[0]->SetStyle(csSimple);
    Form->Show();
    combos[0]->SetText("delta");
    // The edit's line and, below it, the three lines of the open list.
    EXPECT_EQ(TextLines(*Snapshot(combos[0])), 4);
    // A pick shows in the edit and is marked in the list (light on dark,
    // so it counts no more).
    combos[0]->SetItemIndex(1);
    EXPECT_EQ(TextLines(*Snapshot(combos[0])), 3);
    EXPECT_FALSE(combos[0]->DroppedDown());
    combos[0]->SetDroppedDown(true);  // nothing to drop
    EXPECT_FALSE(combos[0]->DroppedDown());
    // A drop-down box shows its one line only; so does a simple one turned
    // into a drop-down.
    EXPECT_EQ(TextLines(*Snapshot(combos[1])), 0);
    combos[1]->SetItemIndex(0);
    EXPECT_EQ(TextLines(*Snapshot(combos[1])), 1);
    combos[0]->SetStyle(csDropDown);
    EXPECT_EQ(TextLines(*Snapshot(combos[0])), 1);
}

TEST_F(PaintedFormTest, ComboDroppedWidthIsNeverNarrowerThanTheBox) {
    auto* combo = Add<TComboBox>(10, "", 120);
    EXPECT_EQ(combo->DroppedWidth(), 120);
    combo->SetDroppedWidth(300);
    EXPECT_EQ(combo->DroppedWidth(), 300);
    combo->SetDroppedWidth(50);
    EXPECT_EQ(combo->DroppedWidth(), 120);
    combo->SetDroppedWidth(-1);
    EXPECT_EQ(combo->DroppedWidth(), 120);
}

namespace {
// Where the 8 x 8 red glyph's top-left pixel shows on the button, or (-1, -1).
TPoint FindGlyph(TBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Canvas()->Pixels(x, y) == clRed) return Point(x, y);
    return Point(-1, -1);
}

struct TGlyphCase {
    TButtonLayout Layout;
    int Margin;
    TPoint Expected;  // on an 80 x 40 button, no caption
};
}  // namespace

class BitBtnGlyphTest : public PaintedFormTest {
protected:
    TBitBtn* AddButton(const String& caption) {
        auto* b = new TBitBtn(Form.get());
        b->SetBounds(10, Top, 80, 40);
        Top += 45;
        b->SetCaption(caption);
        TBitmap glyph(8, 8);
        glyph.Canvas()->Brush()->SetColor(clRed);
        glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
        glyph.Canvas()->SetPixels(0, 7, clWhite);  // the see-through colour
        b->SetGlyph(&glyph);
        b->SetParent(Form.get());
        return b;
    }
    int Top = 10;
};

TEST_F(BitBtnGlyphTest, MarginSetsTheGlyphInFromItsOwnEdge) {
    const TGlyphCase cases[] = {
        {blGlyphLeft, 5, Point(5, 16)},    {blGlyphRight, 5, Point(67, 16)},
        {blGlyphTop, 3, Point(36, 3)},     {blGlyphBottom, 3, Point(36, 29)},
        {blGlyphLeft, -1, Point(36, 16)},  {blGlyphBottom, -1, Point(36, 16)},
    };
    Form->Show();
    for (const TGlyphCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.Layout << " margin " << c.Margin);
        TBitBtn* b = AddButton("");
        b->SetLayout(c.Layout);
        b->SetMargin(c.Margin);
        const TPoint at = FindGlyph(*Snapshot(b));
        EXPECT_EQ(at.X, c.Expected.X);
        EXPECT_EQ(at.Y, c.Expected.Y);
    }
}

TEST_F(BitBtnGlyphTest, SpacingSeparatesGlyphAndCaption) {
    TBitBtn* tight = AddButton("Ab");
    TBitBtn* wide = AddButton("Ab");
    for (TBitBtn* b : {tight, wide}) b->SetMargin(4);
    tight->SetSpacing(0);
    wide->SetSpacing(20);
    Form->Show();
    // Beside the glyph: the caption moves by the spacing, the glyph stays.
    auto a = Snapshot(tight);
    auto b = Snapshot(wide);
    EXPECT_EQ(FindGlyph(*a).X, 4);
    EXPECT_EQ(FindGlyph(*b).X, 4);
    EXPECT_EQ(InkColumns(*b).Left - InkColumns(*a).Left, 20);
    // Above the caption, centred as one block: the glyph rises by half the
    // extra spacing (give or take the odd pixel of centring).
    for (TBitBtn* btn : {tight, wide}) {
        btn->SetLayout(blGlyphTop);
        btn->SetMargin(-1);
    }
    const int risen = FindGlyph(*Snapshot(tight)).Y - FindGlyph(*Snapshot(wide)).Y;
    EXPECT_NEAR(risen, 10, 1);
    // Below the caption the glyph goes down by as much.
    for (TBitBtn* btn : {tight, wide}) btn->SetLayout(blGlyphBottom);
    EXPECT_NEAR(FindGlyph(*Snapshot(wide)).Y - FindGlyph(*Snapshot(tight)).Y, 10, 1);
}

TEST_F(PaintedFormTest, SizeGripShowsOnResizableFormsAndDragsTheFrame) {
    auto* bar = new TStatusBar(Form.get());
    bar->SetParent(Form.get());
    bar->SetSimplePanel(true);
    Form->Show();
    const TRect grip = bar->GripRect();
    ASSERT_TRUE(bar->GripShown());
    EXPECT_EQ(grip.Right, bar->Width());
    EXPECT_EQ(grip.Bottom, bar->Height());
    auto with = Snapshot(bar);
    bar->SetSizeGrip(false);
    EXPECT_EQ(bar->GripRect().Width(), 0);
    EXPECT_FALSE(SamePicture(*with, *Snapshot(bar)));
    bar->SetSizeGrip(true);
    EXPECT_TRUE(SamePicture(*with, *Snapshot(bar)));

    // Dragging the grip resizes the form by as much as the mouse moved.
    const int w = Form->Width(), h = Form->Height();
    const int x = grip.Left + grip.Width() / 2, y = grip.Top + grip.Height() / 2;
    SimulateDrag(bar, Point(x, y), Point(x + 20, y + 10), 1);
    EXPECT_EQ(Form->Width(), w + 20);
    EXPECT_EQ(Form->Height(), h + 10);
    // A press beside the grip resizes nothing.
    SimulateDrag(bar, Point(5, y), Point(30, y), 1);
    EXPECT_EQ(Form->Width(), w + 20);

    // A form of fixed size has no grip to offer.
    Form->SetBorderStyle(bsDialog);
    EXPECT_FALSE(bar->GripShown());
}

// A speed button with a single picture greys it when disabled: the picture's
// dark red shape shows embossed in the shadow colour, and no red is left.
TEST_F(PaintedFormTest, DisabledSpeedButtonGreysItsOnlyGlyph) {
    auto* b = new TSpeedButton(Form.get());
    b->SetBounds(10, 10, 30, 30);
    b->SetFlat(true);  // no edges: the shadow colour is the glyph's alone
    TBitmap glyph(8, 8);
    glyph.Canvas()->Brush()->SetColor(clMaroon);
    glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
    glyph.Canvas()->SetPixels(0, 7, clWhite);  // the see-through colour
    b->SetGlyph(&glyph);
    b->SetParent(Form.get());
    auto count = [](TBitmap& bmp, TColor c) {
        int n = 0;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x) n += bmp.Canvas()->Pixels(x, y) == c;
        return n;
    };
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        b->SetEnabled(enabled);
        auto bmp = Snapshot(b);
        EXPECT_EQ(count(*bmp, clMaroon) > 0, enabled);
        EXPECT_EQ(count(*bmp, ColorToRGB(clBtnShadow)) >= 60, !enabled);
    }
}
