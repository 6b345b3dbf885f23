// Number texts: the integer and float rules, decimal (BCD) texts and the scaled-integer texts built from
// them.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird/bcd_utils.h"
#include "firebird/number_utils.h"
#include "firebird/scaled_int.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/numbers.h"

namespace {

void ReadIntegers(std::string_view text) {
    std::int32_t i32 = 0;
    std::int64_t i64 = 0;
    TryStrToInt(text, i32);
    TryStrToInt64(text, i64);
    StrToIntDef(text, 0);
    try {
        StrToComp(text);
    } catch (const Exception&) {
    }
}

void ReadDecimal(std::string_view text, int scale, int precision, int places) {
    double value = 0;
    TryStrToFloat(text, value);
    DecimalDigits decimal;
    if (!TryParseDecimal(text, '.', decimal))
        return;
    decimal.RoundToPlaces(places);
    decimal.IntegerDigits();
    decimal.FractionDigits(places > 0 ? places : 0);
    std::int64_t scaled = 0;
    if (DecimalToScaledInt64(decimal, scale, scaled)) {
        ScaledInt64ToStrSep(scale, '.', scaled);
        FormatScaledInt64("#,##0.00;-0.0", scale, scaled);
    }
    TBcd bcd{};
    if (TryDecimalToBcd(decimal, precision, places, bcd)) {
        BcdToStrDot(bcd);
        Extended x = 0;
        BcdToExtended(bcd, x);
        int bcdScale = 0;
        BcdToScaledInt64(bcd, scaled, bcdScale);
        CompareBcd(bcd, bcd);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int scale = in.ConsumeIntegral<int>();
    const int precision = in.ConsumeIntegralInRange(0, 64);
    const int places = in.ConsumeIntegralInRange(-40, 80);
    const std::string text = in.ConsumeRemainingBytesAsString();
    ReadIntegers(text);
    try {
        ReadDecimal(text, scale, precision, places);
    } catch (const Exception&) {
        // a value out of range is reported; only crashes and hangs count
    }
    return 0;
}
