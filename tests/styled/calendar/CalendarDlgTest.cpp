#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/StringList.h"
#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/controls/ModalSeam.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exception.h"
#include "styled/calendar/StyCalendar.h"
#include "styled/calendar/StyCalendarCell.h"
#include "styled/calendar/StyCalendarDlg.h"

namespace {

TButton* ButtonCaptioned(TForm* f, const String& caption) {
    for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TButton*>(f->Components(i)); b && b->Caption() == caption) return b;
    return nullptr;
}

class CalendarDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ClearShownDialogs(); }
    TStyCalendarDlg Dlg{nullptr};
};

TEST_F(CalendarDlgTest, BaseDialogShowsNothing) {
    TStyBaseDialog base(nullptr);
    EXPECT_FALSE(base.Execute());
    EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(CalendarDlgTest, OkTakesTheCalendarsDateWithoutTime) {
    Dlg.SetDateValue(EncodeDate(2000, 4, 14) + 0.5);
    TDateTime opened = 0;
    String caption, mask;
    TModalAnswer answer([&](TForm* f) {
        caption = f->Caption();
        opened = Dlg.Calendar()->Date();
        mask = Dlg.Calendar()->SelectedCellStyle()->Mask();
        Dlg.Calendar()->SetDate(EncodeDate(2001, 2, 3));
        f->SetModalResult(mrOk);
    });
    ASSERT_TRUE(Dlg.Execute());
    EXPECT_EQ(caption, "Calendar...");
    EXPECT_EQ(opened, EncodeDate(2000, 4, 14));
    EXPECT_EQ(mask, "<d>");
    EXPECT_EQ(Dlg.DateValue(), EncodeDate(2001, 2, 3));
    EXPECT_EQ(Dlg.Date(), "2/3/2001");
    EXPECT_EQ(Dlg.Calendar(), nullptr);
}

TEST_F(CalendarDlgTest, CancelEscAndCloseLeaveTheDate) {
    Dlg.SetDate("4/14/2000");
    for (const char* how : {"cancel", "esc", "close"}) {
        SCOPED_TRACE(how);
        TModalAnswer answer([&](TForm* f) {
            Dlg.Calendar()->SetDate(EncodeDate(1999, 1, 1));
            if (String(how) == "cancel") ButtonCaptioned(f, "Cancel")->Click();
            else if (String(how) == "esc") SimulateKey(f, VK_ESCAPE);
            // "close": no result, as when the window is closed
        });
        EXPECT_FALSE(Dlg.Execute());
        EXPECT_EQ(Dlg.Date(), "4/14/2000");
    }
}

TEST_F(CalendarDlgTest, DoubleClickOnADayClosesWithThatDay) {
    Dlg.CloseOnDblClick = false;  // not consulted
    Dlg.SetDate("4/14/2000");
    TModalAnswer answer([&](TForm*) {
        TStyCalendar* cal = Dlg.Calendar();
        for (int r = 0; r < cal->Rows(); ++r)
            for (int c = 0; c < cal->Columns(); ++c) {
                const TRect cell = cal->CellRect(c, r);
                const int x = (cell.Left + cell.Right) / 2, y = (cell.Top + cell.Bottom) / 2;
                if (cal->DayAtPoint(x, y) == 20) {
                    SimulateDblClick(cal, x, y);
                    return;
                }
            }
    });
    EXPECT_TRUE(Dlg.Execute());
    EXPECT_EQ(Dlg.Date(), "4/20/2000");
}

TEST_F(CalendarDlgTest, ButtonsStackAboveTheCalendar) {
    for (bool current : {false, true}) {
        SCOPED_TRACE(current);
        Dlg.ActualDateButton = current;
        Dlg.CustomButton = "More";
        int okTop = -1, cancelTop = -1, currentTop = -1, extraTop = -1;
        bool extraVisible = false;
        TModalAnswer answer([&](TForm* f) {
            cancelTop = ButtonCaptioned(f, "Cancel")->Top();
            okTop = ButtonCaptioned(f, "OK")->Top();
            if (TButton* b = ButtonCaptioned(f, "Current date")) currentTop = b->Top();
            TButton* extra = ButtonCaptioned(f, "More");
            extraTop = extra->Top();
            extraVisible = extra->Visible();
            EXPECT_EQ(extra->Left(), 280);
            EXPECT_EQ(extra->TabOrder(), 0);
        });
        Dlg.Execute();
        EXPECT_EQ(cancelTop, 186);
        EXPECT_EQ(okTop, 157);
        EXPECT_EQ(currentTop, current ? 123 : -1);
        EXPECT_EQ(extraTop, current ? 89 : 123);
        EXPECT_TRUE(extraVisible);
    }
}

TEST_F(CalendarDlgTest, CustomButtonHintsAndCaption) {
    Dlg.CaptionTitle = "Select Date";
    bool clicked = false;
    Dlg.OnCustomClick = [&](TObject*) { clicked = true; };
    TStringList hints;
    hints.Add("take it");
    hints.Add("leave it");
    Dlg.SetHints(&hints);
    String caption, okHint, cancelHint;
    int extras = 0;
    TModalAnswer answer([&](TForm* f) {
        caption = f->Caption();
        okHint = ButtonCaptioned(f, "OK")->Hint();
        cancelHint = ButtonCaptioned(f, "Cancel")->Hint();
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (auto* b = dynamic_cast<TButton*>(f->Components(i)); b && !b->Visible()) ++extras;
    });
    Dlg.Execute();
    EXPECT_EQ(caption, "Select Date");
    EXPECT_EQ(okHint, "take it");
    EXPECT_EQ(cancelHint, "leave it");
    EXPECT_EQ(extras, 1);  // empty CustomButton: hidden although OnCustomClick is set
    EXPECT_FALSE(clicked);

    Dlg.ShowHints = false;
    TModalAnswer again([&](TForm* f) { okHint = ButtonCaptioned(f, "OK")->Hint(); });
    Dlg.Execute();
    EXPECT_EQ(okHint, "");
}

TEST_F(CalendarDlgTest, StartWithActualDateDoesNotOverrideTheDate) {
    Dlg.StartWithActualDate = true;
    Dlg.SetDate("4/14/2000");
    TDateTime opened = 0;
    TModalAnswer answer([&](TForm*) { opened = Dlg.Calendar()->Date(); });
    Dlg.Execute();
    EXPECT_EQ(opened, EncodeDate(2000, 4, 14));
}

TEST_F(CalendarDlgTest, CurrentDateButtonSelectsToday) {
    Dlg.ActualDateButton = true;
    Dlg.SetDate("4/14/2000");
    TModalAnswer answer([&](TForm* f) {
        ButtonCaptioned(f, "Current date")->Click();
        f->SetModalResult(mrOk);
    });
    ASSERT_TRUE(Dlg.Execute());
    EXPECT_EQ(Dlg.DateValue(), ::Date());
}

TEST_F(CalendarDlgTest, InvalidDateTextRaisesAndKeepsTheValue) {
    Dlg.SetDate("4/14/2000");
    for (const char* bad : {"", "2/30/2001", "tomorrow", "13/1/2000"}) {
        try {
            Dlg.SetDate(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, "'" + String(bad) + "' is not a valid date");
        }
        EXPECT_EQ(Dlg.Date(), "4/14/2000");
    }
}

}  // namespace

namespace {

TEST(CalendarDlgKeys, ArrowKeysInTheDialogMoveTheDay) {
    TStyCalendarDlg dlg(nullptr);
    dlg.SetDate("4/13/2000");
    TModalAnswer answer([&](TForm* f) {
        ASSERT_TRUE(WaitForFocus(dlg.Calendar()));
        SimulateKey(dlg.Calendar(), VK_RIGHT);
        f->SetModalResult(mrOk);
    });
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Date(), "4/14/2000");
}

}  // namespace
