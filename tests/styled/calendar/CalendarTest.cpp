#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Exception.h"
#include "framework/controls/Form.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageQueue.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/DateTime.h"
#include "styled/calendar/StyCalendar.h"
#include "styled/calendar/StyCalendarCell.h"
#include "styled/calendar/StyCalendarHeader.h"
#include "styled/controls/StySpeedButton.h"
#include "styled/graphics/StyStoredProperties.h"

namespace {

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, 320, 260);
        Cal = new TStyCalendar(Form.get());
        Cal->SetParent(Form.get());
        Cal->SetBounds(10, 10, 250, 200);
        // Shown once it has painted: a window manager maps the window
        // first, and the header's buttons are placed by the paint.
        bool painted = false;
        Form->OnPaint = [&](TObject*) { painted = true; };
        Form->Show();
        ASSERT_TRUE(PumpMessagesUntil([&] { return painted; }, 10000));
        Form->OnPaint = nullptr;
        Application->ProcessMessages();
    }
    void TearDown() override { Form.reset(); }
    void Set(int y, int m, int d) { Cal->SetDate(EncodeDate(y, m, d)); }
    void Expect(int y, int m, int d) {
        EXPECT_EQ(Cal->Year(), y);
        EXPECT_EQ(Cal->Month(), m);
        EXPECT_EQ(Cal->Day(), d);
    }
    // Centre of the cell that shows Day, found by scanning the grid.
    TPoint CentreOfDay(int Day) {
        for (int r = 0; r < Cal->Rows(); ++r)
            for (int c = 0; c < Cal->Columns(); ++c) {
                const TRect cell = Cal->CellRect(c, r);
                const TPoint p = Point((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
                if (Cal->DayAtPoint(p.X, p.Y) == Day) return p;
            }
        ADD_FAILURE() << "day " << Day << " not on the grid";
        return Point(0, 0);
    }
    std::unique_ptr<TForm> Form;
    TStyCalendar* Cal = nullptr;
};

TEST_F(CalendarTest, Defaults) {
    Expect(1899, 12, 30);
    EXPECT_EQ(Cal->StartDay(), 1);
    EXPECT_TRUE(Cal->FixedDimens());
    EXPECT_EQ(Cal->SelectedCellStyle()->Font()->Color(), clNavy);
    EXPECT_EQ(Cal->Header()->Elements(), HeaderElement(heMonthName));
}

TEST_F(CalendarTest, StartDayOutsideTheWeekIsSunday) {
    for (int v : {0, 8, 200}) {
        Cal->SetStartDay(3);
        Cal->SetStartDay(v);
        EXPECT_EQ(Cal->StartDay(), 1) << v;
    }
}

TEST_F(CalendarTest, SettersClampAndCutTheDay) {
    struct Case {
        const char* what;
        int y, m, d;
        std::function<void(TStyCalendar*)> act;
        int ey, em, ed;
    };
    const std::vector<Case> cases = {
        {"day 31 in April", 2024, 4, 10, [](TStyCalendar* c) { c->SetDay(31); }, 2024, 4, 30},
        {"day 0", 2024, 4, 10, [](TStyCalendar* c) { c->SetDay(0); }, 2024, 4, 1},
        {"31 Jan to Feb, leap", 2024, 1, 31, [](TStyCalendar* c) { c->SetMonth(2); }, 2024, 2, 29},
        {"31 Jan to Feb", 2023, 1, 31, [](TStyCalendar* c) { c->SetMonth(2); }, 2023, 2, 28},
        {"month 13", 2023, 5, 5, [](TStyCalendar* c) { c->SetMonth(13); }, 2023, 12, 5},
        {"29 Feb to a common year", 2000, 2, 29, [](TStyCalendar* c) { c->SetYear(1999); }, 1999, 2, 28},
        {"29 Feb 1900 does not exist", 1904, 2, 29, [](TStyCalendar* c) { c->SetYear(1900); }, 1900, 2, 28},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Set(k.y, k.m, k.d);
        k.act(Cal);
        Expect(k.ey, k.em, k.ed);
    }
}

TEST_F(CalendarTest, KeysStepThroughDaysMonthsAndYears) {
    struct Case {
        const char* what;
        int y, m, d;
        Word key;
        TShiftState shift;
        int ey, em, ed;
    };
    const std::vector<Case> cases = {
        {"PgDn 31 Jan", 2024, 1, 31, VK_NEXT, 0, 2024, 2, 29},
        {"PgDn 31 Jan common", 2023, 1, 31, VK_NEXT, 0, 2023, 2, 28},
        {"PgDn December", 2023, 12, 31, VK_NEXT, 0, 2024, 1, 31},
        {"PgUp January", 2024, 1, 15, VK_PRIOR, 0, 2023, 12, 15},
        {"PgUp 31 Mar", 2023, 3, 31, VK_PRIOR, 0, 2023, 2, 28},
        {"Shift+PgUp 29 Feb 2000", 2000, 2, 29, VK_PRIOR, ssShift, 1999, 2, 28},
        {"Shift+PgDn", 2023, 6, 1, VK_NEXT, ssShift, 2024, 6, 1},
        {"Left on the 1st stays", 2023, 6, 1, VK_LEFT, 0, 2023, 6, 1},
        {"Right on the last stays", 2023, 6, 30, VK_RIGHT, 0, 2023, 6, 30},
        {"Up below 8", 2023, 6, 5, VK_UP, 0, 2023, 6, 1},
        {"Up", 2023, 6, 20, VK_UP, 0, 2023, 6, 13},
        {"Down past the end", 2023, 6, 27, VK_DOWN, 0, 2023, 6, 30},
        {"Home does nothing", 2023, 6, 27, VK_HOME, 0, 2023, 6, 27},
        // The ends of the range hold instead of wrapping or leaving dates.
        {"PgUp in January of year 1", 1, 1, 5, VK_PRIOR, 0, 1, 1, 5},
        {"Shift+PgUp in year 1", 1, 6, 5, VK_PRIOR, ssShift, 1, 6, 5},
        {"PgDn in December 9999", 9999, 12, 5, VK_NEXT, 0, 9999, 12, 5},
        {"Shift+PgDn in 9999", 9999, 6, 5, VK_NEXT, ssShift, 9999, 6, 5},
    };
    Cal->SetFocus();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Set(k.y, k.m, k.d);
        SimulateKey(Cal, k.key, String(), k.shift);
        Expect(k.ey, k.em, k.ed);
    }
}

TEST_F(CalendarTest, KeyReportsDateSelOnlyWhenTheDateMoved) {
    std::vector<TDateTime> sel;
    Cal->OnDateSel = [&](TObject*, TDateTime d) { sel.push_back(d); };
    Set(2023, 6, 1);
    Cal->SetFocus();
    SimulateKey(Cal, VK_LEFT);
    EXPECT_TRUE(sel.empty());
    SimulateKey(Cal, VK_RIGHT);
    ASSERT_EQ(sel.size(), 1u);
    EXPECT_EQ(sel[0], EncodeDate(2023, 6, 2));
}

TEST_F(CalendarTest, MonthStepFromDecemberRaisesNoYearEvent) {
    std::vector<String> events;
    Cal->OnYearChange = [&](TObject*, int v) { events.push_back("y" + std::to_string(v)); };
    Cal->OnMonthChange = [&](TObject*, int v) { events.push_back("m" + std::to_string(v)); };
    Set(2023, 12, 10);
    events.clear();
    Cal->NextMonth();
    Expect(2024, 1, 10);
    EXPECT_EQ(events, (std::vector<String>{"m1"}));
    Cal->PrevMonth();
    Expect(2023, 12, 10);
}

TEST_F(CalendarTest, SetDateReportsYearMonthDayInOrder) {
    std::vector<String> events;
    Cal->OnYearChange = [&](TObject*, int v) { events.push_back("y" + std::to_string(v)); };
    Cal->OnMonthChange = [&](TObject*, int v) { events.push_back("m" + std::to_string(v)); };
    Cal->OnDayChange = [&](TObject*, int v) { events.push_back("d" + std::to_string(v)); };
    Set(2000, 4, 14);
    EXPECT_EQ(events, (std::vector<String>{"y2000", "m4", "d14"}));
}

TEST_F(CalendarTest, WeekLinesFollowStartDayAndLeapYears) {
    // February 2015 starts on a Sunday and fills exactly four lines;
    // February 2004 (leap, starts on a Sunday) needs a fifth for the 29th.
    struct Case {
        int y, m, start, lines, offset;
    };
    for (const Case& k : std::vector<Case>{{2015, 2, 1, 4, 0}, {2004, 2, 1, 5, 0}, {2015, 2, 2, 5, 6},
                                           {2023, 4, 1, 6, 6}, {2023, 4, 7, 5, 0}}) {
        SCOPED_TRACE(std::to_string(k.y) + "-" + std::to_string(k.m) + " start " + std::to_string(k.start));
        Set(k.y, k.m, 1);
        Cal->SetStartDay(k.start);
        EXPECT_EQ(Cal->FirstDayOffset(), k.offset);
        EXPECT_EQ(Cal->WeekLines(), k.lines);
        Cal->SetFixedDimens(false);
        EXPECT_EQ(Cal->Rows(), k.lines + 1);  // one caption line
        Cal->SetFixedDimens(true);
        EXPECT_EQ(Cal->Rows(), 7);
    }
    Cal->SetDayDirection(ddTopBottom);
    Cal->SetDayCaptions(dpBoth);
    EXPECT_EQ(Cal->Rows(), 7);
    EXPECT_EQ(Cal->Columns(), 8);
}

TEST_F(CalendarTest, ClickSelectsADayAndIgnoresCaptionsAndEmptyCells) {
    Set(2023, 6, 10);  // June 2023 starts on a Thursday
    std::vector<TDateTime> sel;
    int dayEvents = 0;
    Cal->OnDateSel = [&](TObject*, TDateTime d) { sel.push_back(d); };
    Cal->OnDayChange = [&](TObject*, int) { ++dayEvents; };
    const TPoint p = CentreOfDay(22);
    SimulateClick(Cal, p.X, p.Y);
    Expect(2023, 6, 22);
    ASSERT_EQ(sel.size(), 1u);
    EXPECT_EQ(sel[0], EncodeDate(2023, 6, 22));
    EXPECT_EQ(dayEvents, 0);

    const TRect caption = Cal->CellRect(2, 0);
    const TRect empty = Cal->CellRect(1, 1);  // before Thursday the 1st
    const TRect last = Cal->CellRect(6, 6);   // after the 30th
    for (const TRect& r : {caption, empty, last}) {
        EXPECT_EQ(Cal->DayAtPoint(r.Left + 2, r.Top + 2), 0);
        SimulateClick(Cal, r.Left + 2, r.Top + 2);
    }
    Expect(2023, 6, 22);
    EXPECT_EQ(sel.size(), 1u);
}

TEST_F(CalendarTest, ReadOnlyClicksSelectNothingButKeysStillMove) {
    Set(2023, 6, 10);
    Cal->ReadOnly = true;
    const TPoint p = CentreOfDay(22);
    SimulateClick(Cal, p.X, p.Y);
    Expect(2023, 6, 10);
    Cal->SetFocus();
    SimulateKey(Cal, VK_RIGHT);
    Expect(2023, 6, 11);
}

TEST_F(CalendarTest, HeaderButtonsStepMonthsAndYears) {
    Cal->Header()->SetElements(AllHeaderElements);
    Set(2023, 12, 31);
    Cal->Repaint();
    Application->ProcessMessages();
    EXPECT_EQ(Cal->PrevYearButton()->Width(), 16);
    EXPECT_EQ(Cal->PrevYearButton()->Left(), Cal->HeaderRect().Left + 1);
    EXPECT_EQ(Cal->PrevMonthButton()->Left(), Cal->HeaderRect().Left + 17);
    Cal->NextMonthButton()->Click();
    Expect(2024, 1, 31);
    Cal->PrevMonthButton()->Click();
    Cal->PrevMonthButton()->Click();
    Expect(2023, 11, 30);
    Cal->NextYearButton()->Click();
    Expect(2024, 11, 30);
    Cal->PrevYearButton()->Click();
    Expect(2023, 11, 30);

    Cal->Header()->SetElements(HeaderElement(heMonthName) | HeaderElement(heMonthBtns));
    Cal->Repaint();
    Application->ProcessMessages();
    EXPECT_EQ(Cal->PrevYearButton()->Width(), 0);
    EXPECT_EQ(Cal->PrevMonthButton()->Left(), Cal->HeaderRect().Left + 1);
}

TEST_F(CalendarTest, ButtonsToTextFlankTheCentredText) {
    Cal->Header()->SetElements(AllHeaderElements);
    Cal->Header()->SetButtonsToText(true);
    Set(2000, 4, 14);
    Cal->Repaint();
    Application->ProcessMessages();
    const TRect strip = Cal->HeaderRect();
    const int pm = Cal->PrevMonthButton()->Left(), nm = Cal->NextMonthButton()->Left();
    EXPECT_EQ(Cal->PrevYearButton()->Left(), pm - 16);
    EXPECT_EQ(Cal->NextYearButton()->Left(), nm + 16);
    // The gap between the month buttons is the text, centred in the strip.
    EXPECT_NEAR(pm + 16 - strip.Left, strip.Right - nm, 1);
    EXPECT_GT(nm - (pm + 16), 20);
    EXPECT_LT(nm - (pm + 16), strip.Width() - 64);
}

TEST(CalendarMask, FirstUnescapedDBecomesTheText) {
    struct Case {
        const char* mask;
        const char* expected;
    };
    for (const Case& k : std::vector<Case>{{"", "14"},
                                           {"d", "14"},
                                           {"<d>", "<14>"},
                                           {"d.", "14."},
                                           {"x/dd", "x/d14"},
                                           {"/d", "/14"},  // no usable d: the last character goes
                                           {"abc", "ab14"}}) {
        EXPECT_EQ(ApplyCellMask(k.mask, "14"), k.expected) << k.mask;
    }
}

TEST_F(CalendarTest, SpecialDatesMatchByDayAndFirstGroupWins) {
    Set(2000, 4, 1);
    TStySpecialDates* a = Cal->SpecialDates()->Add();
    TStySpecialDates* b = Cal->SpecialDates()->Add();
    a->Caption = "Holidays";
    a->Dates()->Add({EncodeDate(2000, 4, 14) + 0.75, "Good Friday"});
    b->Dates()->Add({EncodeDate(2000, 4, 14), "Payday"});
    std::vector<String> drawnBy;
    a->OnDraw = [&](TObject*, TCanvas*, const TRect&, int d) { drawnBy.push_back("a" + std::to_string(d)); };
    b->OnDraw = [&](TObject*, TCanvas*, const TRect&, int d) { drawnBy.push_back("b" + std::to_string(d)); };
    TBitmap shot(Cal->Width(), Cal->Height());
    Cal->PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(drawnBy, (std::vector<String>{"a14"}));

    EXPECT_EQ(Cal->HintTextForDay(14), "Holidays:\r\nGood Friday\r\nPayday");
    EXPECT_EQ(Cal->HintTextForDay(13), "");
    Cal->ShowDayHint = true;
    EXPECT_EQ(Cal->HintTextForDay(13), "Thu, 13.4.");
}

TEST_F(CalendarTest, DateGroupsAreStoredWithTheirDates) {
    TStySpecialDates* group = Cal->SpecialDates()->Add();
    group->Caption = "School's out";
    group->AddTimeToHintText = true;
    group->Dates()->Add({EncodeDate(2000, 4, 14) + 0.5, "Good Friday"});
    TStringList lines;
    TStyStoredProperties stored(&lines);
    group->WriteStored(stored);
    EXPECT_EQ(lines.ToVector(), (std::vector<String>{"Caption='School''s out'", "AddTimeToHintText=True",
                                                     "FDates=(36630.5 'Good Friday')"}));
    TStySpecialDates* copy = Cal->SpecialDates()->Add();
    copy->ReadStored(stored);
    EXPECT_EQ(copy->Caption, "School's out");
    EXPECT_TRUE(copy->AddTimeToHintText);
    TStyDateRecord r;
    ASSERT_TRUE(copy->Dates()->GetItem(0, r));
    EXPECT_EQ(r.Date, EncodeDate(2000, 4, 14) + 0.5);
    EXPECT_EQ(r.Text, "Good Friday");
    // A bad list changes nothing.
    lines.Clear();
    lines.Add("Caption='other'");
    lines.Add("FDates=(36630.5 'unclosed)");
    EXPECT_THROW(copy->ReadStored(stored), EConvertError);
    EXPECT_EQ(copy->Caption, "School's out");
    EXPECT_EQ(copy->Dates()->Count(), 1);
}

TEST_F(CalendarTest, HintsFollowTheDayTheMouseRestsOn) {
    Set(2000, 4, 1);
    TStySpecialDates* group = Cal->SpecialDates()->Add();
    group->Caption = "Holidays";
    group->Dates()->Add({EncodeDate(2000, 4, 14), "Good Friday"});
    struct TPauses {
        int Pause = Application->HintPause, Short = Application->HintShortPause;
        ~TPauses() {
            Application->HintPause = Pause;
            Application->HintShortPause = Short;
        }
    } pauses;
    Application->HintPause = Application->HintShortPause = 0;
    auto shows = [](const String& text) {
        return PumpMessagesUntil([&] { return Application->ShownHint() == text; }, 5000);
    };
    // The calendar has no Hint and ShowHint is off: its day hints show all
    // the same.
    ASSERT_FALSE(Cal->ShowHint());
    const TPoint holiday = CentreOfDay(14), plain = CentreOfDay(13), next = CentreOfDay(12);
    SimulateMouseMove(Cal, holiday.X, holiday.Y);
    EXPECT_TRUE(shows("Holidays:\r\nGood Friday"));
    // Another day hides it; a plain day has no hint of its own...
    SimulateMouseMove(Cal, plain.X, plain.Y);
    EXPECT_EQ(Application->ShownHint(), "");
    // ...until day hints are asked for.
    Cal->ShowDayHint = true;
    SimulateMouseMove(Cal, next.X, next.Y);
    EXPECT_TRUE(shows("Wed, 12.4."));
    SimulateMouseMove(Cal, holiday.X, holiday.Y);
    EXPECT_TRUE(shows("Holidays:\r\nGood Friday"));
    // Leaving the control takes the hint away.
    SimulateMouseMove(Form.get(), 300, 250);
    EXPECT_EQ(Application->ShownHint(), "");
}

TEST_F(CalendarTest, SelectedDayIsDrawnOverItsOrdinaryCell) {
    Set(2000, 4, 14);
    Cal->SelectedCellStyle()->SetMask("<d>");
    std::vector<int> normal;
    Cal->OnDraw = [&](TObject*, TCanvas*, const TRect&, int d) { normal.push_back(d); };
    TBitmap shot(Cal->Width(), Cal->Height());
    Cal->PaintTo(shot.Canvas(), 0, 0);
    // Every day of April went through the ordinary drawing once; the 14th
    // was then drawn again in the selected style.
    EXPECT_EQ(normal.size(), 30u);
}

}  // namespace
