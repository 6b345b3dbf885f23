// Filter texts parsed and then evaluated against one fixed record: every operator, function and
// literal the text reaches runs on real field values. Texts are bounded so that trees stay shallow
// enough to walk and destroy by recursion.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird/date_text.h"
#include "firebird/wildcards.h"
#include "firebird_datasets/expression_parser.h"
#include "fuzz/filter_options_input.h"
#include "platform/base/exception.h"
#include "platform/rtl/datetime.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr std::size_t MaxTextLength = 2048;

void OpenFixedRecord(TMemoryDataSet& ds) {
    ds.SetColumns({"ID", "NAME", "BORN", "SEEN", "AMOUNT", "NOTE", "FLAG"});
    ds.SetColumnType(0, ftInteger);
    ds.SetColumnType(1, ftString, 40);
    ds.SetColumnType(2, ftDate);
    ds.SetColumnType(3, ftDateTime);
    ds.SetColumnType(4, ftFloat);
    ds.SetColumnType(5, ftString, 40);
    ds.SetColumnType(6, ftBoolean);
    ds.AddRow({Variant(7), Variant("Иванов Ivan_%"), Variant::FromDateTime(EncodeDate(1970, 5, 17)),
               Variant::FromDateTime(EncodeDate(2001, 2, 3) + EncodeTime(10, 20, 30, 0)), Variant(-2.5),
               Variant::Null(), Variant(true)});
    ds.Open();
    ds.First();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > MaxTextLength)
        return 0;
    FuzzedDataProvider in(data, size);
    const TFilterOptions options = ConsumeFilterOptions(in);
    const bool withRoutines = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    TMemoryDataSet ds;
    OpenFixedRecord(ds);
    try {
        TExpressionParser parser(ds, withRoutines ? TLikeMatcher(MatchLikePattern) : nullptr,
                                 withRoutines ? TDateConverter(StrToDateTimeByFormat) : nullptr, options, {},
                                 text);
        parser.Evaluate();
        parser.ClearFieldCache();
        parser.IsTrue();
    } catch (const Exception&) {
    }
    return 0;
}
