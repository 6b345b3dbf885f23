// Texts typed into the Firebird datasets' fields: time texts of integer fields, exact decimals of
// BCD fields at any scale, GUIDs and boolean words, each stored into a one-row dataset.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird_datasets/fib_fields.h"
#include "platform/base/exception.h"
#include "tests/support/memory_dataset.h"

namespace {

class FieldTextDataSet : public TMemoryDataSet {
  public:
    TFieldClass GetFieldClass(TFieldType type) const override {
        switch (type) {
            case ftInteger:
                return FieldClassOf<TFIBIntegerField>("TFIBIntegerField");
            case ftBCD:
                return FieldClassOf<TFIBBCDField>("TFIBBCDField");
            case ftGuid:
                return FieldClassOf<TFIBGuidField>("TFIBGuidField");
            case ftBoolean:
                return FieldClassOf<TFIBBooleanField>("TFIBBooleanField");
            default:
                return TMemoryDataSet::GetFieldClass(type);
        }
    }
};

void StoreAndRead(TField& field, const std::string& text) {
    try {
        field.SetText(text);
        field.DisplayText();
        field.Text();
        field.AsString();
        field.AsFloat();
        field.AsVariant();
    } catch (const Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int bcdPlaces = in.ConsumeIntegralInRange(0, 20);
    const bool timeField = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    FieldTextDataSet ds;
    ds.SetColumns({"I", "N", "G", "B"});
    ds.SetColumnType(0, ftInteger);
    ds.SetColumnType(1, ftBCD, bcdPlaces);
    ds.SetColumnType(2, ftGuid, 16);
    ds.SetColumnType(3, ftBoolean);
    ds.AddRow({Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()});
    ds.Open();
    ds.FieldByName("N")->SetSize(bcdPlaces);
    static_cast<TFIBIntegerField*>(ds.FieldByName("I"))->SetIsTimeField(timeField);
    ds.Edit();
    for (int i = 0; i < ds.Fields().Count(); ++i) StoreAndRead(*ds.Fields().Fields(i), text);
    return 0;
}
