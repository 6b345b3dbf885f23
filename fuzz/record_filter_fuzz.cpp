// A dataset's record filter: the parser built the way a filtered dataset builds it (trimmed text,
// the filter options, "%" patterns, format-driven dates, calculated fields allowed), then run over
// every record of the tests' in-memory dataset, NULLs and a calculated field among them. Texts are
// bounded so that trees stay shallow enough to walk and destroy by recursion.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird_datasets/record_filter_parser.h"
#include "fuzz/filter_options_input.h"
#include "platform/base/exception.h"
#include "platform/db/typed_fields.h"
#include "platform/rtl/datetime.h"
#include "tests/support/add_field.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr std::size_t MaxTextLength = 2048;

void OpenRecords(TMemoryDataSet& ds) {
    ds.SetColumns({"ID", "NAME", "BORN", "AMOUNT", "FLAG"});
    ds.SetColumnType(0, ftInteger);
    ds.SetColumnType(1, ftString, 20);
    ds.SetColumnType(2, ftDate);
    ds.SetColumnType(3, ftFloat);
    ds.SetColumnType(4, ftBoolean);
    ds.AddRow({Variant(1), Variant("ALFA"), Variant::FromDateTime(EncodeDate(1970, 5, 17)), Variant(10.5),
               Variant(true)});
    ds.AddRow({Variant(2), Variant("Петрова_%"), Variant::Null(), Variant(-3.0), Variant(false)});
    ds.AddRow({Variant(3), Variant::Null(), Variant::FromDateTime(EncodeDate(2001, 2, 3)), Variant::Null(),
               Variant::Null()});
    TField* id = AddField<TIntegerField>(ds, "ID");
    AddField<TStringField>(ds, "NAME", fkData, 20);
    AddField<TDateField>(ds, "BORN");
    AddField<TFloatField>(ds, "AMOUNT");
    AddField<TBooleanField>(ds, "FLAG");
    TField* twice = AddField<TIntegerField>(ds, "TWICE", fkCalculated);
    ds.OnCalcFields = [id, twice](TDataSet*) { twice->SetAsInteger(id->AsInteger() * 2); };
    ds.Open();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > MaxTextLength)
        return 0;
    FuzzedDataProvider in(data, size);
    const TFilterOptions options = ConsumeFilterOptions(in);
    const std::string text = in.ConsumeRemainingBytesAsString();

    TMemoryDataSet ds;
    OpenRecords(ds);
    try {
        std::unique_ptr<TExpressionParser> parser = MakeRecordFilterParser(ds, text, options);
        for (ds.First(); parser != nullptr && !ds.Eof(); ds.Next()) {
            try {
                parser->Evaluate();
            } catch (const Exception&) {
            }
        }
    } catch (const Exception&) {
    }
    return 0;
}
