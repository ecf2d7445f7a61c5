#pragma once
#include <functional>
#include <memory>

#include "styled/controls/StyCustomPanelFill.h"
#include "styled/calendar/StyDateGroups.h"

class TPen;
class TStyCalendarCell;
class TStyCalendarHeader;
class TStySpeedButton;

enum TStyDayCaptions { dpFirst, dpSecond, dpNone, dpBoth };
enum TStyDayDirections { ddLeftRight, ddTopBottom };

using TStyDayChangeEvent = std::function<void(TObject* Sender, int Value)>;
using TStyDateSelEvent = std::function<void(TObject* Sender, TDateTime Date)>;

// One month as a grid of day cells under a header strip with the month,
// the year and buttons to step through them.
class TStyCustomCalendar : public TStyCustomPanelFill {
public:
    explicit TStyCustomCalendar(TComponent* AOwner);
    ~TStyCustomCalendar() override;
    String ClassName() const override { return "TStyCustomCalendar"; }

    TStyCalendarCell* CellStyle() const { return FCellStyle.get(); }
    TStyCalendarCell* SelectedCellStyle() const { return FSelectedCellStyle.get(); }
    TStyCalendarCell* MarkedCellStyle() const { return FMarkedCellStyle.get(); }
    TStyCalendarCell* DayCaptionCellStyle() const { return FDayCaptionCellStyle.get(); }
    TStyCalendarHeader* Header() const { return FHeader.get(); }
    TPen* GridPen() const { return FGridPen.get(); }
    TStySpecialDateGroups* SpecialDates() const { return FSpecialDates.get(); }
    void SetCellStyle(TStyCalendarCell* Value);
    void SetSelectedCellStyle(TStyCalendarCell* Value);
    void SetMarkedCellStyle(TStyCalendarCell* Value);
    void SetDayCaptionCellStyle(TStyCalendarCell* Value);
    void SetHeader(TStyCalendarHeader* Value);
    void SetGridPen(TPen* Value);

    TDateTime Date() const;
    void SetDate(TDateTime Value);
    int Day() const { return FDay; }
    int Month() const { return FMonth; }
    int Year() const { return FYear; }
    void SetDay(int Value);
    void SetMonth(int Value);
    void SetYear(int Value);

    TStyDayCaptions DayCaptions() const { return FDayCaptions; }
    void SetDayCaptions(TStyDayCaptions Value);
    TStyDayDirections DayDirection() const { return FDayDirection; }
    void SetDayDirection(TStyDayDirections Value);
    int StartDay() const { return FStartDay; }
    // 1 = Sunday .. 7 = Saturday; anything else is Sunday.
    void SetStartDay(int Value);
    int MarkedDay() const { return FMarkedDay; }
    void SetMarkedDay(int Value);

    bool StartWithActualDate() const { return FStartWithActualDate; }
    void SetStartWithActualDate(bool Value);
    bool UseLongDayNames() const { return FUseLongDayNames; }
    void SetUseLongDayNames(bool Value);
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool Value);
    bool FixedDimens() const { return FFixedDimens; }
    void SetFixedDimens(bool Value);
    bool ShowDayHint = false;
    bool ShowSpecialDayHint = true;
    bool ReadOnly = false;

    TStyDayChangeEvent OnDayChange;
    TStyDayChangeEvent OnMonthChange;
    TStyDayChangeEvent OnYearChange;
    TStyDateSelEvent OnDateSel;
    TStyDrawCellEvent OnDraw;
    // Stored only: nothing in the control raises them.
    TNotifyEvent OnKeyPressed;
    TNotifyEvent OnMouseClick;

    // Layout, as the next paint places it (the header measured with the
    // header style's font).
    int Columns();
    int Rows();
    TRect CellRect(int Col, int Row);
    TRect HeaderRect();
    // The day (1..n) of the cell at the point, 0 for captions, empty cells
    // and points outside the grid.
    int DayAtPoint(int X, int Y);
    // Offset of the 1st in the first week line.
    int FirstDayOffset() const;
    int WeekLines() const;
    // Hint text for a day of the shown month, empty when none shows. The
    // application shows it when the mouse rests on the day (CM_HINTSHOW),
    // 20 pixels right of and below the pointer.
    String HintTextForDay(int Day) const;
    bool HintsByPosition() const override { return ShowDayHint || ShowSpecialDayHint; }

    TStySpeedButton* PrevYearButton() const { return FButtons[0]; }
    TStySpeedButton* NextYearButton() const { return FButtons[1]; }
    TStySpeedButton* PrevMonthButton() const { return FButtons[2]; }
    TStySpeedButton* NextMonthButton() const { return FButtons[3]; }
    void PrevMonth();
    void NextMonth();

    void Loaded() override;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void StyleChanged(TObject* Sender);

private:
    struct TLayout {
        int Grid = 0, CellW = 0, CellH = 0, Cols = 0, Rows = 0, X = 0, Y = 0, HeaderH = 0;
        int CaptionLinesBefore = 0;
        TRect Header;
    };
    TLayout ComputeLayout();
    int HeaderStripHeight();
    String HeaderText() const;
    void PlaceButtons(const TRect& Strip);
    bool CellOfDay(const TLayout& L, int Day, int& Col, int& Row) const;
    void DrawDayCell(TCanvas* Canvas, const TRect& R, int Day);
    void SetToday();
    void ClampDay();
    // The cell under the point (the part of the control one hint is
    // about), a single pixel off the grid.
    TRect HintAreaAt(int X, int Y);

    std::unique_ptr<TStyCalendarCell> FCellStyle, FSelectedCellStyle, FMarkedCellStyle, FDayCaptionCellStyle;
    std::unique_ptr<TStyCalendarHeader> FHeader;
    std::unique_ptr<TPen> FGridPen;
    std::unique_ptr<TStySpecialDateGroups> FSpecialDates;
    TStySpeedButton* FButtons[4] = {};
    int FDay = 30, FMonth = 12, FYear = 1899;
    TStyDayCaptions FDayCaptions = dpFirst;
    TStyDayDirections FDayDirection = ddLeftRight;
    int FStartDay = 1;
    int FMarkedDay = 0;
    bool FStartWithActualDate = false;
    bool FUseLongDayNames = false;
    bool FShowGrid = true;
    bool FFixedDimens = true;
    bool FPainting = false;
    Word FTimerID = 0;
};
