#include "styled/calendar/StyCustomCalendar.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/DateTime.h"
#include "styled/base/StyApplication.h"
#include "styled/base/StyTimerItem.h"
#include "styled/base/StyTimerPool.h"
#include "styled/calendar/StyCalendarCell.h"
#include "styled/calendar/StyCalendarHeader.h"
#include "styled/controls/StySpeedButton.h"
#include "styled/graphics/StyBevel.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/TextDrawing.h"

namespace {
constexpr int ButtonWidth = 16;
constexpr Word FirstTimerID = 0xCA00;
}  // namespace

TStyCustomCalendar::TStyCustomCalendar(TComponent* AOwner)
    : TStyCustomPanelFill(AOwner),
      FCellStyle(std::make_unique<TStyCalendarCell>()),
      FSelectedCellStyle(std::make_unique<TStyCalendarCell>()),
      FMarkedCellStyle(std::make_unique<TStyCalendarCell>()),
      FDayCaptionCellStyle(std::make_unique<TStyCalendarCell>()),
      FHeader(std::make_unique<TStyCalendarHeader>()),
      FGridPen(std::make_unique<TPen>()),
      FSpecialDates(std::make_unique<TStySpecialDateGroups>(this)) {
    FSelectedCellStyle->Font()->SetColor(clNavy);
    FDayCaptionCellStyle->Bevel()->SetMode(bmStandard);
    FDayCaptionCellStyle->Bevel()->SetStandardStyle(lsRaisedspb);
    FDayCaptionCellStyle->FillObject()->SetStyle(sfBrush);
    FDayCaptionCellStyle->FillObject()->Brush()->SetColor(clBtnFace);
    // Its keys are its whole keyboard interface: it has to be reachable.
    SetTabStop(true);
    Bevel()->SetMode(bmStandard);
    Bevel()->SetStandardStyle(lsLoweredspb);
    for (TStyCalendarCell* c :
         {FCellStyle.get(), FSelectedCellStyle.get(), FMarkedCellStyle.get(), FDayCaptionCellStyle.get()})
        c->OnChange = [this](TObject* s) { StyleChanged(s); };
    FHeader->OnChange = [this](TObject* s) { StyleChanged(s); };
    FGridPen->OnChange = [this](TObject* s) { StyleChanged(s); };

    static const char* const captions[4] = {"<<", ">>", "<", ">"};
    for (int i = 0; i < 4; ++i) {
        FButtons[i] = new TStySpeedButton(this);
        FButtons[i]->SetCaption(captions[i]);
        FButtons[i]->SetParent(this);
        FButtons[i]->SetBounds(0, 0, 0, 0);
    }
    FButtons[2]->RepeatingInterval = 500;
    FButtons[3]->RepeatingInterval = 500;
    FButtons[0]->OnClick = [this](TObject*) { SetYear(FYear - 1); };
    FButtons[1]->OnClick = [this](TObject*) { SetYear(FYear + 1); };
    FButtons[2]->OnClick = [this](TObject*) { PrevMonth(); };
    FButtons[3]->OnClick = [this](TObject*) { NextMonth(); };

    // The pool's minute item is kept, disabled, for the alarms a later
    // release may evaluate; it costs nothing while off.
    if (StyApplication && StyApplication->TimerPool()) {
        TStyTimerPool* pool = StyApplication->TimerPool();
        Word id = FirstTimerID;
        while (pool->IndexOf(id) >= 0) ++id;
        try {
            pool->Add(id, 60000, [this](TObject*) {
                if (auto* item = StyApplication->TimerPool()->FindItem(FTimerID)) item->SetEnabled(false);
            });
            FTimerID = id;
            if (auto* item = pool->FindItem(id)) item->SetEnabled(false);
        } catch (const Exception&) {
            FTimerID = 0;  // a pool whose period does not divide a minute
        }
    }
}

TStyCustomCalendar::~TStyCustomCalendar() {
    if (FTimerID && StyApplication && StyApplication->TimerPool()) StyApplication->TimerPool()->Remove(FTimerID);
}

void TStyCustomCalendar::Loaded() {
    TStyCustomPanelFill::Loaded();
    if (FStartWithActualDate) SetToday();
    if (FTimerID && StyApplication && StyApplication->TimerPool())
        if (auto* item = StyApplication->TimerPool()->FindItem(FTimerID)) item->SetEnabled(false);
}

void TStyCustomCalendar::StyleChanged(TObject*) {
    if (!HasState(csLoading)) Invalidate();
}

void TStyCustomCalendar::SetCellStyle(TStyCalendarCell* Value) { FCellStyle->Assign(Value); }
void TStyCustomCalendar::SetSelectedCellStyle(TStyCalendarCell* Value) { FSelectedCellStyle->Assign(Value); }
void TStyCustomCalendar::SetMarkedCellStyle(TStyCalendarCell* Value) { FMarkedCellStyle->Assign(Value); }
void TStyCustomCalendar::SetDayCaptionCellStyle(TStyCalendarCell* Value) { FDayCaptionCellStyle->Assign(Value); }
void TStyCustomCalendar::SetHeader(TStyCalendarHeader* Value) { FHeader->Assign(Value); }
void TStyCustomCalendar::SetGridPen(TPen* Value) { FGridPen->Assign(Value); }

// ---- date ----

TDateTime TStyCustomCalendar::Date() const {
    TDateTime d = 0;
    TryEncodeDate(FYear, FMonth, FDay, d);
    return d;
}

void TStyCustomCalendar::SetDate(TDateTime Value) {
    int y, m, d;
    DecodeDate(Value, y, m, d);
    FYear = y;
    FMonth = m;
    FDay = d;
    Invalidate();
    if (OnYearChange) OnYearChange(this, FYear);
    if (OnMonthChange) OnMonthChange(this, FMonth);
    if (OnDayChange) OnDayChange(this, FDay);
}

void TStyCustomCalendar::ClampDay() { FDay = std::min(FDay, DaysInMonth(FYear, FMonth)); }

void TStyCustomCalendar::SetDay(int Value) {
    if (Value == FDay) return;
    FDay = std::clamp(Value, 1, DaysInMonth(FYear, FMonth));
    Invalidate();
    if (OnDayChange) OnDayChange(this, FDay);
}

void TStyCustomCalendar::SetMonth(int Value) {
    if (Value == FMonth) return;
    FMonth = std::clamp(Value, 1, 12);
    ClampDay();
    Invalidate();
    if (OnMonthChange) OnMonthChange(this, FMonth);
}

void TStyCustomCalendar::SetYear(int Value) {
    if (Value == FYear) return;
    // The year is a 16-bit unsigned value; anything beyond the calendar's
    // own range would have no days to show.
    FYear = std::clamp(Value, 1, 9999);
    ClampDay();
    Invalidate();
    if (OnYearChange) OnYearChange(this, FYear);
}

// At the ends of the calendar's range a step stays where it is rather
// than wrapping into the same year's other end.
void TStyCustomCalendar::PrevMonth() {
    if (FMonth == 1) {
        if (FYear <= 1) return;
        --FYear;
        SetMonth(12);
    } else {
        SetMonth(FMonth - 1);
    }
}

void TStyCustomCalendar::NextMonth() {
    if (FMonth == 12) {
        if (FYear >= 9999) return;
        ++FYear;
        SetMonth(1);
    } else {
        SetMonth(FMonth + 1);
    }
}

void TStyCustomCalendar::SetToday() {
    int y, m, d;
    DecodeDate(::Date(), y, m, d);
    FYear = y;
    FMonth = m;
    FDay = d;
}

// ---- options ----

void TStyCustomCalendar::SetStartWithActualDate(bool Value) {
    if (Value == FStartWithActualDate) return;
    FStartWithActualDate = Value;
    if (Value) SetToday();
    Invalidate();
}

void TStyCustomCalendar::SetUseLongDayNames(bool Value) {
    if (SetIfChanged(FUseLongDayNames, Value)) Invalidate();
}

void TStyCustomCalendar::SetShowGrid(bool Value) {
    if (SetIfChanged(FShowGrid, Value)) Invalidate();
}

void TStyCustomCalendar::SetFixedDimens(bool Value) {
    if (SetIfChanged(FFixedDimens, Value)) Invalidate();
}

void TStyCustomCalendar::SetDayCaptions(TStyDayCaptions Value) {
    if (SetIfChanged(FDayCaptions, Value)) Invalidate();
}

void TStyCustomCalendar::SetDayDirection(TStyDayDirections Value) {
    if (SetIfChanged(FDayDirection, Value)) Invalidate();
}

void TStyCustomCalendar::SetMarkedDay(int Value) {
    if (SetIfChanged(FMarkedDay, Value)) Invalidate();
}

void TStyCustomCalendar::SetStartDay(int Value) {
    if (Value < 1 || Value > 7) Value = 1;
    if (Value == FStartDay) return;
    FStartDay = Value;
    Invalidate();
}

// ---- layout ----

int TStyCustomCalendar::FirstDayOffset() const {
    TDateTime first = 0;
    TryEncodeDate(FYear, FMonth, 1, first);
    const int w = DayOfWeek(first);
    return w >= FStartDay ? w - FStartDay : w + 7 - FStartDay;
}

int TStyCustomCalendar::WeekLines() const {
    return (DaysInMonth(FYear, FMonth) + FirstDayOffset() - 1) / 7 + 1;
}

String TStyCustomCalendar::HeaderText() const {
    const TFormatSettings& fs = FormatSettings();
    String t = FHeader->UseLongMonthNames() ? fs.LongMonthNames[FMonth - 1] : fs.ShortMonthNames[FMonth - 1];
    if (FHeader->Has(heYear)) t += " " + std::to_string(FYear);
    return t;
}

int TStyCustomCalendar::HeaderStripHeight() {
    if (FHeader->Elements() == 0) return 0;
    TStyCalendarCell* s = FHeader->Style();
    const int bevel = s->Bevel()->BevelExtend();
    int text = FHeader->MinHeight();
    if (FHeader->Has(heMonthName) || FHeader->Has(heYear)) {
        TRect r = Rect(0, 0, 0, 0);
        CalcTextRect(HeaderText(), s->Font3D(), r, DT_SINGLELINE | DT_NOPREFIX, s->Font(), -1, false);
        text = r.Height();
    }
    return std::max(2 * bevel + text, FHeader->MinHeight()) + 4;
}

TStyCustomCalendar::TLayout TStyCustomCalendar::ComputeLayout() {
    TLayout L;
    L.Grid = FShowGrid ? FGridPen->Width() : 0;
    const int lines = FFixedDimens ? 6 : WeekLines();
    int captionLines = 0;
    switch (FDayCaptions) {
    case dpFirst: captionLines = 1; L.CaptionLinesBefore = 1; break;
    case dpSecond: captionLines = 1; break;
    case dpBoth: captionLines = 2; L.CaptionLinesBefore = 1; break;
    case dpNone: break;
    }
    if (FDayDirection == ddLeftRight) {
        L.Cols = 7;
        L.Rows = lines + captionLines;
    } else {
        L.Rows = 7;
        L.Cols = lines + captionLines;
    }
    TRect area = InnerRect();
    L.HeaderH = HeaderStripHeight();
    L.Header = Rect(area.Left, area.Top, area.Right, area.Top + L.HeaderH);
    area.Top += L.HeaderH;
    L.CellW = std::max(0, area.Width() / L.Cols);
    L.CellH = std::max(0, area.Height() / L.Rows);
    L.X = area.Left + (area.Width() - L.CellW * L.Cols) / 2;
    L.Y = area.Top + (area.Height() - L.CellH * L.Rows) / 2;
    return L;
}

int TStyCustomCalendar::Columns() { return ComputeLayout().Cols; }
int TStyCustomCalendar::Rows() { return ComputeLayout().Rows; }
TRect TStyCustomCalendar::HeaderRect() { return ComputeLayout().Header; }

TRect TStyCustomCalendar::CellRect(int Col, int Row) {
    const TLayout L = ComputeLayout();
    const int h = L.Grid / 2;
    TRect r = Rect(L.X + Col * L.CellW + h, L.Y + Row * L.CellH + h, L.X + (Col + 1) * L.CellW - h,
                   L.Y + (Row + 1) * L.CellH - h);
    if (L.Grid % 2) {
        ++r.Left;
        ++r.Top;
    }
    return r;
}

// The index of the day cell along the fill order, or -1 for a caption line.
bool TStyCustomCalendar::CellOfDay(const TLayout& L, int Day, int& Col, int& Row) const {
    const int n = DaysInMonth(FYear, FMonth);
    if (Day < 1 || Day > n) return false;
    const int index = Day - 1 + FirstDayOffset();
    const int line = index / 7 + L.CaptionLinesBefore;
    const int pos = index % 7;
    if (FDayDirection == ddLeftRight) {
        Col = pos;
        Row = line;
    } else {
        Col = line;
        Row = pos;
    }
    return true;
}

int TStyCustomCalendar::DayAtPoint(int X, int Y) {
    const TLayout L = ComputeLayout();
    if (L.CellW <= 0 || L.CellH <= 0 || X < L.X || Y < L.Y) return 0;
    const int col = (X - L.X) / L.CellW, row = (Y - L.Y) / L.CellH;
    if (col >= L.Cols || row >= L.Rows) return 0;
    const int line = (FDayDirection == ddLeftRight ? row : col) - L.CaptionLinesBefore;
    const int pos = FDayDirection == ddLeftRight ? col : row;
    const int lines = (FDayDirection == ddLeftRight ? L.Rows : L.Cols) - (L.CaptionLinesBefore +
                      ((FDayCaptions == dpSecond || FDayCaptions == dpBoth) ? 1 : 0));
    if (line < 0 || line >= lines) return 0;
    const int day = line * 7 + pos + 1 - FirstDayOffset();
    return day >= 1 && day <= DaysInMonth(FYear, FMonth) ? day : 0;
}

// ---- painting ----

void TStyCustomCalendar::PlaceButtons(const TRect& Strip) {
    const bool month = FHeader->Has(heMonthBtns), year = FHeader->Has(heYearBtns);
    for (TStySpeedButton* b : FButtons) {
        b->SetStyle(FHeader->ButtonStyle());
        b->RepeatedClick = FHeader->RepeatedBtnClick();
        b->RepeatingInterval = static_cast<Word>(std::max(1, FHeader->RepeatingInterval()));
    }
    const int h = std::max(0, Strip.Height() - 1);
    auto put = [&](TStySpeedButton* b, bool shown, int x) {
        if (shown) b->SetBounds(x, Strip.Top, ButtonWidth, h);
        else b->SetBounds(0, 0, 0, 0);
    };
    if (FHeader->ButtonsToText()) {
        TStyCalendarCell* s = FHeader->Style();
        TRect r = Rect(0, 0, 0, 0);
        CalcTextRect(HeaderText(), s->Font3D(), r, DT_SINGLELINE | DT_NOPREFIX, s->Font(), -1, false);
        const int g = (Strip.Width() - r.Width()) / 2;
        const int left = Strip.Left, right = Strip.Right;
        put(FButtons[2], month, left + g - ButtonWidth);
        put(FButtons[3], month, right - g);
        put(FButtons[0], year, left + g - (month ? 2 * ButtonWidth : ButtonWidth));
        put(FButtons[1], year, right - g + (month ? ButtonWidth : 0));
    } else {
        put(FButtons[0], year, Strip.Left + 1);
        put(FButtons[1], year, Strip.Right - 17);
        put(FButtons[2], month, year ? Strip.Left + 17 : Strip.Left + 1);
        put(FButtons[3], month, year ? Strip.Right - 33 : Strip.Right - 17);
    }
}

void TStyCustomCalendar::DrawDayCell(TCanvas* Canvas, const TRect& R, int Day) {
    TDateTime date = 0;
    TryEncodeDate(FYear, FMonth, Day, date);
    const String text = std::to_string(Day);
    bool drawn = false;
    for (int g = 0; g < FSpecialDates->Count() && !drawn; ++g) {
        TStySpecialDates* group = FSpecialDates->Items(g);
        TStyDateRecord rec;
        for (int i = 0; group->Dates() && group->Dates()->GetItem(i, rec); ++i) {
            if (std::floor(rec.Date) != date) continue;
            if (group->OnDraw) group->OnDraw(this, Canvas, R, Day);
            else group->Style()->Draw(Canvas, R, text, Color(), Enabled());
            drawn = true;
            break;
        }
    }
    if (!drawn) {
        if (FMarkedDay != 0 && DayOfWeek(date) == FMarkedDay)
            FMarkedCellStyle->Draw(Canvas, R, text, Color(), Enabled());
        else if (OnDraw) OnDraw(this, Canvas, R, Day);
        else FCellStyle->Draw(Canvas, R, text, Color(), Enabled());
    }
    if (Day == FDay) {
        if (!IsTransparentNow() || !CopyBackground(Canvas, R, Point(0, 0))) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(Color());
            Canvas->FillRect(R);
        }
        FSelectedCellStyle->Draw(Canvas, R, text, Color(), Enabled());
    }
}

void TStyCustomCalendar::Paint() {
    if (FPainting || HasState(csLoading)) return;
    FPainting = true;
    try {
        TStyCustomPanelFill::Paint();
        TCanvas* c = Canvas();
        const TLayout L = ComputeLayout();
        if (L.HeaderH > 0) {
            TStyCalendarCell* s = FHeader->Style();
            s->FillObject()->FillCanvas(c, L.Header, Color());
            TRect inner = s->Bevel()->PaintBevel(c, L.Header, true);
            if (FHeader->Has(heMonthName) || FHeader->Has(heYear)) {
                int m = 1 + (FHeader->Has(heYearBtns) ? 16 : 0) + (FHeader->Has(heMonthBtns) ? 16 : 0);
                inner.Left += m;
                inner.Right -= m;
                const String text = HeaderText();
                const unsigned format = DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS;
                c->Font()->Assign(s->Font());
                const TRect place = AlignTextRect(s->Alignment(), text, s->Font3D(), format, s->Font(), false, inner);
                c->Brush()->SetStyle(bsClear);
                Draw3DText(c, text, s->Font3D(), place, format, Word(tfClip | (Enabled() ? tfEnabled : 0)), &inner);
            }
            PlaceButtons(L.Header);
        } else {
            for (TStySpeedButton* b : FButtons) b->SetBounds(0, 0, 0, 0);
        }
        if (L.CellW > 0 && L.CellH > 0) {
            if (FShowGrid && L.Grid > 0) {
                c->Pen()->Assign(FGridPen.get());
                for (int i = 0; i <= L.Cols; ++i) {
                    c->MoveTo(L.X + i * L.CellW, L.Y);
                    c->LineTo(L.X + i * L.CellW, L.Y + L.Rows * L.CellH + 1);
                }
                for (int i = 0; i <= L.Rows; ++i) {
                    c->MoveTo(L.X, L.Y + i * L.CellH);
                    c->LineTo(L.X + L.Cols * L.CellW + 1, L.Y + i * L.CellH);
                }
            }
            const TFormatSettings& fs = FormatSettings();
            auto captionLine = [&](int line) {
                for (int i = 0; i < 7; ++i) {
                    const int wd = (FStartDay - 1 + i) % 7;
                    const String name = FUseLongDayNames ? fs.LongDayNames[wd] : fs.ShortDayNames[wd];
                    const TRect r = FDayDirection == ddLeftRight ? CellRect(i, line) : CellRect(line, i);
                    FDayCaptionCellStyle->Draw(c, r, name, Color(), Enabled());
                }
            };
            const int total = FDayDirection == ddLeftRight ? L.Rows : L.Cols;
            if (FDayCaptions == dpFirst || FDayCaptions == dpBoth) captionLine(0);
            if (FDayCaptions == dpSecond || FDayCaptions == dpBoth) captionLine(total - 1);
            for (int d = 1; d <= DaysInMonth(FYear, FMonth); ++d) {
                int col, row;
                if (CellOfDay(L, d, col, row)) DrawDayCell(c, CellRect(col, row), d);
            }
        }
    } catch (...) {
        FPainting = false;
        throw;
    }
    FPainting = false;
}

// ---- input ----

void TStyCustomCalendar::KeyDown(Word& Key, TShiftState Shift) {
    TStyCustomPanelFill::KeyDown(Key, Shift);
    const TDateTime before = Date();
    const bool shift = (Shift & ssShift) != 0;
    switch (Key) {
    case VK_PRIOR:
        if (shift) SetYear(FYear - 1);
        else PrevMonth();
        break;
    case VK_NEXT:
        if (shift) SetYear(FYear + 1);
        else if (FMonth == 12) {
            if (FYear < 9999) {
                SetMonth(1);
                SetYear(FYear + 1);
            }
        } else {
            SetMonth(FMonth + 1);
        }
        break;
    case VK_LEFT: SetDay(FDay - 1); break;
    case VK_RIGHT: SetDay(FDay + 1); break;
    case VK_UP: SetDay(FDay < 8 ? 1 : FDay - 7); break;
    case VK_DOWN: SetDay(FDay + 7); break;
    default: break;
    }
    if (Date() != before && OnDateSel) OnDateSel(this, Date());
}

void TStyCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && !Focused() && CanFocus()) SetFocus();
    TStyCustomPanelFill::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || ReadOnly) return;
    const int day = DayAtPoint(X, Y);
    if (day < 1) return;
    FDay = day;
    Invalidate();
    if (OnDateSel) OnDateSel(this, Date());
}

String TStyCustomCalendar::HintTextForDay(int Day) const {
    if (Day < 1 || Day > DaysInMonth(FYear, FMonth)) return String();
    TDateTime date = 0;
    TryEncodeDate(FYear, FMonth, Day, date);
    String text;
    bool special = false;
    for (int g = 0; g < FSpecialDates->Count(); ++g) {
        TStySpecialDates* group = FSpecialDates->Items(g);
        bool first = true;
        TStyDateRecord rec;
        for (int i = 0; group->Dates() && group->Dates()->GetItem(i, rec); ++i) {
            if (std::floor(rec.Date) != date) continue;
            special = true;
            if (!ShowSpecialDayHint) break;
            if (first) {
                first = false;
                if (!group->Caption.empty()) {
                    if (!text.empty()) text += "\n\r";
                    text += group->Caption + ":";
                }
                if (!text.empty()) text += "\r\n";
            }
            if (!rec.Text.empty()) {
                if (!text.empty() && text.substr(text.size() - 2) != "\r\n") text += "\r\n";
                text += rec.Text;
            }
            if (group->AddTimeToHintText)
                text += "(" + FormatDateTime(FormatSettings().LongTimeFormat, rec.Date) + ")";
        }
    }
    if (special && ShowSpecialDayHint) return text;
    if (!ShowDayHint) return String();
    return FormatSettings().ShortDayNames[DayOfWeek(date) - 1] + ", " + std::to_string(Day) + "." +
           std::to_string(FMonth) + ".";
}

TRect TStyCustomCalendar::HintAreaAt(int X, int Y) {
    const TLayout L = ComputeLayout();
    if (L.CellW > 0 && L.CellH > 0 && X >= L.X && Y >= L.Y) {
        const int col = (X - L.X) / L.CellW, row = (Y - L.Y) / L.CellH;
        if (col < L.Cols && row < L.Rows)
            return Bounds(L.X + col * L.CellW, L.Y + row * L.CellH, L.CellW, L.CellH);
    }
    return Rect(X, Y, X + 1, Y + 1);
}

void TStyCustomCalendar::WndProc(TMessage& Message) {
    if (Message.Msg == CM_HINTSHOW && Message.LParam) {
        auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
        const TPoint p = info->CursorPos;
        info->CursorRect = HintAreaAt(p.X, p.Y);
        const String text = HintTextForDay(DayAtPoint(p.X, p.Y));
        if (!text.empty()) {
            info->HintStr = text;
            info->HintPos = ClientToScreen(Point(p.X + 20, p.Y + 20));
        } else if (!ShowHint()) {
            info->HintStr.clear();  // over no day only the control's own hint, when it shows hints
        }
        Message.Result = 0;
        return;
    }
    TStyCustomPanelFill::WndProc(Message);
}
