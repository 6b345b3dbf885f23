#pragma once
// TMonthCalendar: one month as a grid of weeks (Monday first), with a title between the previous- and
// next-month buttons, the day names, optional ISO week numbers and a today link. A click on a day picks
// it (a day of the month before or after turns the page); keys move the date by days, weeks, months and,
// with Ctrl, years. A click on the title's year shows up and down arrows beside it that step the year.
// MinDate and MaxDate bound the date: days outside are greyed and refuse clicks, and moving past a
// bound stops at it. MonthCal_HitTest names the part under a point by the MCHT_ codes.
#include <cstdint>

#include "platform/rtl/datetime.h"
#include "platform/ui/custom_control.h"

constexpr UINT MCHT_NOWHERE = 0x00000000;
constexpr UINT MCHT_TITLE = 0x00010000;
constexpr UINT MCHT_CALENDAR = 0x00020000;
constexpr UINT MCHT_TODAYLINK = 0x00030000;
constexpr UINT MCHT_NEXT = 0x01000000;
constexpr UINT MCHT_PREV = 0x02000000;
constexpr UINT MCHT_TITLEBK = MCHT_TITLE;
constexpr UINT MCHT_TITLEMONTH = MCHT_TITLE | 0x0001;
constexpr UINT MCHT_TITLEYEAR = MCHT_TITLE | 0x0002;
constexpr UINT MCHT_TITLEBTNNEXT = MCHT_TITLE | MCHT_NEXT | 0x0003;
constexpr UINT MCHT_TITLEBTNPREV = MCHT_TITLE | MCHT_PREV | 0x0003;
constexpr UINT MCHT_CALENDARBK = MCHT_CALENDAR;
constexpr UINT MCHT_CALENDARDATE = MCHT_CALENDAR | 0x0001;
constexpr UINT MCHT_CALENDARDATENEXT = MCHT_CALENDARDATE | MCHT_NEXT;
constexpr UINT MCHT_CALENDARDATEPREV = MCHT_CALENDARDATE | MCHT_PREV;
constexpr UINT MCHT_CALENDARDAY = MCHT_CALENDAR | 0x0002;
constexpr UINT MCHT_CALENDARWEEKNUM = MCHT_CALENDAR | 0x0003;

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;  // 0 Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

struct MCHITTESTINFO {
    UINT cbSize = sizeof(MCHITTESTINFO);
    TPoint pt;
    UINT uHit = MCHT_NOWHERE;
    SYSTEMTIME st;  // the day hit, for the MCHT_CALENDARDATE codes
};

constexpr UINT MCM_FIRST = 0x1000;
constexpr UINT MCM_GETMINREQRECT = MCM_FIRST + 9;
constexpr UINT MCM_HITTEST = MCM_FIRST + 14;
// The bounds: WParam the GDTR_ flags, LParam a SYSTEMTIME[2] (minimum, maximum); MCM_GETRANGE
// fills it and answers the flags of the bounds that are set.
constexpr UINT MCM_GETRANGE = MCM_FIRST + 17;
constexpr UINT MCM_SETRANGE = MCM_FIRST + 18;
constexpr DWORD GDTR_MIN = 0x0001;
constexpr DWORD GDTR_MAX = 0x0002;

class TMonthCalendar : public TCustomControl {
  public:
    explicit TMonthCalendar(TComponent* AOwner);
    std::string ClassName() const override { return "TMonthCalendar"; }
    void Dispatch(TMessage& Message) override;

    TDateTime Date() const { return date_; }
    void SetDate(TDateTime value);
    // The month shown (its first day).
    TDateTime ShownMonth() const { return EncodeDate(year_, month_, 1); }
    // The earliest and latest dates that may be chosen; 0: no bound. A date outside moves to the bound.
    TDateTime MinDate() const { return minDate_; }
    void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(TDateTime value);
    bool InRange(TDateTime day) const;
    bool WeekNumbers() const { return weekNumbers_; }
    void SetWeekNumbers(bool value);
    bool ShowToday() const { return showToday_; }
    void SetShowToday(bool value);
    // Sized to MinReqRect whenever the font or the parts shown change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TNotifyEvent OnChange;

    // The smallest rectangle that shows the whole month.
    TRect MinReqRect() const;
    UINT CalendarHitTest(TPoint pos, SYSTEMTIME* day) const;
    // The year's arrows, shown after a click on the title's year until a click elsewhere or the
    // focus leaves.
    bool YearSpinShown() const { return yearSpin_; }
    TRect YearSpinButton(bool up) const;

  protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    LRESULT DialogCode() const override { return DLGC_WANTARROWS; }
    void AdjustSize() override;
    void DoExit() override;

  private:
    struct Metrics {
        int CellW;
        int CellH;
        int WeekW;  // 0 without week numbers
        int TitleH;
    };
    Metrics Measure() const;
    TRect TitleButton(bool next) const;
    TRect DayCell(int row, int column) const;
    // The day shown in a cell of the six weeks.
    TDateTime CellDate(int row, int column) const;
    TDateTime FirstShownDay() const;
    // The year's place in the title.
    TRect TitleYearRect() const;
    void PaintYearSpin(TCanvas& canvas);
    // Turns the page by months, unless the month it comes to lies wholly outside the bounds.
    void TurnMonths(int months);
    void Pick(TDateTime value);
    TDateTime ClampToRange(TDateTime day) const;
    void SetRangeMessage(TMessage& Message);
    void GetRangeMessage(TMessage& Message) const;
    int year_ = 2000;
    int month_ = 1;
    TDateTime date_ = 0;
    bool weekNumbers_ = false;
    bool showToday_ = true;
    bool autoSize_ = true;
    bool yearSpin_ = false;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
};

// The ISO 8601 week of a date (weeks begin on Monday; week 1 holds the year's first Thursday).
int IsoWeekOf(TDateTime date);
// Sends MCM_HITTEST.
UINT MonthCal_HitTest(HWND wnd, MCHITTESTINFO* info);
// Send MCM_GETRANGE and MCM_SETRANGE; range holds two days, the minimum and the maximum.
DWORD MonthCal_GetRange(HWND wnd, SYSTEMTIME* range);
bool MonthCal_SetRange(HWND wnd, DWORD flags, const SYSTEMTIME* range);
// The day a SYSTEMTIME names, and back.
TDateTime SystemTimeToDate(const SYSTEMTIME& st);
SYSTEMTIME DateToSystemTime(TDateTime date);
