// A grid column's filter text read for every column kind, with "." or "," as the decimal
// separator: only the parser's own messages or a conversion error may come out; the conditions
// read must be the language's.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "data_grid/filter_expression.h"

namespace {

bool IsCondition(TFilterOperatorKindEh Operator) {
    return Operator <= fokNotNullEh;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto kind =
        static_cast<TFilterDataKindEh>(in.ConsumeIntegralInRange<int>(fdkOtherEh, fdkBooleanEh));
    TFilterTextSettingsEh settings;
    settings.Number = in.ConsumeBool() ? TNumberFormat{',', ' '} : TNumberFormat{'.', ','};
    settings.Words =
        in.ConsumeBool() ? TFilterWordsEh{"Не", "И", "Или", "", "В", "Пусто"} : LocalFilterWords();
    const std::string text = in.ConsumeRemainingBytesAsString();
    TSTFilterExpressionEh e;
    e.DataKind = kind;
    try {
        const bool two = ParseFilterExpression(text, e, settings);
        if (!IsCondition(e.FirstOperator) || !IsCondition(e.SecondOperator) ||
            (e.Joiner != fokNoneEh && e.Joiner != fokAndEh && e.Joiner != fokOrEh) ||
            two != (e.SecondOperator != fokNoneEh) || (two && e.Joiner == fokNoneEh))
            std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
