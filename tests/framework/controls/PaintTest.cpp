#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Region.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/testkit/PictureCheck.h"

namespace {

// Paints a red square in the middle; the rest is its background colour.
class TSquare : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(2, 2, 8, 8));
    }
};

// Paints only a 2 x 2 dot: everything else must show what lies below.
class TDot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clNavy);
        Canvas()->FillRect(Rect(0, 0, 2, 2));
    }
};

// The demo's painted control: a framed gradient of bars and a caption
// turned a quarter to the left.
class TGauge : public TCustomControl {
public:
    explicit TGauge(TComponent* owner) : TCustomControl(owner) { ControlStyle |= csOpaque; }

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        const TRect r = ClientRect();
        c->Brush()->SetColor(clWhite);
        c->FillRect(r);
        for (int i = 0; i < 8; ++i) {
            c->Brush()->SetColor(RGB(30 * i, 80, 255 - 30 * i));
            c->FillRect(Rect(40 + i * 16, r.Bottom - 10 - i * 10, 52 + i * 16, r.Bottom - 10));
        }
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(r);
        c->Font()->SetName("Arial");
        c->Font()->SetSize(12);
        c->Font()->SetStyle(fsBold);
        c->Font()->SetOrientation(900);
        c->TextOut(8, r.Bottom - 8, "Keywords");
    }
};

}  // namespace

TEST(Painting, CustomControlPaintsOverItsBackground) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* square = new TSquare(form.get());
    square->SetBounds(0, 0, 10, 10);
    square->SetColor(clBlue);
    square->SetParent(form.get());
    TBitmap bmp(10, 10);
    square->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_GT(square->Paints, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(7, 7), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(8, 8), clBlue);
}

TEST(Painting, GraphicControlLetsItsParentShowThrough) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 40, 40);
    form->SetColor(clLime);
    auto* square = new TSquare(form.get());
    square->SetBounds(0, 0, 20, 20);
    square->SetColor(clYellow);
    square->SetParent(form.get());
    auto* dot = new TDot(form.get());
    dot->SetBounds(0, 0, 6, 6);
    dot->SetParent(square);
    TBitmap bmp(20, 20);
    square->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clNavy);
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), clNavy);
    EXPECT_EQ(bmp.Canvas()->Pixels(4, 4), clRed);     // the parent's painting, seen through
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 0), clYellow);  // the parent's background, seen through
    // Hidden, it paints nothing at all.
    dot->Hide();
    square->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clYellow);
}

TEST(Painting, BackgroundCanBePaintedByAHookedProcedure) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 20, 20);
    form->SetColor(clWhite);
    TWndMethod old = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND) {
            auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
            canvas->Brush()->SetColor(clTeal);
            canvas->FillRect(Rect(0, 0, 20, 10));
            m.Result = 1;
            return;
        }
        old(m);
    };
    TBitmap bmp(20, 20);
    form->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), clTeal);
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 15), clWhite);
}

TEST(Painting, FormPaintsThroughOnPaint) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 30, 30);
    form->SetColor(clWhite);
    form->OnPaint = [&](TObject*) {
        form->Canvas()->Brush()->SetColor(clMaroon);
        form->Canvas()->FillRect(Rect(10, 10, 20, 20));
    };
    TBitmap bmp(30, 30);
    form->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(15, 15), clMaroon);
}

// The demo window: borderless, cut to a rounded outline, with a painted
// control and a turned caption. With a real display it is photographed.
TEST(Painting, DemoWindowWithRegionAndTurnedCaption) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetCaption("Velmor demo");
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 260, 180);
    form->SetColor(RGB(240, 236, 220));
    auto* gauge = new TGauge(form.get());
    gauge->SetBounds(20, 20, 220, 140);
    gauge->SetParent(form.get());
    TRegion outline = TRegion::CreateRoundRect(Rect(0, 0, 260, 180), 40, 40);
    form->SetWindowRgn(&outline);
    ASSERT_NE(form->WindowRgn(), nullptr);
    EXPECT_FALSE(form->WindowRgn()->Contains(0, 0));
    EXPECT_TRUE(form->WindowRgn()->Contains(130, 90));

    // The turned caption runs upward from its start point.
    TBitmap bmp(220, 140);
    gauge->PaintTo(bmp.Canvas(), 0, 0);
    int dark = 0;
    for (int y = 40; y < 130; ++y)
        for (int x = 8; x < 30; ++x)
            if (bmp.Canvas()->Pixels(x, y) == clBlack) ++dark;
    EXPECT_GT(dark, 40);
    EXPECT_EQ(bmp.Canvas()->Pixels(60, 5), clWhite);

    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display: nothing to photograph";
    form->Show();
    PumpMessagesUntil([] { return false; }, 300);  // let the window manager map and paint it
    const char* dir = std::getenv("VELMOR_SCREENSHOT_DIR");
    const String file = PathJoin(dir && *dir ? String(dir) : String(VELMOR_BIN_DIR), "demo-window.png");
    const TRect area = Bounds(form->Left() - 20, form->Top() - 20, form->Width() + 40, form->Height() + 40);
    ASSERT_TRUE(Screen->CaptureToFile(area, file));
    EXPECT_EQ(PictureColours(file), 2) << file << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", file.c_str());
}
