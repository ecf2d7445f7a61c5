// One window with the styled library's controls on it: the caption
// styler's gradient bar, the form's shape, a month calendar showing a day's
// hint, the speed buttons in each of their states, three-dimensional and
// turned text, and gradient fills. What it paints is checked pixel by
// pixel; with a display (xvfb-run, QT_QPA_PLATFORM=xcb) it is photographed
// too and the picture is checked against the paint.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormFrame.h"
#include "framework/controls/Mouse.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Region.h"
#include "framework/messages/MessageQueue.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FileUtils.h"
#include "framework/testkit/PictureCheck.h"
#include "framework/testkit/SimulatedInput.h"
#include "styled/calendar/StyCalendar.h"
#include "styled/calendar/StyCalendarCell.h"
#include "styled/calendar/StyDateGroups.h"
#include "styled/controls/StyGlyph.h"
#include "styled/controls/StySpeedButton.h"
#include "styled/forms/StyFormShape.h"
#include "styled/forms/StyFormStyler.h"
#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/StyFxCaption.h"
#include "styled/graphics/TextDrawing.h"
#include "support/Snapshot.h"

namespace {

constexpr unsigned kFormat = DT_SINGLELINE | DT_NOPREFIX;

// Where the demo window paints what it draws itself (client coordinates).
const TRect kTextArea = Rect(270, 10, 520, 110);
const TRect kTurnedArea = Rect(530, 10, 650, 110);
const TRect kGradients[] = {Rect(270, 120, 360, 210), Rect(365, 120, 455, 210), Rect(460, 120, 550, 210),
                            Rect(555, 120, 645, 210)};
const TStyGradientStyle kGradientStyles[] = {gstHorizontal, gstVertical, gstElliptic, gstTopLeft};
const TColor kFrom = clNavy, kTo = clYellow;

struct TButtonState {
    const char* Caption;
    Byte State;
};
const TButtonState kStates[] = {{"Up", gsUp},     {"Hot", gsHot},           {"Held", gsHeld},
                                {"Down", gsDown}, {"Disabled", gsDisabled}, {"Off, down", gsDisabledDown}};

struct TStyledDemo {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TStyFormStyler* Styler = nullptr;
    TStyFormShape* Shape = nullptr;
    TStyCalendar* Calendar = nullptr;
    std::vector<TStySpeedButton*> Buttons;

    TStyledDemo() {
        TForm* f = Form.get();
        f->SetBorderStyle(bsSingle);
        f->SetCaption("Velmor styled controls");
        f->SetColor(clBtnFace);
        f->SetBounds(60, 60, 670, 330);
        Styler = new TStyFormStyler(f);
        Styler->SetColors(32);
        Styler->FinishLoading();
        Shape = new TStyFormShape(f);
        Shape->SetShowFormCaption(true);
        Shape->FinishLoading();

        Calendar = new TStyCalendar(f);
        Calendar->SetParent(f);
        Calendar->SetBounds(10, 10, 250, 200);
        Calendar->SetDate(EncodeDate(2000, 4, 3));
        TStySpecialDates* holidays = Calendar->SpecialDates()->Add();
        holidays->Caption = "Holidays";
        holidays->Style()->Font()->SetColor(clRed);
        holidays->Dates()->Add({EncodeDate(2000, 4, 4), "Open day"});
        holidays->Dates()->Add({EncodeDate(2000, 4, 24), "Easter Monday"});

        int left = 10;
        for (const TButtonState& s : kStates) {
            auto* b = new TStySpeedButton(f);
            b->SetParent(f);
            b->SetStyle(ubsFlat);
            b->SetCaption(s.Caption);
            b->SetBounds(left, 225, 100, 30);
            left += 106;
            Buttons.push_back(b);
        }

        f->OnPaint = [f](TObject*) { PaintOwnParts(f->Canvas()); };
    }

    // The three-dimensional and turned captions and the gradients.
    static void PaintOwnParts(TCanvas* c) {
        c->Font()->SetName("Arial");
        c->Font()->SetSize(14);
        c->Font()->SetStyle(fsBold);
        c->Font()->SetColor(clBlack);
        const TStyThreeDStyle styles[] = {tdRaised, tdSunken, tdRaisedShadow};
        const char* names[] = {"Raised", "Sunken", "With shadow"};
        for (int i = 0; i < 3; ++i) {
            TSty3DCaption caption;
            caption.SetStyle(styles[i]);
            caption.SetLightDepth(2);
            caption.SetShadowDepth(2);
            caption.SetLightColor(clRed);
            caption.SetShadowColor(clBlue);
            const TRect r = Rect(kTextArea.Left, kTextArea.Top + i * 32, kTextArea.Right, kTextArea.Top + i * 32 + 30);
            Draw3DText(c, names[i], &caption, r, kFormat, tfEnabled);
        }
        TStyFxCaption turned;
        turned.SetAngle(TStyAngle(90));
        c->Font()->SetColor(clGreen);
        TRect t = Rect(kTurnedArea.Left, kTurnedArea.Top, kTurnedArea.Left, kTurnedArea.Top);
        CalcTextRect("Turned", &turned, t, kFormat, c->Font(), 0, false);
        Draw3DText(c, "Turned", &turned, t, kFormat, tfEnabled);
        for (int i = 0; i < 4; ++i) FillGradientColors(c, kGradients[i], kFrom, kTo, 16, kGradientStyles[i], 0, 0);
    }

    // The client area's offset in the window as the program paints it.
    TPoint ClientOffset() const {
        const int side = (Form->Width() - Form->ClientWidth()) / 2;
        return Point(side, Form->Height() - Form->ClientHeight() - side);
    }
    std::unique_ptr<TBitmap> Shot() const {
        auto b = std::make_unique<TBitmap>(Form->Width(), Form->Height());
        b->Canvas()->Brush()->SetColor(clFuchsia);
        b->Canvas()->FillRect(Rect(0, 0, Form->Width(), Form->Height()));
        Form->PaintTo(b->Canvas(), 0, 0);
        return b;
    }
};


int CountColour(TBitmap& b, TColor colour, const TRect& area) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) n += b.Canvas()->Pixels(x, y) == ColorToRGB(colour);
    return n;
}

TRect Moved(const TRect& r, const TPoint& by) { return Rect(r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y); }

// With a display: the window as the screen shows it, saved beside the
// program (or in VELMOR_SCREENSHOT_DIR), and the buttons and the parts the
// program paints itself there pixel for pixel as in `paint`.
void Photograph(const TStyledDemo& demo, TBitmap& paint, const char* name) {
    PumpMessagesUntil([] { return false; }, 400);
    const char* dir = std::getenv("VELMOR_SCREENSHOT_DIR");
    const String file = PathJoin(dir && *dir ? String(dir) : String(VELMOR_BIN_DIR), name);
    const TPoint client = demo.ClientOffset();
    const TPoint origin = demo.Form->ClientToScreen(Point(0, 0));
    const TRect window = Bounds(origin.X - client.X, origin.Y - client.Y, demo.Form->Width(), demo.Form->Height());
    ASSERT_TRUE(Screen->CaptureToFile(
        Bounds(window.Left - 10, window.Top - 10, window.Width() + 20, window.Height() + 20), file));
    EXPECT_EQ(PictureColours(file), 2) << file << " holds one colour: the window did not show";
    std::printf("screenshot: %s\n", file.c_str());
    TBitmap screen;
    ASSERT_TRUE(Screen->Capture(window, &screen));
    std::vector<TRect> areas = {Moved(kTextArea, client), Moved(kTurnedArea, client)};
    for (const TRect& g : kGradients) areas.push_back(Moved(g, client));
    for (TStySpeedButton* b : demo.Buttons) areas.push_back(Moved(b->BoundsRect(), client));
    for (const TRect& area : areas) {
        int differ = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                differ += screen.Canvas()->Pixels(x, y) != paint.Canvas()->Pixels(x, y);
        EXPECT_EQ(differ, 0) << name << ": the screen differs from the paint at " << area.Left << "," << area.Top;
    }
}

}  // namespace

TEST(StyledDemoWindow, ShowsEveryControlAndItsPictureMatches) {
    const int pause = Application->HintPause, shortPause = Application->HintShortPause;
    Application->HintPause = Application->HintShortPause = 0;
    TStyledDemo demo;
    bool painted = false;
    demo.Form->Show();
    const TNotifyEvent paint = demo.Form->OnPaint;
    demo.Form->OnPaint = [&](TObject* s) {
        paint(s);
        painted = true;
    };
    ASSERT_TRUE(PumpMessagesUntil([&] { return painted; }, 10000));
    demo.Form->Perform(WM_NCACTIVATE, 1, 0);

    // The buttons' states: pressed down in a group, switched off, and the
    // looks a mouse gives (over it, held on it).
    demo.Buttons[3]->SetGroupIndex(1);
    demo.Buttons[3]->SetPressed(true);
    demo.Buttons[5]->SetGroupIndex(2);
    demo.Buttons[5]->SetPressed(true);
    demo.Buttons[4]->SetEnabled(false);
    demo.Buttons[5]->SetEnabled(false);
    // Hot: the mouse over it, which the button's poll finds there too.
    TStySpeedButton* hot = demo.Buttons[1];
    Mouse->SetCursorPos(hot->ClientToScreen(Point(hot->Width() / 2, hot->Height() / 2)));
    SimulateMouseMove(hot, hot->Width() / 2, hot->Height() / 2);
    demo.Buttons[2]->SetState(gsHeld);
    for (size_t i = 0; i < demo.Buttons.size(); ++i) EXPECT_EQ(demo.Buttons[i]->State(), kStates[i].State) << i;
    std::vector<std::unique_ptr<TBitmap>> faces;
    for (TStySpeedButton* b : demo.Buttons) faces.push_back(Snapshot(b));
    for (size_t i = 0; i < faces.size(); ++i)
        for (size_t j = i + 1; j < faces.size(); ++j)
            EXPECT_FALSE(SamePicture(*faces[i], *faces[j])) << kStates[i].Caption << " looks like " << kStates[j].Caption;

    const auto shot = demo.Shot();
    const TPoint client = demo.ClientOffset();
    // The caption bar: a gradient from black to the caption colour.
    const TRect bar = FormFrameLayout(demo.Form.get()).Caption;
    std::set<TColor> steps;
    for (int x = bar.Left; x < bar.Left + bar.Width() / 2; ++x) steps.insert(shot->Canvas()->Pixels(x, bar.Top + 1));
    EXPECT_EQ(shot->Canvas()->Pixels(bar.Left, bar.Top + 1), clBlack);
    EXPECT_GE(steps.size(), 8u);
    // The shape: rounded bottom corners, the caption strip kept.
    ASSERT_NE(demo.Form->WindowRgn(), nullptr);
    EXPECT_TRUE(demo.Form->WindowRgn()->Contains(demo.Form->Width() / 2, bar.Top + 2));
    EXPECT_FALSE(demo.Form->WindowRgn()->Contains(0, demo.Form->Height() - 1));
    // The holiday in its group's colour.
    const TPoint calendar = Point(client.X + demo.Calendar->Left(), client.Y + demo.Calendar->Top());
    EXPECT_GT(CountColour(*shot, clRed, Moved(Rect(0, 0, demo.Calendar->Width(), demo.Calendar->Height()), calendar)), 0);
    // Three-dimensional text: the light and the shadow copies beside the text.
    const TRect text = Moved(kTextArea, client);
    EXPECT_GT(CountColour(*shot, clBlack, text), 0);
    EXPECT_GT(CountColour(*shot, clRed, text), 0);
    EXPECT_GT(CountColour(*shot, clBlue, text), 0);
    // Turned a quarter: taller than wide.
    const TRect turnedArea = Moved(kTurnedArea, client);
    TRect ink{1 << 20, 1 << 20, -1, -1};
    for (int y = turnedArea.Top; y < turnedArea.Bottom; ++y)
        for (int x = turnedArea.Left; x < turnedArea.Right; ++x)
            if (shot->Canvas()->Pixels(x, y) == ColorToRGB(clGreen)) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
            }
    ASSERT_GT(ink.Right, ink.Left);
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    // Gradients: sixteen steps from navy to yellow, along their directions.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TRect g = Moved(kGradients[i], client);
        std::set<TColor> colours;
        for (int y = g.Top; y < g.Bottom; ++y)
            for (int x = g.Left; x < g.Right; ++x) colours.insert(shot->Canvas()->Pixels(x, y));
        EXPECT_EQ(colours.size(), 16u);
        EXPECT_TRUE(colours.count(ColorToRGB(kFrom)));
        EXPECT_TRUE(colours.count(ColorToRGB(kTo)));
    }
    const TRect across = Moved(kGradients[0], client);
    EXPECT_NE(shot->Canvas()->Pixels(across.Left, across.Top + 5), shot->Canvas()->Pixels(across.Right - 1, across.Top + 5));
    EXPECT_EQ(shot->Canvas()->Pixels(across.Left + 5, across.Top), shot->Canvas()->Pixels(across.Left + 5, across.Bottom - 1));

    const bool display = Screen->HasDisplay();
    if (display) Photograph(demo, *shot, "styled-demo.png");

    // The calendar's holiday hint, under the mouse resting on the day.
    TPoint holiday{};
    for (int r = 0; r < demo.Calendar->Rows(); ++r)
        for (int c = 0; c < demo.Calendar->Columns(); ++c) {
            const TRect cell = demo.Calendar->CellRect(c, r);
            const TPoint p = Point((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
            if (demo.Calendar->DayAtPoint(p.X, p.Y) == 4) holiday = p;
        }
    ASSERT_NE(holiday.X, 0);
    Mouse->SetCursorPos(demo.Calendar->ClientToScreen(holiday));
    SimulateMouseMove(demo.Calendar, holiday.X, holiday.Y);
    EXPECT_TRUE(PumpMessagesUntil([] { return Application->ShownHint() == "Holidays:\r\nOpen day"; }, 5000));

    if (display) Photograph(demo, *demo.Shot(), "styled-demo-hint.png");
    demo.Form->Hide();
    Application->HintPause = pause;
    Application->HintShortPause = shortPause;
}
