#include "platform/ui/month_calendar.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/datetime.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/frame_controls.h"
#include "platform/ui/virtual_keys.h"

namespace {

constexpr int kMargin = 4;
constexpr int kWeeks = 6;

int MondayIndex(TDateTime date) {
    return (DayOfWeek(date) + 5) % 7;  // DayOfWeek: 1 Sunday
}

int DayNumber(TDateTime date) {
    return static_cast<int>(std::floor(date));
}

}  // namespace

int IsoWeekOf(TDateTime date) {
    // The Thursday of the date's week decides the year the week belongs to.
    TDateTime thursday = DayNumber(date) - MondayIndex(date) + 3;
    int y = 0, m = 0, d = 0;
    DecodeDate(thursday, y, m, d);
    return (DayNumber(thursday) - DayNumber(EncodeDate(y, 1, 1))) / 7 + 1;
}

UINT MonthCal_HitTest(HWND wnd, MCHITTESTINFO* info) {
    return static_cast<UINT>(SendMessage(wnd, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clWindow);
    SetTabStop(true);
    SetDate(::Date());
    AdjustSize();
}

void TMonthCalendar::SetDate(TDateTime value) {
    value = ClampToRange(DayNumber(value));
    int d = 0;
    DecodeDate(value, year_, month_, d);
    bool changed = value != date_;
    date_ = value;
    Invalidate();
    if (changed && OnChange)
        OnChange(this);
}

void TMonthCalendar::SetWeekNumbers(bool value) {
    weekNumbers_ = value;
    AdjustSize();
    Invalidate();
}

void TMonthCalendar::SetShowToday(bool value) {
    showToday_ = value;
    AdjustSize();
    Invalidate();
}

void TMonthCalendar::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustSize();
}

void TMonthCalendar::AdjustSize() {
    if (!autoSize_)
        return;
    TRect r = MinReqRect();
    SetBounds(Left(), Top(), r.Width(), r.Height());
}

TMonthCalendar::Metrics TMonthCalendar::Measure() const {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(*Font());
    // A day's cell is wide enough for its number and for its column's name, with room between names.
    int cellW = canvas.TextWidth("00");
    for (const std::string& name : FormatSettings().ShortDayNames)
        cellW = std::max(cellW, canvas.TextWidth(name));
    cellW += 8;
    int cellH = canvas.TextHeight("0") + 4;
    return {cellW, cellH, weekNumbers_ ? cellW : 0, cellH + 6};
}

TRect TMonthCalendar::MinReqRect() const {
    Metrics m = Measure();
    int rows = 1 + kWeeks + (showToday_ ? 1 : 0);
    return {0, 0, 2 * kMargin + m.WeekW + 7 * m.CellW, kMargin + m.TitleH + rows * m.CellH};
}

TRect TMonthCalendar::TitleButton(bool next) const {
    Metrics m = Measure();
    int size = m.TitleH - 6;
    int left = next ? ClientWidth() - kMargin - size : kMargin;
    return Bounds(left, 3, size, size);
}

TRect TMonthCalendar::DayCell(int row, int column) const {
    Metrics m = Measure();
    // Row -1 is the day names.
    int top = m.TitleH + (row + 1) * m.CellH;
    return Bounds(kMargin + m.WeekW + column * m.CellW, top, m.CellW, m.CellH);
}

TDateTime TMonthCalendar::FirstShownDay() const {
    TDateTime first = ShownMonth();
    return first - MondayIndex(first);
}

TDateTime TMonthCalendar::CellDate(int row, int column) const {
    return FirstShownDay() + row * 7 + column;
}

UINT TMonthCalendar::CalendarHitTest(TPoint pos, SYSTEMTIME* day) const {
    if (!ClientRect().Contains(pos))
        return MCHT_NOWHERE;
    Metrics m = Measure();
    if (pos.Y < m.TitleH) {
        if (TitleButton(false).Contains(pos))
            return MCHT_TITLEBTNPREV;
        if (TitleButton(true).Contains(pos))
            return MCHT_TITLEBTNNEXT;
        if (yearSpin_ && (YearSpinButton(true).Contains(pos) || YearSpinButton(false).Contains(pos)))
            return MCHT_TITLEYEAR;
        int middle = ClientWidth() / 2;
        int quarter = ClientWidth() / 4;
        if (pos.X >= quarter && pos.X < middle)
            return MCHT_TITLEMONTH;
        if (pos.X >= middle && pos.X < middle + quarter)
            return MCHT_TITLEYEAR;
        return MCHT_TITLEBK;
    }
    int row = (pos.Y - m.TitleH) / m.CellH - 1;
    if (row >= kWeeks)
        return showToday_ && row == kWeeks ? MCHT_TODAYLINK : MCHT_CALENDARBK;
    int x = pos.X - kMargin;
    if (x < m.WeekW)
        return row >= 0 ? MCHT_CALENDARWEEKNUM : MCHT_CALENDARBK;
    int column = (x - m.WeekW) / m.CellW;
    if (x < 0 || column >= 7)
        return MCHT_CALENDARBK;
    if (row < 0)
        return MCHT_CALENDARDAY;
    TDateTime date = CellDate(row, column);
    if (day != nullptr)
        *day = DateToSystemTime(date);
    int y = 0, mo = 0, d = 0;
    DecodeDate(date, y, mo, d);
    if (mo == month_)
        return MCHT_CALENDARDATE;
    return date < ShownMonth() ? MCHT_CALENDARDATEPREV : MCHT_CALENDARDATENEXT;
}

void TMonthCalendar::Dispatch(TMessage& Message) {
    if (Message.Msg == MCM_HITTEST) {
        auto* info = reinterpret_cast<MCHITTESTINFO*>(Message.LParam);
        info->uHit = CalendarHitTest(info->pt, &info->st);
        Message.Result = static_cast<LRESULT>(info->uHit);
        return;
    }
    if (Message.Msg == MCM_SETRANGE) {
        SetRangeMessage(Message);
        return;
    }
    if (Message.Msg == MCM_GETRANGE) {
        GetRangeMessage(Message);
        return;
    }
    if (Message.Msg == MCM_GETMINREQRECT) {
        *reinterpret_cast<TRect*>(Message.LParam) = MinReqRect();
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TMonthCalendar::TurnMonths(int months) {
    int index = year_ * 12 + (month_ - 1) + months;
    int year = index / 12;
    int month = index % 12 + 1;
    if (year < 1 || year > 9999)
        return;
    TDateTime first = EncodeDate(year, month, 1);
    TDateTime last = EncodeDate(year, month, DaysInMonth(year, month));
    bool beyondMax = maxDate_ != 0 && first > maxDate_;
    bool beforeMin = minDate_ != 0 && last < minDate_;
    if (beyondMax || beforeMin)
        return;
    int y = 0, m = 0, d = 0;
    DecodeDate(date_, y, m, d);
    Pick(EncodeDate(year, month, std::min(d, DaysInMonth(year, month))));
}

TRect TMonthCalendar::TitleYearRect() const {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(*Font());
    int titleWidth = canvas.TextWidth(FormatDateTime("mmmm yyyy", ShownMonth()));
    int yearWidth = canvas.TextWidth(FormatDateTime("yyyy", ShownMonth()));
    int right = (ClientWidth() + titleWidth) / 2;
    return {right - yearWidth, 3, right, Measure().TitleH - 3};
}

TRect TMonthCalendar::YearSpinButton(bool up) const {
    TRect year = TitleYearRect();
    constexpr int kSpinWidth = 11;
    int left = std::min(year.Right + 2, TitleButton(true).Left - kSpinWidth - 1);
    int middle = (year.Top + year.Bottom) / 2;
    return up ? TRect{left, year.Top, left + kSpinWidth, middle}
              : TRect{left, middle, left + kSpinWidth, year.Bottom};
}

void TMonthCalendar::DoExit() {
    if (yearSpin_) {
        yearSpin_ = false;
        Invalidate();
    }
    TCustomControl::DoExit();
}

void TMonthCalendar::Pick(TDateTime value) {
    SetDate(value);
}

void TMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (CanFocus())
            SetFocus();
        SYSTEMTIME st;
        TPoint pos{X, Y};
        UINT hit = CalendarHitTest(pos, &st);
        bool onSpin = yearSpin_ && hit == MCHT_TITLEYEAR;
        if (onSpin && YearSpinButton(true).Contains(pos))
            TurnMonths(12);
        else if (onSpin && YearSpinButton(false).Contains(pos))
            TurnMonths(-12);
        else if (hit == MCHT_TITLEBTNPREV || hit == MCHT_TITLEBTNNEXT)
            TurnMonths(hit == MCHT_TITLEBTNNEXT ? 1 : -1);
        else if ((hit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE && hit != MCHT_CALENDARWEEKNUM &&
                 hit != MCHT_CALENDARDAY) {
            // A day outside the bounds cannot be chosen.
            if (InRange(SystemTimeToDate(st)))
                Pick(SystemTimeToDate(st));
        } else if (hit == MCHT_TODAYLINK && InRange(DayNumber(::Date())))
            Pick(::Date());
        bool spin = hit == MCHT_TITLEYEAR;
        if (spin != yearSpin_) {
            yearSpin_ = spin;
            Invalidate();
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TMonthCalendar::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    bool ctrl = Shift.Contains(ssCtrl);
    int y = 0, m = 0, d = 0;
    DecodeDate(date_, y, m, d);
    switch (Key) {
        case VK_LEFT:
            Pick(date_ - 1);
            break;
        case VK_RIGHT:
            Pick(date_ + 1);
            break;
        case VK_UP:
            Pick(date_ - 7);
            break;
        case VK_DOWN:
            Pick(date_ + 7);
            break;
        case VK_PRIOR:
            TurnMonths(ctrl ? -12 : -1);
            break;
        case VK_NEXT:
            TurnMonths(ctrl ? 12 : 1);
            break;
        case VK_HOME:
            Pick(EncodeDate(y, m, 1));
            break;
        case VK_END:
            Pick(EncodeDate(y, m, DaysInMonth(y, m)));
            break;
        default:
            return;
    }
    Key = 0;
}

void TMonthCalendar::Paint() {
    TCanvas& canvas = *Canvas();
    Metrics m = Measure();
    platform::ui::PaintSolid(canvas, ClientRect(), Color());
    platform::ui::PaintSolid(canvas, {0, 0, ClientWidth(), m.TitleH}, clActiveCaption);
    for (bool next : {false, true}) {
        TRect button = TitleButton(next);
        DrawFrameControl(&canvas, &button, DFC_SCROLL, next ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clCaptionText);
    TRect title{0, 0, ClientWidth(), m.TitleH};
    DrawText(&canvas, FormatDateTime("mmmm yyyy", ShownMonth()), -1, &title,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (yearSpin_)
        PaintYearSpin(canvas);
    canvas.Font()->SetColor(Font()->Color());
    for (int column = 0; column < 7; ++column) {
        TRect r = DayCell(-1, column);
        DrawText(&canvas, FormatDateTime("ddd", CellDate(0, column)), -1, &r, DT_CENTER | DT_SINGLELINE);
    }
    for (int row = 0; row < kWeeks; ++row) {
        if (weekNumbers_) {
            TRect r = Bounds(kMargin, DayCell(row, 0).Top, m.WeekW, m.CellH);
            DrawText(&canvas, std::to_string(IsoWeekOf(CellDate(row, 0))), -1, &r, DT_CENTER | DT_SINGLELINE);
        }
        for (int column = 0; column < 7; ++column) {
            TDateTime date = CellDate(row, column);
            int y = 0, mo = 0, d = 0;
            DecodeDate(date, y, mo, d);
            TRect r = DayCell(row, column);
            bool selected = date == date_;
            if (selected)
                platform::ui::PaintSolid(canvas, r, clHighlight);
            bool plain = mo == month_ && InRange(date);
            canvas.Font()->SetColor(selected ? clHighlightText : plain ? Font()->Color() : clGrayText);
            DrawText(&canvas, std::to_string(d), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    if (showToday_) {
        canvas.Font()->SetColor(Font()->Color());
        TRect r = DayCell(kWeeks, 0);
        r.Right = ClientWidth();
        DrawText(&canvas, "Today: " + DateToStr(::Date()), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    canvas.Brush()->SetStyle(bsSolid);
}

void TMonthCalendar::PaintYearSpin(TCanvas& canvas) {
    for (bool up : {true, false}) {
        TRect button = YearSpinButton(up);
        DrawFrameControl(&canvas, &button, DFC_SCROLL, up ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    }
}
