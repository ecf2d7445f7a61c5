// A form given its outline by TStyFormShape: the window region it gets,
// the caption strip, the minimised form, and dragging by the client area.
#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/Exception.h"
#include "styled/base/StyEOneInstError.h"
#include "styled/forms/StyBorderRegion.h"
#include "styled/forms/StyFormShape.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/StyShadow.h"
#include "styled/graphics/StyStoredProperties.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyContainer.h"
#include "styled/storage/StyImageList.h"

namespace {

struct ShapedForm {
    std::unique_ptr<TForm> Form;
    TStyFormShape* Shape;
    ShapedForm(TFormBorderStyle border, int w, int h) : Form(std::make_unique<TForm>(nullptr)) {
        Form->SetBorderStyle(border);
        Form->SetBounds(100, 100, w, h);
        Shape = new TStyFormShape(Form.get());
        Shape->FinishLoading();  // as when the window is streamed: hooks and applies
    }
};

TEST(FormShape, DefaultShapeOnABorderlessForm) {
    ShapedForm f(bsNone, 462, 265);
    EXPECT_EQ(f.Shape->LastRect(), Rect(-1, -1, 463, 266));
    const TRegion* shape = f.Shape->Region()->Region();
    ASSERT_NE(shape, nullptr);
    // The shadow's depth comes off the right and bottom.
    EXPECT_EQ(*shape, TRegion::CreateRoundRect(Rect(-1, -1, 457, 260), 20, 20));
    TRegion expected(*shape);
    TRegion moved(*shape);
    moved.Offset(6, 6);
    expected.CombineWith(moved, RGN_OR);
    ASSERT_NE(f.Form->WindowRgn(), nullptr);
    EXPECT_EQ(*f.Form->WindowRgn(), expected);
    EXPECT_FALSE(f.Form->WindowRgn()->Contains(0, 0));   // the rounded corner
    EXPECT_TRUE(f.Form->WindowRgn()->Contains(230, 0));
    EXPECT_TRUE(f.Form->WindowRgn()->Contains(460, 200));  // the shadow only
    EXPECT_FALSE(f.Form->WindowRgn()->Contains(461, 264));
}

TEST(FormShape, CaptionStripStaysOnlyWhenAsked) {
    ShapedForm f(bsSingle, 300, 200);
    // The shape gives a bordered form the frame the program draws, whose
    // caption strip the outline can keep or cut, window manager or not.
    EXPECT_TRUE(f.Form->DrawnFrame());
    f.Form->Show();
    ASSERT_TRUE(f.Shape->Hooked());
    const int top = f.Form->Height() - f.Form->ClientHeight() - (f.Form->Width() - f.Form->ClientWidth()) / 2;
    EXPECT_EQ(top, 3 + 19);  // the single border and the caption
    f.Shape->SetShowFormCaption(true);
    ASSERT_NE(f.Form->WindowRgn(), nullptr);
    EXPECT_TRUE(f.Form->WindowRgn()->Contains(0, 0));
    f.Shape->SetShowFormCaption(false);
    ASSERT_NE(f.Form->WindowRgn(), nullptr);
    // Without the caption only the rounded client area is left.
    EXPECT_FALSE(f.Form->WindowRgn()->Contains(0, 0));
    EXPECT_FALSE(f.Form->WindowRgn()->Contains(f.Form->Width() / 2, top - 1));
    EXPECT_TRUE(f.Form->WindowRgn()->Contains(f.Form->Width() / 2, top + 10));
    f.Form->Hide();
}

TEST(FormShape, MinimisedFormKeepsOnlyTheCaptionStrip) {
    ShapedForm f(bsSingle, 200, 100);
    f.Form->Show();
    Application->ProcessMessages();
    const int top = f.Form->Height() - f.Form->ClientHeight() - (f.Form->Width() - f.Form->ClientWidth()) / 2;
    f.Form->SetWindowState(wsMinimized);
    f.Shape->ApplyShape();
    ASSERT_NE(f.Form->WindowRgn(), nullptr);
    EXPECT_EQ(*f.Form->WindowRgn(), TRegion(Rect(0, 0, f.Form->Width(), top)));
    EXPECT_EQ(*f.Shape->Region()->Region(), TRegion(Rect(0, 0, f.Form->Width(), top)));
    f.Form->SetWindowState(wsNormal);
    f.Form->Hide();
}

TEST(FormShape, ShapeWithoutDataLeavesTheWholeWindow) {
    ShapedForm f(bsNone, 200, 100);
    f.Shape->Region()->SetShape(rsUserRegion);
    EXPECT_EQ(f.Form->WindowRgn(), nullptr);
    EXPECT_EQ(f.Shape->AppliedRegion(), nullptr);
    f.Shape->Region()->SetShape(rsElliptic);
    ASSERT_NE(f.Form->WindowRgn(), nullptr);
    EXPECT_FALSE(f.Form->WindowRgn()->Contains(1, 1));
}

TEST(FormShape, OnePerFormAndOnlyOnForms) {
    TForm form(nullptr);
    new TStyFormShape(&form);
    EXPECT_THROW(new TStyFormShape(&form), StyEOneInstError);
    TComponent notAForm(nullptr);
    EXPECT_THROW(new TStyFormShape(&notAForm), StyEOneInstError);
}

TEST(FormShape, DraggedByAFreeSpotNotByAButton) {
    ShapedForm f(bsNone, 300, 200);
    auto* button = new TButton(f.Form.get());
    button->SetParent(f.Form.get());
    button->SetBounds(200, 150, 80, 30);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    f.Form->Show();
    Application->ProcessMessages();
    const int left = f.Form->Left(), top = f.Form->Top();
    // A window manager takes the move (and the mouse) at once; it follows
    // the real pointer, which a test does not hold. Without one the window
    // follows the mouse itself.
    bool handedOver = false;
    const TWndMethod previous = f.Form->WindowProc;
    f.Form->WindowProc = [&](TMessage& m) {
        previous(m);
        if (m.Msg == WM_NCLBUTTONDOWN) handedOver = m.Result != 0;
    };

    SimulateMouseDown(f.Form.get(), mbLeft, 50, 50);
    EXPECT_EQ(f.Shape->NCButtonDown(), !handedOver);
    SimulateMouseMove(f.Form.get(), 80, 70, ssLeft);
    SimulateMouseUp(f.Form.get(), mbLeft, 50, 50);  // the form came along with the hand
    Application->ProcessMessages();
    EXPECT_FALSE(f.Shape->NCButtonDown());
    const TPoint moved = handedOver ? Point(left, top) : Point(left + 30, top + 20);
    EXPECT_EQ(Point(f.Form->Left(), f.Form->Top()), moved);

    // The button keeps its mouse: pressing it neither drags nor stops the click.
    SimulateClick(button, 10, 10);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(f.Form->Left(), moved.X);

    f.Shape->SetFormDragable(false);
    SimulateMouseDown(f.Form.get(), mbLeft, 50, 50);
    EXPECT_FALSE(f.Shape->NCButtonDown());
    SimulateMouseUp(f.Form.get(), mbLeft, 50, 50);
    f.Form->WindowProc = previous;
    f.Form->Hide();
}

TEST(FormShape, PaintsFillAndBorder) {
    ShapedForm f(bsNone, 120, 80);
    f.Shape->Region()->Shadow()->SetStyle(hssNone);
    f.Shape->Region()->SetShape(rsRect);
    f.Shape->FillObject()->SetStyle(sfBrush);
    f.Shape->FillObject()->Brush()->SetColor(clBlue);
    f.Form->Show();
    Application->ProcessMessages();
    TBitmap b(120, 80);
    f.Form->PaintTo(b.Canvas(), 0, 0);
    EXPECT_EQ(b.Canvas()->Pixels(60, 40), ColorToRGB(clBlue));
    // The border lies one pixel outside the rectangle grown by one, and one inside it.
    EXPECT_EQ(b.Canvas()->Pixels(0, 40), ColorToRGB(clBlack));
    EXPECT_EQ(b.Canvas()->Pixels(119, 40), ColorToRGB(clBlack));
    EXPECT_EQ(b.Canvas()->Pixels(1, 40), ColorToRGB(clBlue));
    ASSERT_NE(f.Shape->Background(), nullptr);
    EXPECT_EQ(f.Shape->Background()->Canvas()->Pixels(5, 5), ColorToRGB(clBlue));
    f.Form->Hide();
}

TEST(FormShape, StoredFormNamesTheInternalListOrTheFormsOwn) {
    ShapedForm f(bsNone, 100, 80);
    f.Shape->SetShowFormCaption(false);
    f.Shape->FillObject()->SetStyle(sfBrush);
    f.Shape->SetImageList(StyDefaultContainer()->ImageList());
    f.Shape->SetImageIndex(2);
    TStringList lines;
    TStyStoredProperties stored(&lines);
    f.Shape->WriteStored(stored);
    EXPECT_EQ(lines.ToVector(), (std::vector<String>{"ShowFormCaption=False", "FillObject.Style=sfBrush",
                                                     "ImageIndex=2", "Internal=STYIML30"}));
    ShapedForm g(bsNone, 100, 80);
    g.Shape->ReadStored(stored);
    EXPECT_FALSE(g.Shape->ShowFormCaption());
    EXPECT_EQ(g.Shape->FillObject()->Style(), sfBrush);
    EXPECT_EQ(g.Shape->ImageList(), StyDefaultContainer()->ImageList());
    EXPECT_EQ(g.Shape->ImageIndex(), 2);

    // A list of the form's own is stored by its name, not as "Internal".
    auto* own = new TStyBitmapList(g.Form.get());
    own->SetName("Pictures");
    g.Shape->SetImageList(own);
    lines.Clear();
    g.Shape->WriteStored(stored);
    EXPECT_EQ(lines.Values("ImageList"), "Pictures");
    EXPECT_EQ(lines.IndexOfName("Internal"), -1);
    g.Shape->SetImageList(nullptr);
    g.Shape->ReadStored(stored);
    EXPECT_EQ(g.Shape->ImageList(), own);
    // On another form the name finds nothing.
    EXPECT_THROW(f.Shape->ReadStored(stored), EConvertError);

    // Names that find no list are refused, and nothing changes.
    for (const char* bad : {"ImageList=Nowhere", "Internal=STYWVL30", "ImageIndex=-1"}) {
        TStringList badLines;
        badLines.Add(bad);
        EXPECT_THROW(g.Shape->ReadStored(TStyStoredProperties(&badLines)), EConvertError) << bad;
        EXPECT_EQ(g.Shape->ImageList(), own) << bad;
        EXPECT_FALSE(g.Shape->ShowFormCaption()) << bad;
    }
}

}  // namespace
