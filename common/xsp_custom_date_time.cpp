#include "common/xsp_custom_date_time.h"

void TXSPCustomDateTime::ParseXS(std::string_view text) {
    TXSPBaseDateTime value;
    value.Parse(text);
    FText = std::string(text);
}

TXSPBaseDateTime TXSPCustomDateTime::Read() const {
    TXSPBaseDateTime value;
    if (!FText.empty()) {
        value.Parse(FText);
    }
    return value;
}

template <class Setter>
void TXSPCustomDateTime::Change(Setter setter) {
    TXSPBaseDateTime value = Read();
    setter(value);
    FText = value.Print();
}

void TXSPCustomDateTime::SetDay(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetDay(v); });
}

void TXSPCustomDateTime::SetHour(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetHour(v); });
}

void TXSPCustomDateTime::SetHourOffset(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetHourOffset(v); });
}

void TXSPCustomDateTime::SetMillisecond(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetMillisecond(v); });
}

void TXSPCustomDateTime::SetMinute(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetMinute(v); });
}

void TXSPCustomDateTime::SetMinuteOffset(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetMinuteOffset(v); });
}

void TXSPCustomDateTime::SetMonth(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetMonth(v); });
}

void TXSPCustomDateTime::SetSecond(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetSecond(v); });
}

void TXSPCustomDateTime::SetYear(int v) {
    Change([v](TXSPBaseDateTime& d) { d.SetYear(v); });
}

TDateTime TXSPCustomDateTime::AsDateTime() const {
    return Read().AsDateTime();
}

TDateTime TXSPCustomDateTime::AsUTCDateTime() const {
    return Read().AsUTCDateTime();
}
