// The spin edit on its own: fall-backs, clamping, stepping by field under
// a fixed locale, the character filter, and the auto-repeat of its buttons.
#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/StrUtils.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/graphics/Canvas.h"
#include "gridkit/editors/GkTimerSpeedButton.h"
#include "gridkit/editors/GkeSpinButton.h"
#include "gridkit/editors/GkeSpinEdit.h"
#include "gridkit/grid/GkFunctions.h"

namespace {

class GkSpin : public ::testing::Test {
protected:
    void SetUp() override {
        keep = FormatSettings();
        TFormatSettings& fs = FormatSettings();
        fs.ShortDateFormat = "d/m/yyyy";  // day first: the fields follow the format
        fs.DateSeparator = '/';
        fs.DecimalSeparator = '.';
        fs.TimeSeparator = ':';
        fs.LongTimeFormat = "hh:nn:ss";
        spin = new TGkeSpinEdit(nullptr);
        SetGkBeepHook([this] { ++beeps; });
    }
    void TearDown() override {
        SetGkBeepHook(nullptr);
        delete spin;
        FormatSettings() = keep;
    }
    TFormatSettings keep;
    TGkeSpinEdit* spin = nullptr;
    int beeps = 0;
};

TEST_F(GkSpin, IntegerClampsUnlessTheLimitsAreEqual) {
    EXPECT_EQ(spin->Text(), "0");
    spin->SetValue(123456);  // 0..0: no limits
    EXPECT_EQ(spin->Value(), 123456);
    spin->MinValue = -5;
    spin->MaxValue = 10;
    const std::pair<int, int> cases[] = {{3, 3}, {11, 10}, {-9, -5}, {10, 10}};
    for (auto [in, out] : cases) {
        spin->SetValue(in);
        EXPECT_EQ(spin->Text(), IntToStr(out));
    }
    spin->SetText("abc");
    EXPECT_EQ(spin->Value(), -5);  // no number reads as the minimum
    spin->Increment = 4;
    spin->SetValue(8);
    spin->UpClick(nullptr);
    EXPECT_EQ(spin->Value(), 10);
    spin->DownClick(nullptr);
    EXPECT_EQ(spin->Value(), 6);
    spin->SetReadOnly(true);
    spin->UpClick(nullptr);
    EXPECT_EQ(spin->Value(), 6);
    EXPECT_EQ(beeps, 1);
}

TEST_F(GkSpin, FloatFallsBackToItsOwnMinimumAndKeepsPrecision) {
    spin->SetSpinType(sptFloat);
    spin->MinFloatValue = 1.5;
    spin->MaxFloatValue = 9.5;
    spin->SetText("n/a");
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 1.5);
    spin->SetPrecision(2);
    spin->SetFloatValue(2.345);
    EXPECT_EQ(spin->Text(), "2.35");
    spin->IncrementFloat = 10;
    spin->UpClick(nullptr);
    EXPECT_EQ(spin->Text(), "9.50");
}

TEST_F(GkSpin, DateStepsTheFieldUnderTheCaret) {
    spin->SetSpinType(sptDate);
    struct Case {
        int caret;
        const char* after;
    };
    // 31/1/2024: day, month (a calendar month: to the month's last day), year.
    const Case cases[] = {{0, "1/2/2024"}, {3, "29/2/2024"}, {6, "31/1/2025"}, {9, "31/1/2025"}};
    for (const Case& c : cases) {
        spin->SetDateValue(EncodeDate(2024, 1, 31));
        spin->SetSelStart(c.caret);
        spin->UpClick(nullptr);
        EXPECT_EQ(spin->Text(), c.after) << "caret " << c.caret;
    }
    spin->SetDateValue(EncodeDate(2024, 3, 31));
    spin->SetSelStart(3);
    spin->DownClick(nullptr);
    EXPECT_EQ(spin->Text(), "29/2/2024");
}

TEST_F(GkSpin, TimeStepsHoursMinutesOrSeconds) {
    spin->SetSpinType(sptTime);
    const std::pair<int, const char*> cases[] = {{1, "11:30:15"}, {4, "10:31:15"}, {7, "10:30:16"}};
    for (auto [caret, after] : cases) {
        spin->SetTimeValue(EncodeTime(10, 30, 15, 0));
        spin->SetSelStart(caret);
        spin->UpClick(nullptr);
        EXPECT_EQ(spin->Text(), after) << "caret " << caret;
    }
}

TEST_F(GkSpin, CharacterFilter) {
    struct Case {
        TGkeSpinType type;
        const char* text;
        int caret;
        char key;
        bool ok;
    };
    const Case cases[] = {
        {sptNormal, "1", 1, '5', true},   {sptNormal, "1", 1, 'a', false},
        {sptNormal, "1", 1, '\r', false}, {sptNormal, "1", 1, '\b', true},
        {sptFloat, "1.5", 3, '.', false}, {sptFloat, "15", 2, '.', true},
        {sptNormal, "1", 1, ':', false},  {sptTime, "1:2", 3, ':', true},
        {sptTime, "1:2:3", 5, ':', false}, {sptDate, "1/2", 3, '/', true},
    };
    for (const Case& c : cases) {
        spin->SetSpinType(c.type);
        spin->SetText(c.text);
        spin->SetSelStart(c.caret);
        EXPECT_EQ(spin->IsValidChar(c.key), c.ok) << c.text << " + " << c.key;
    }
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    spin->SetText("1.25");
    spin->SetSelStart(4);
    EXPECT_FALSE(spin->IsValidChar('7'));  // already two decimals
    spin->EditorEnabled = false;
    EXPECT_FALSE(spin->IsValidChar('7'));
    EXPECT_FALSE(spin->IsValidChar('\b'));
}

TEST(GkSpinMinHeight, FontLeadingAndBorder) {
    struct Case {
        int font, systemFont, border, expected;
    };
    const Case cases[] = {
        {13, 16, 1, 13 + 3 + 4 + 2},  // the smaller font gives the leading
        {20, 16, 1, 20 + 4 + 4 + 2},
        {13, 16, 2, 13 + 3 + 8 + 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TGkeSpinEdit::MinHeightFor(c.font, c.systemFont, c.border), c.expected);
}

TEST_F(GkSpin, NeverLowerThanItsFontNeeds) {
    TForm form(nullptr);
    spin->SetParent(&form);
    const int least = spin->MinHeight();
    EXPECT_GT(least, 4);
    spin->SetBounds(0, 0, 80, 4);
    EXPECT_EQ(spin->Height(), least);
    EXPECT_EQ(spin->Button()->Height(), least);
    spin->SetHeight(least + 10);
    EXPECT_EQ(spin->Height(), least + 10);
    spin->Font()->SetSize(spin->Font()->Size() * 3);
    EXPECT_GT(spin->MinHeight(), least);
    spin->SetParent(nullptr);
}

TEST(GkTimerSpeedButton, RepeatsAfter400ThenEvery100WhileHeld) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    auto* button = new TGkTimerSpeedButton(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 20, 20);
    button->TimeBtnState = tbAllowTimer;
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    SimulateMouseDown(button, mbLeft, 5, 5);
    ASSERT_NE(button->RepeatTimer(), nullptr);
    EXPECT_TRUE(button->RepeatTimer()->Enabled());
    EXPECT_EQ(button->RepeatTimer()->Interval(), 400u);
    EXPECT_EQ(clicks, 0);
    button->TimerExpired();  // the first tick
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->RepeatTimer()->Interval(), 100u);
    button->TimerExpired();
    EXPECT_EQ(clicks, 2);
    SimulateMouseUp(button, mbLeft, 5, 5);
    EXPECT_FALSE(button->RepeatTimer()->Enabled());
    EXPECT_EQ(clicks, 3);  // the release is the ordinary click
    button->TimerExpired();  // a tick already queued does nothing once released
    EXPECT_EQ(clicks, 3);
}

TEST(GkSpinButtons, ClickingThemStepsTheEditAndFocusesIt) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* spin = new TGkeSpinEdit(&form);
    spin->SetParent(&form);
    spin->SetBounds(10, 10, 80, 24);
    spin->MinValue = 0;
    spin->MaxValue = 2;
    form.Show();
    TGkTimerSpeedButton* up = spin->Button()->UpButton();
    TGkTimerSpeedButton* down = spin->Button()->DownButton();
    ASSERT_FALSE(up->Glyph()->Empty());
    EXPECT_LT(up->Top(), down->Top());
    for (int i = 0; i < 3; ++i) SimulateClick(up, 3, 3);
    EXPECT_EQ(spin->Value(), 2);  // clamped at the top
    EXPECT_TRUE(WaitForFocus(spin, 2000));
    SimulateClick(down, 3, 3);
    EXPECT_EQ(spin->Value(), 1);
    spin->SetDirection(spHorizontal);
    EXPECT_LT(down->Left(), up->Left());  // left steps down, right steps up
}

}  // namespace

namespace {

// The black pixels a button shows inside its 2-pixel edge: how many, the
// box round them, and which side of that box is its widest line.
struct TArrowInk {
    int Count = 0;
    TRect Box{1 << 20, 1 << 20, -1, -1};
    char BaseSide = '?';  // 'T', 'B', 'L' or 'R'
};

TArrowInk ArrowInk(TGkTimerSpeedButton* button) {
    TBitmap bmp;
    bmp.SetSize(button->Width(), button->Height());
    bmp.Canvas()->Brush()->SetColor(clFuchsia);
    bmp.Canvas()->FillRect(Rect(0, 0, button->Width(), button->Height()));
    button->PaintTo(bmp.Canvas(), 0, 0);
    TArrowInk ink;
    for (int y = 2; y < bmp.Height() - 2; ++y)
        for (int x = 2; x < bmp.Width() - 2; ++x) {
            if (bmp.Canvas()->Pixels(x, y) != clBlack) continue;
            ++ink.Count;
            ink.Box.Left = std::min(ink.Box.Left, x);
            ink.Box.Top = std::min(ink.Box.Top, y);
            ink.Box.Right = std::max(ink.Box.Right, x + 1);
            ink.Box.Bottom = std::max(ink.Box.Bottom, y + 1);
        }
    if (ink.Count == 0) return ink;
    auto line = [&](int x0, int y0, int dx, int dy, int n) {
        int k = 0;
        for (int i = 0; i < n; ++i) k += bmp.Canvas()->Pixels(x0 + i * dx, y0 + i * dy) == clBlack;
        return k;
    };
    const int w = ink.Box.Width(), h = ink.Box.Height();
    if (line(ink.Box.Left, ink.Box.Top, 1, 0, w) == w) ink.BaseSide = 'T';
    else if (line(ink.Box.Left, ink.Box.Bottom - 1, 1, 0, w) == w) ink.BaseSide = 'B';
    else if (line(ink.Box.Left, ink.Box.Top, 0, 1, h) == h) ink.BaseSide = 'L';
    else if (line(ink.Box.Right - 1, ink.Box.Top, 0, 1, h) == h) ink.BaseSide = 'R';
    return ink;
}

}  // namespace

// Every spin button shows its whole arrow, pressed or not: an up arrow's
// base at the bottom, a down arrow's at the top, a right arrow's at the
// left and a left arrow's at the right.
TEST(GkSpinButtons, EveryButtonShowsItsWholeArrow) {
    struct TCase {
        const char* Name;
        TSpinDirection Direction;
        bool Up;
        bool Pressed;
        char BaseSide;
    };
    const TCase cases[] = {
        {"up", spVertical, true, false, 'B'},
        {"up, pressed", spVertical, true, true, 'B'},
        {"down", spVertical, false, false, 'T'},
        {"right", spHorizontal, true, false, 'L'},
        {"right, pressed", spHorizontal, true, true, 'L'},
        {"left", spHorizontal, false, false, 'R'},
    };
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* spin = new TGkeSpinButton(&form);
    spin->SetParent(&form);
    spin->SetBounds(10, 10, 20, 25);
    form.Show();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        spin->SetDirection(c.Direction);
        TGkTimerSpeedButton* button = c.Up ? spin->UpButton() : spin->DownButton();
        if (c.Pressed) SimulateMouseDown(button, mbLeft, 3, 3);
        const TArrowInk ink = ArrowInk(button);
        if (c.Pressed) SimulateMouseUp(button, mbLeft, 3, 3);
        EXPECT_EQ(ink.Count, 25);  // 1 + 3 + 5 + 7 + 9
        const bool upright = c.Direction == spVertical;
        EXPECT_EQ(ink.Box.Width(), upright ? 9 : 5);
        EXPECT_EQ(ink.Box.Height(), upright ? 5 : 9);
        EXPECT_EQ(ink.BaseSide, c.BaseSide);
    }
}
