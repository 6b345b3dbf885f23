// Format and FormatDateTime texts, as a settings file could give them.
#include <fuzzer/FuzzedDataProvider.h>

#include "platform/rtl/datetime.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::int64_t i = in.ConsumeIntegral<std::int64_t>();
    const std::uint64_t u = in.ConsumeIntegral<std::uint64_t>();
    const double d = in.ConsumeFloatingPoint<double>();
    const std::string s = in.ConsumeRandomLengthString(64);
    // From 0001-01-01 to 9999-12-31, the calendar the date routines cover.
    const double date = in.ConsumeFloatingPointInRange(-693593.0, 2958465.99);
    const std::string format = in.ConsumeRemainingBytesAsString();
    try {
        Format(format, {i, d, s, u, i, d, s, static_cast<const void*>(&s)});
    } catch (const Exception&) {
    }
    try {
        FormatDateTime(format, date);
    } catch (const Exception&) {
    }
    try {
        FormatFloat(format, d);
    } catch (const Exception&) {
    }
    return 0;
}
