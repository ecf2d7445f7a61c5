// The tag form's two date pickers and the About window as a user drives
// them.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include <cstdlib>
#include <filesystem>

#include "composer/tools/AboutBox.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormFrame.h"
#include "framework/controls/Image.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Mouse.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "framework/messages/MessageQueue.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/DateTime.h"
#include "framework/testkit/SimulatedInput.h"
#include "styled/base/WindowHelpers.h"
#include "styled/calendar/StyCalendarDlg.h"
#include "styled/forms/StyFormShape.h"
#include "styled/forms/StyFormStyler.h"
#include "toolbars/TbToolbarButton.h"

namespace {

class DateAbout : public MainWindowTest {
protected:
    TForm1* F = nullptr;
    void SetUp() override {
        MainWindowTest::SetUp();
        F = Create();
    }
    // The dialog opens on y-m-d; the user moves `right` days on with the
    // arrow key in the calendar and confirms or cancels.
    void Pick(int y, int m, int d, TModalResult result, int right = 0) {
        F->date1->SetDateValue(EncodeDate(y, m, d));
        Dialogs.AnswerWith([result, right](TForm* f) {
            TWinControl* cal = Calendar(f);
            ASSERT_NE(cal, nullptr);
            ASSERT_TRUE(WaitForFocus(cal));
            for (int i = 0; i < right; ++i) SimulateKey(cal, VK_RIGHT);
            f->SetModalResult(result);
        });
    }
    static TWinControl* Calendar(TForm* f) {
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (f->Components(i)->ClassName() == "TStyCalendar") return dynamic_cast<TWinControl*>(f->Components(i));
        return nullptr;
    }
};

TEST_F(DateAbout, PickersCarryTheirHintAndOpenOnToday) {
    for (TButton* b : {F->d1, F->d2}) {
        EXPECT_EQ(b->Hint(), "Select Date");
        EXPECT_EQ(b->Parent(), F->Edit8->Parent());
    }
    EXPECT_LT(F->Edit8->Left() + F->Edit8->Width(), F->d1->Left());
    EXPECT_EQ(F->d2->Top(), F->Edit11->Top());
    String caption;
    Dialogs.AnswerWith([&](TForm* f) {
        caption = f->Caption();
        f->SetModalResult(mrOk);
    });
    F->d1->Click();
    EXPECT_EQ(caption, "Select Date");
    EXPECT_EQ(F->Edit8->Text(), DateToStr(::Date()));
}

TEST_F(DateAbout, MainWindowOpensUnderADayFirstLocale) {
    // The design's sample date is written month first; it must not decide
    // whether the window can be made at all.
    TFormatSettings& fs = FormatSettings();
    const TFormatSettings saved = fs;
    fs.ShortDateFormat = "dd.mm.yyyy";
    fs.DateSeparator = '.';
    Form.reset();
    EXPECT_NO_THROW(F = Create());
    Dialogs.AnswerWith([](TForm* f) { f->SetModalResult(mrOk); });
    F->d1->Click();
    EXPECT_EQ(F->Edit8->Text(), DateToStr(::Date()));
    fs = saved;
}

// Where a test on a display leaves its pictures to look at.
String ShotFile(const String& name) {
    namespace fs = std::filesystem;
    const char* out = std::getenv("VELMOR_SCREENS");
    const fs::path dir = out && *out ? fs::path(out) : fs::temp_directory_path() / "velmor-screens";
    fs::create_directories(dir);
    return (dir / name).string();
}

TEST_F(DateAbout, DateDialogHasTheDrawnGradientCaptionAndClosesByItsButton) {
    bool styled = false, drawn = false;
    int colors = 0;
    TModalResult closed = mrNone;
    Dialogs.AnswerWith([&](TForm* f) {
        TStyFormStyler* styler = nullptr;
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (auto* s = dynamic_cast<TStyFormStyler*>(f->Components(i))) styler = s;
        ASSERT_NE(styler, nullptr);
        styled = styler->Enabled();
        colors = styler->Colors();
        drawn = f->DrawnFrame();
        const TFormFrameLayout frame = FormFrameLayout(f);
        if (Screen->HasDisplay()) {
            // The caption as it shows once the dialog is the active
            // window: the gradient starts black at its left end.
            ASSERT_TRUE(PumpMessagesUntil([&] { return f->FrameActive(); }, 5000));
            Application->ProcessMessages();
            TBitmap shot;
            ASSERT_TRUE(Screen->Capture(f->BoundsRect(), &shot));
            Screen->CaptureToFile(f->BoundsRect(), ShotFile("date-dialog.png"));
            EXPECT_EQ(shot.Canvas()->Pixels(frame.Caption.Left, frame.Caption.Top + 1), clBlack);
        }
        // The close button of the frame, pressed and released by the mouse.
        const TPoint origin = f->ClientOrigin();
        const TRect close = frame.CloseButton;
        SimulateClick(f, f->Left() + close.Left + 4 - origin.X, f->Top() + close.Top + 4 - origin.Y);
        closed = f->ModalResult();
    });
    F->Edit8->SetText("kept");
    F->d1->Click();
    EXPECT_TRUE(styled);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(colors, 32);
    EXPECT_EQ(closed, mrCancel);
    EXPECT_EQ(F->Edit8->Text(), "kept");
}

TEST_F(DateAbout, AboutWindowExplodesOutOfThePointer) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "the effect shows only on a display (xvfb-run -a)";
    Mouse->SetCursorPos(Point(0, 0));
    std::vector<TRect> frames;
    size_t shownMidway = 0;
    int whiteOnEdge = 0, edge = 0;
    const TZoomFrameDrawer onScreen = ScreenZoomFrameDrawer();
    SetZoomFrameDrawer([&](const TRect& r, int delay) {
        onScreen(r, delay);
        frames.push_back(r);
        if (frames.size() != 30) return;
        // Midway through the drawing pass: thirty frames on the screen.
        shownMidway = ShownZoomFrames().size();
        TBitmap shot;
        const TRect area = Rect(0, 0, r.Right + 1, r.Bottom + 1);
        ASSERT_TRUE(Screen->Capture(area, &shot));
        Screen->CaptureToFile(area, ShotFile("about-explode.png"));
        // The newest frame's top edge, dotted in black and white.
        for (int x = r.Left + 2; x < r.Right - 2; ++x, ++edge)
            if (shot.Canvas()->Pixels(x, r.Top) == clWhite) ++whiteOnEdge;
    });
    Dialogs.AnswerWith([](TForm* f) { f->SetModalResult(mrOk); });
    F->SpeedButton1->Click();
    SetZoomFrameDrawer(nullptr);
    ASSERT_EQ(frames.size(), 80u);  // forty frames drawn, then the same forty again to take them away
    EXPECT_EQ(shownMidway, 30u);
    EXPECT_GT(whiteOnEdge, edge / 3);
    EXPECT_LT(whiteOnEdge, edge);
    EXPECT_TRUE(ShownZoomFrames().empty());
    // The last frame is the window where it opened, centred on the screen.
    EXPECT_EQ(frames[39].Width(), 462);
    EXPECT_EQ(frames[39].Height(), 265);
}

TEST_F(DateAbout, BulletinDateTakesTheShortDate) {
    F->Edit8->SetText("old");
    Pick(2000, 4, 13, mrOk, 1);
    F->d1->Click();
    EXPECT_EQ(F->Edit8->Text(), DateToStr(EncodeDate(2000, 4, 14)));
}

TEST_F(DateAbout, ExpiryDateTakesAnHttpDate) {
    const TFormatSettings& fs = FormatSettings();
    Pick(2000, 4, 14, mrOk);
    F->d2->Click();
    EXPECT_EQ(F->Edit11->Text(), fs.ShortDayNames[5] + ", 14 " + fs.ShortMonthNames[3] + " 2000 00:00:00 GMT");
    Pick(2024, 2, 28, mrOk, 1);
    F->d2->Click();
    EXPECT_EQ(F->Edit11->Text(), fs.ShortDayNames[4] + ", 29 " + fs.ShortMonthNames[1] + " 2024 00:00:00 GMT");
}

TEST_F(DateAbout, CancelLeavesBothFields) {
    F->Edit8->SetText("bulletin");
    F->Edit11->SetText("expires");
    for (TButton* b : {F->d1, F->d2}) {
        Pick(1999, 1, 1, mrCancel, 3);
        b->Click();
    }
    EXPECT_EQ(F->Edit8->Text(), "bulletin");
    EXPECT_EQ(F->Edit11->Text(), "expires");
    EXPECT_EQ(Dialogs.Pending(), 0u);
}

TEST_F(DateAbout, AboutWindowIsRoundedAndCloses) {
    for (int via = 0; via < 2; ++via) {
        SCOPED_TRACE(via ? "menu" : "toolbar");
        String cls, caption;
        int w = 0, h = 0;
        bool borderless = false, white = false, corner = true, middle = false;
        TModalResult after = mrNone;
        Dialogs.AnswerWith([&](TForm* f) {
            auto* box = dynamic_cast<TAboutBox*>(f);
            ASSERT_NE(box, nullptr);
            cls = f->ClassName();
            caption = f->Caption();
            w = f->Width();
            h = f->Height();
            borderless = f->BorderStyle() == bsNone;
            white = f->Color() == clWhite;
            ASSERT_NE(f->WindowRgn(), nullptr);
            corner = f->WindowRgn()->Contains(0, 0);
            middle = f->WindowRgn()->Contains(230, 130);
            box->Button1->Click();
            after = f->ModalResult();
        });
        if (via) F->About1->Click();
        else F->SpeedButton1->Click();
        EXPECT_EQ(cls, "TAboutBox");
        EXPECT_EQ(caption, "About Velmor");
        EXPECT_EQ(w, 462);
        EXPECT_EQ(h, 265);
        EXPECT_TRUE(borderless);
        EXPECT_TRUE(white);
        EXPECT_FALSE(corner);
        EXPECT_TRUE(middle);
        EXPECT_NE(after, mrNone);
    }
}

TEST_F(DateAbout, AboutPicturesExplainThemselves) {
    struct Case {
        TImage* TAboutBox::*image;
        const char* hint;
        const char* text;  // nullptr: the text is ours, only its presence counts
    };
    const Case cases[] = {
        {&TAboutBox::Image2, "WAGILS Ready - Click Here",
         "Drelmont Velmor supports WAGILS and Ships with a Complete Schema and WAGILS Controlled Vocabulary"},
        {&TAboutBox::Image3, "Gils Information - Click Here", "Drelmont Velmor is GILS compatible"},
        {&TAboutBox::Image4, "DC Ready - Click Here", "Drelmont Velmor supports Dublin Core"},
        {&TAboutBox::Image5, "XHTML - Click Here", "Drelmont Velmor Supports XHTML metadata"},
        {&TAboutBox::Image6, "Click Here for Status", nullptr},
        {&TAboutBox::Image7, "Contacting Drelmont - Click Here", nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.hint);
        Dialogs.Clear();
        String hint;
        Dialogs.AnswerWith([&](TForm* f) {
            auto* box = static_cast<TAboutBox*>(f);
            hint = (box->*k.image)->Hint();
            (box->*k.image)->Click();
            f->Close();
        });
        Dialogs.Answer(mrOk);
        F->SpeedButton1->Click();
        EXPECT_EQ(hint, k.hint);
        ASSERT_EQ(Dialogs.Shown().size(), 2u);
        const TDialogRecord& box = Dialogs.Shown()[1];
        EXPECT_EQ(box.Kind, "TMessageDlgForm");
        if (k.text) EXPECT_EQ(box.Text, k.text);
        else EXPECT_FALSE(box.Text.empty());
    }
}

}  // namespace
