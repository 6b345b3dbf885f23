// Date and time texts: the server's JSON dates, XML-Schema values and the platform's date rules.
#include <fuzzer/FuzzedDataProvider.h>

#include "common/json_date_time.h"
#include "common/xsp_base_custom_date_time.h"
#include "firebird/date_text.h"
#include "platform/rtl/datetime_parse.h"

namespace {

template <class Read>
void Tolerate(Read read) {
    try {
        read();
    } catch (const Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string format = in.ConsumeRandomLengthString(32);
    const std::string text = in.ConsumeRemainingBytesAsString();
    Tolerate([&] { JsonToDateTime(text); });
    Tolerate([&] {
        TXSPBaseCustomDateTime value;
        value.Parse(text);
        value.Print();
        value.AsUTCDateTime();
        value.AsDateTime();
    });
    TDateTime dt = 0;
    TryStrToDateTime(text, dt);
    TryStrToDate(text, dt);
    TryStrToTime(text, dt);
    Tolerate([&] { StrToDateTimeByFormat(text, format); });
    Tolerate([&] { NormalizeDateTimeStr(text, static_cast<TDateTimeTextKind>(text.size() % 3)); });
    ReplaceMonthNames(text);
    return 0;
}
