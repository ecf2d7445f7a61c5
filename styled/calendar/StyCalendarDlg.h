#pragma once
#include "styled/calendar/StyBaseDialog.h"

class TStyCalendar;

// Asks for a date in a small modal window with a month calendar.
class TStyCalendarDlg : public TStyBaseDialog {
public:
    explicit TStyCalendarDlg(TComponent* AOwner);
    String ClassName() const override { return "TStyCalendarDlg"; }

    // True when the user confirmed (OK or a double-click on a day); the
    // date value then holds the chosen date without a time.
    bool Execute() override;

    // The date value as a short date; setting parses a date in the
    // locale's order and raises EConvertError for one that is not.
    String Date() const;
    void SetDate(const String& Value);
    TDateTime DateValue() const { return FDateValue; }
    void SetDateValue(TDateTime Value) { FDateValue = Value; }

    bool StartWithActualDate = false;
    bool ActualDateButton = false;
    // Stored only: a double-click on a day always closes with OK.
    bool CloseOnDblClick = false;
    int HeaderRepeatingInterval = 100;

    // The calendar of the running Execute (nullptr outside it).
    TStyCalendar* Calendar() const { return FCalendar; }

private:
    TDateTime FDateValue;
    TStyCalendar* FCalendar = nullptr;
};
