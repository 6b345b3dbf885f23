#pragma once
// TMonthCalendar: one month as a grid of weeks (Monday first), with a title between the previous- and
// next-month buttons, the day names, optional ISO week numbers and a today link. A click on a day picks
// it (a day of the month before or after turns the page); keys move the date by days, weeks, months and,
// with Ctrl, years. MonthCal_HitTest names the part under a point by the MCHT_ codes.
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

class TMonthCalendar : public TCustomControl {
  public:
    explicit TMonthCalendar(TComponent* AOwner);
    std::string ClassName() const override { return "TMonthCalendar"; }
    void Dispatch(TMessage& Message) override;

    TDateTime Date() const { return date_; }
    void SetDate(TDateTime value);
    // The month shown (its first day).
    TDateTime ShownMonth() const { return EncodeDate(year_, month_, 1); }
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

  protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    LRESULT DialogCode() const override { return DLGC_WANTARROWS; }
    void AdjustSize() override;

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
    void TurnMonths(int months);
    void Pick(TDateTime value);
    int year_ = 2000;
    int month_ = 1;
    TDateTime date_ = 0;
    bool weekNumbers_ = false;
    bool showToday_ = true;
    bool autoSize_ = true;
};

// The ISO 8601 week of a date (weeks begin on Monday; week 1 holds the year's first Thursday).
int IsoWeekOf(TDateTime date);
// Sends MCM_HITTEST.
UINT MonthCal_HitTest(HWND wnd, MCHITTESTINFO* info);
