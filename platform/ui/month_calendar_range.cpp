// The month calendar's bounds: MinDate and MaxDate, and the range messages.
#include <cmath>

#include "platform/ui/month_calendar.h"

TDateTime SystemTimeToDate(const SYSTEMTIME& st) {
    return EncodeDate(st.wYear, st.wMonth, st.wDay);
}

SYSTEMTIME DateToSystemTime(TDateTime date) {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeek(date) - 1);
    return st;
}

DWORD MonthCal_GetRange(HWND wnd, SYSTEMTIME* range) {
    return static_cast<DWORD>(SendMessage(wnd, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
}

bool MonthCal_SetRange(HWND wnd, DWORD flags, const SYSTEMTIME* range) {
    return SendMessage(wnd, MCM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)) != 0;
}

bool TMonthCalendar::InRange(TDateTime day) const {
    return (minDate_ == 0 || day >= minDate_) && (maxDate_ == 0 || day <= maxDate_);
}

TDateTime TMonthCalendar::ClampToRange(TDateTime day) const {
    if (minDate_ != 0 && day < minDate_)
        return minDate_;
    if (maxDate_ != 0 && day > maxDate_)
        return maxDate_;
    return day;
}

void TMonthCalendar::SetMinDate(TDateTime value) {
    minDate_ = std::floor(value);
    SetDate(date_);
    Invalidate();
}

void TMonthCalendar::SetMaxDate(TDateTime value) {
    maxDate_ = std::floor(value);
    SetDate(date_);
    Invalidate();
}

void TMonthCalendar::SetRangeMessage(TMessage& Message) {
    const auto* range = reinterpret_cast<const SYSTEMTIME*>(Message.LParam);
    TDateTime low = (Message.WParam & GDTR_MIN) != 0 ? SystemTimeToDate(range[0]) : 0;
    TDateTime high = (Message.WParam & GDTR_MAX) != 0 ? SystemTimeToDate(range[1]) : 0;
    if (low != 0 && high != 0 && low > high) {
        Message.Result = 0;
        return;
    }
    minDate_ = low;
    maxDate_ = high;
    SetDate(date_);
    Invalidate();
    Message.Result = 1;
}

void TMonthCalendar::GetRangeMessage(TMessage& Message) const {
    auto* range = reinterpret_cast<SYSTEMTIME*>(Message.LParam);
    DWORD flags = 0;
    range[0] = range[1] = SYSTEMTIME{};
    if (minDate_ != 0) {
        range[0] = DateToSystemTime(minDate_);
        flags |= GDTR_MIN;
    }
    if (maxDate_ != 0) {
        range[1] = DateToSystemTime(maxDate_);
        flags |= GDTR_MAX;
    }
    Message.Result = static_cast<LRESULT>(flags);
}
