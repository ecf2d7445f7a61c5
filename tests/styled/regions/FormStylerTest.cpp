// TStyFormStyler on a form: the gradient caption, active and inactive,
// the text it keeps from the window, the program's paint events, and the
// settings it refuses.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormFrame.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/Exception.h"
#include "styled/forms/StyFormStyler.h"

namespace {

struct StyledForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TStyFormStyler* Styler;
    explicit StyledForm(TStyFormStyleOptions options = TStyFormStyler::DefaultOptions) {
        Form->SetBorderStyle(bsDialog);
        Form->SetBounds(100, 100, 300, 120);
        Form->SetCaption("Select Date");
        Styler = new TStyFormStyler(Form.get());
        Styler->SetOptions(options);
        Styler->FinishLoading();  // as when the window is streamed: hooks
        Form->Show();
        Application->ProcessMessages();
    }
    ~StyledForm() { Form->Hide(); }
    // The whole window, frame and all, as it paints.
    std::unique_ptr<TBitmap> Shot() const {
        auto b = std::make_unique<TBitmap>(Form->Width(), Form->Height());
        Form->PaintTo(b->Canvas(), 0, 0);
        return b;
    }
    TRect Caption() const { return FormFrameLayout(Form.get()).Caption; }
};

TEST(FormStyler, TakesTheDrawnFrameAndGivesItBack) {
    StyledForm f;
    EXPECT_TRUE(f.Form->DrawnFrame());
    EXPECT_EQ(f.Form->ClientHeight(), 120 - FormFrameLayout(f.Form.get()).FrameHeight());
    f.Styler->SetEnabled(false);
    EXPECT_FALSE(f.Form->DrawnFrame());
}

TEST(FormStyler, ActiveCaptionIsAGradientOfColorsSteps) {
    struct Case {
        int Colors;
    } cases[] = {{2}, {16}, {32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Colors);
        StyledForm f;
        f.Styler->SetColors(c.Colors);
        f.Form->Perform(WM_NCACTIVATE, 1, 0);
        ASSERT_TRUE(f.Styler->Active());
        const auto shot = f.Shot();
        // The bar up to where its text ends, at a row the text leaves alone.
        const TRect bar = f.Caption();
        const int y = bar.Top + 1;
        std::set<TColor> steps;
        const int end = bar.Right - 22;  // the close button's slot and margin
        for (int x = bar.Left; x < end; ++x) steps.insert(shot->Canvas()->Pixels(x, y));
        EXPECT_EQ(static_cast<int>(steps.size()), c.Colors);
        EXPECT_EQ(shot->Canvas()->Pixels(bar.Left, y), clBlack);
        EXPECT_EQ(shot->Canvas()->Pixels(end - 1, y), ColorToRGB(clActiveCaption));
    }
}

TEST(FormStyler, InactiveCaptionIsFlatUnlessAskedOtherwise) {
    for (bool gradient : {false, true}) {
        SCOPED_TRACE(gradient);
        StyledForm f(TStyFormStyler::DefaultOptions | (gradient ? FormStyleOption(fsInactiveGradient) : 0));
        f.Form->Perform(WM_NCACTIVATE, 0, 0);
        EXPECT_FALSE(f.Styler->Active());
        const auto shot = f.Shot();
        const TRect bar = f.Caption();
        EXPECT_EQ(shot->Canvas()->Pixels(bar.Left, bar.Top + 1),
                  gradient ? clBlack : ColorToRGB(clInactiveCaption));
    }
}

TEST(FormStyler, WindowTextIsABlankWhileTheStylerOwnsTheCaption) {
    StyledForm f(TStyFormStyler::DefaultOptions & ~FormStyleOption(fsUseFormCaption));
    char text[64] = {};
    EXPECT_EQ(f.Form->Perform(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 1);
    EXPECT_STREQ(text, " ");
    EXPECT_EQ(f.Form->Perform(WM_GETTEXTLENGTH, 0, 0), 1);
    EXPECT_EQ(f.Styler->Caption(), "Select Date");
    f.Styler->SetEnabled(false);
    EXPECT_EQ(f.Form->Perform(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 11);
    EXPECT_STREQ(text, "Select Date");
    EXPECT_EQ(f.Form->Caption(), "Select Date");
}

TEST(FormStyler, OwnerDrawGetsTheBarAndTheTextRectangle) {
    StyledForm f;
    std::vector<TRect> bars, texts;
    f.Styler->OnPaint = [&](TObject*, TCanvas* c, const TRect& r) {
        bars.push_back(r);
        c->Brush()->SetColor(clRed);
        c->FillRect(r);
    };
    f.Styler->OnCaptionPaint = [&](TObject*, TCanvas*, const TRect& r) { texts.push_back(r); };
    f.Styler->SetPaintMode(pcOwnerDraw);
    f.Form->Perform(WM_NCACTIVATE, 1, 0);
    const auto shot = f.Shot();
    ASSERT_FALSE(bars.empty());
    ASSERT_FALSE(texts.empty());
    const TRect bar = f.Caption();
    // fsAdjustRect: the bar the program paints ends where the text ends.
    EXPECT_EQ(bars.back().Left, bar.Left);
    EXPECT_EQ(bars.back().Top, bar.Top);
    EXPECT_LT(bars.back().Right, bar.Right);
    EXPECT_EQ(texts.back().Right, bars.back().Right);
    EXPECT_EQ(shot->Canvas()->Pixels(bar.Left + 5, bar.Top + 1), clRed);

    // In pcControl the caption event replaces only the text.
    bars.clear();
    texts.clear();
    f.Styler->SetPaintMode(pcControl);
    f.Styler->SetOptions(f.Styler->Options() | FormStyleOption(fsDrawCaptionEvent));
    f.Shot();
    EXPECT_TRUE(bars.empty());
    EXPECT_FALSE(texts.empty());
}

TEST(FormStyler, ColorsOutsideTheRangeAreRefused) {
    StyledForm f;
    for (int bad : {0, 1, 237, -5}) {
        EXPECT_THROW(f.Styler->SetColors(bad), ERangeError) << bad;
        EXPECT_EQ(f.Styler->Colors(), 32);
    }
    f.Styler->SetColors(236);
    EXPECT_EQ(f.Styler->Colors(), 236);
}

TEST(FormStyler, AlignmentPlacesTheText) {
    // Where the text's pixels lie along the bar, left and right of its
    // middle, by alignment.
    struct Case {
        TStyCaptionAlignment Alignment;
        bool Left, Right;
    } cases[] = {{TStyCaptionAlignment::LeftJustify, true, false},
                 {TStyCaptionAlignment::RightJustify, false, true},
                 {TStyCaptionAlignment::Center, true, true}};
    for (const Case& c : cases) {
        StyledForm f(TStyFormStyler::DefaultOptions & ~FormStyleOption(fsUseDefaultFont));
        f.Styler->SetColors(2);
        f.Styler->SetAlignment(c.Alignment);
        f.Form->Perform(WM_NCACTIVATE, 1, 0);
        const auto shot = f.Shot();
        const TRect bar = f.Caption();
        const int middle = (bar.Left + bar.Right - 22) / 2;
        auto textIn = [&](int from, int to) {
            for (int x = from; x < to; ++x)
                for (int y = bar.Top; y < bar.Bottom; ++y) {
                    const TColor p = shot->Canvas()->Pixels(x, y);
                    if (p != clBlack && p != ColorToRGB(clActiveCaption)) return true;
                }
            return false;
        };
        EXPECT_EQ(textIn(bar.Left, middle - 20), c.Left) << int(c.Alignment);
        EXPECT_EQ(textIn(middle + 20, bar.Right - 22), c.Right) << int(c.Alignment);
    }
}

}  // namespace
