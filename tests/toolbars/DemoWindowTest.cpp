// The demo window: every control of the library on one window, laid out
// at two sizes. With a display (xvfb-run) it is photographed at both.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "framework/classes/Strings.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "DemoSupport.h"
#include "toolbars/TbLabel.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbProgressBar.h"
#include "toolbars/TbSpacer.h"
#include "toolbars/TbSplitter.h"
#include "toolbars/TbSplitterPane.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"
#include "toolbars/TbURLLabel.h"

namespace {

struct TDemo {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TTbToolbar* Top = nullptr;
    TTbToolbar* Bottom = nullptr;
    TTbSplitter* Split = nullptr;
    TTbMemo* Memo = nullptr;
    TTbURLLabel* Link = nullptr;
    TTbLabel* Title = nullptr;
    TTbProgressBar* Progress = nullptr;

    TDemo() {
        TForm* f = Form.get();
        f->SetCaption("Velmor toolbars");
        f->SetBounds(40, 40, 640, 360);
        f->SetColor(clBtnFace);

        Top = new TTbToolbar(f);
        Top->SetParent(f);
        const char* captions[] = {"New", "Open", "Save", "Cut", "Copy", "Paste", "Spell", "Thesaurus",
                                  "Keywords", "Update", "Help"};
        const TColor colours[] = {clWhite, clYellow, clBlue, clRed, clAqua, clLime,
                                  clGreen, clPurple, clTeal, clNavy, clOlive};
        for (int i = 0; i < 11; ++i) {
            if (i == 3 || i == 6 || i == 9) {
                auto* s = new TTbSpacer(f);
                s->SetGrooved(true);
                s->SetParent(Top);
            }
            auto* b = new TTbToolbarButton(f);
            b->SetBounds(0, 0, 70, 24);
            b->SetGlyph(Glyph(colours[i]).get());
            b->SetNumGlyphs(2);
            b->SetHotGlyph(Glyph(clFuchsia == colours[i] ? clRed : clMaroon).get());
            b->SetCaption(captions[i]);
            if (i == 2) b->SetEnabled(false);
            b->SetParent(Top);
        }
        Bottom = new TTbToolbar(f);
        Bottom->SetParent(f);
        Bottom->SetAlign(alBottom);
        Bottom->SetRowHeight(40);
        Bottom->SetWrapControls(false);
        Progress = new TTbProgressBar(f);
        Progress->SetBounds(0, 0, 220, 22);
        Progress->SetBarColor(clBlue);
        Progress->SetTotalParts(15);
        Progress->SetPartsComplete(9);
        Progress->SetParent(Bottom);
        auto* gap = new TTbSpacer(f);
        gap->SetParent(Bottom);
        auto* leds = new TTbProgressBar(f);
        leds->SetBounds(0, 0, 160, 22);
        leds->SetBarStyle(bsLED);
        leds->SetBarColor(clGreen);
        leds->SetBackColor(clBlack);
        leds->SetNumSegments(15);
        leds->SetPercent(60);
        leds->SetParent(Bottom);

        Split = new TTbSplitter(f);
        Split->SetParent(f);
        Split->SetAlign(alClient);
        Split->SetSplitterStyle(TSplitterStyle::ssGroove);
        Split->SetHotSpotVisible(true);
        Split->SetPercent(70);
        Memo = new TTbMemo(f);
        Memo->SetParent(Split->UpperLeftPane());
        Memo->SetAlign(alClient);
        Memo->SetFrameVisible(true);
        Memo->SetFrameStyle(TFrameStyle::fsLowered);
        Memo->Lines()->SetText("keywords, meta, description\r\nrobots: index, follow\r\nrevisit-after: 7 days");
        TTbSplitterPane* right = Split->LowerRightPane();
        right->SetColor(clWindow);
        Title = new TTbLabel(f);
        Title->SetParent(right);
        Title->Font()->SetName("Arial");
        Title->Font()->SetSize(14);
        Title->SetTextStyle(tsRaised);
        Title->SetCaption("Velmor");
        Title->SetBounds(10, 10, Title->Width(), Title->Height());
        auto* turned = new TTbLabel(f);
        turned->SetParent(right);
        turned->SetTextStyle(tsShadow);
        turned->SetAngle(30);
        turned->SetCaption("Page head");
        turned->SetBounds(10, 60, turned->Width(), turned->Height());
        Link = new TTbURLLabel(f);
        Link->SetParent(right);
        Link->SetCaption("www.example.org");
        Link->SetBounds(10, 140, Link->Width(), Link->Height());
    }

    void Resize(int w, int h) { Form->SetBounds(Form->Left(), Form->Top(), w, h); }
};

void Photograph(TForm* form, const char* name) {
    form->Show();
    PhotographArea(Bounds(form->Left() - 10, form->Top() - 40, form->Width() + 20, form->Height() + 50), name);
}

}  // namespace

TEST(DemoWindow, LayoutAtTwoSizesAndScreenshots) {
    TDemo demo;
    const int wideRows = demo.Top->RowCount();
    EXPECT_EQ(demo.Bottom->Height(), 46);
    EXPECT_EQ(demo.Split->Percent(), 70);
    EXPECT_EQ(demo.Split->Position(), RoundHalfEven(0.7 * (demo.Split->Width() - demo.Split->SplitterWidth() / 2)));
    EXPECT_EQ(demo.Split->Top(), demo.Top->Height());
    EXPECT_EQ(demo.Split->Top() + demo.Split->Height(), demo.Bottom->Top());
    const bool display = Screen->HasDisplay();
    if (display) Photograph(demo.Form.get(), "toolbars-demo-wide.png");

    demo.Resize(380, 420);
    EXPECT_GT(demo.Top->RowCount(), wideRows);  // the top bar wrapped
    EXPECT_EQ(demo.Top->Height(), 25 * demo.Top->RowCount() + 6);
    EXPECT_EQ(demo.Split->Top(), demo.Top->Height());
    EXPECT_EQ(demo.Split->Percent(), 70);
    EXPECT_EQ(demo.Split->Position(), RoundHalfEven(0.7 * (demo.Split->Width() - demo.Split->SplitterWidth() / 2)));
    if (display) {
        Photograph(demo.Form.get(), "toolbars-demo-narrow.png");
        demo.Form->Hide();
    } else {
        GTEST_SKIP() << "no display: nothing to photograph";
    }
}
