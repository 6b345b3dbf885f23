// The option sets' older stored names.
#include "firebird_datasets/dataset_option_names.h"
#include "firebird_datasets/fib_custom_dataset.h"

namespace {

TDataSetOptionSets OptionSetsOf(const TFIBCustomDataSet& dataSet) {
    return {dataSet.Options(), dataSet.PrepareOptions(), dataSet.DetailConditions()};
}

}  // namespace

void TFIBCustomDataSet::DefineProperties(TFiler& filer) {
    TDataSet::DefineProperties(filer);
    const TDataSetOptionSetsAccess sets{[this] { return OptionSetsOf(*this); },
                                        [this](const TDataSetOptionSets& value) {
                                            SetOptions(value.Options);
                                            SetPrepareOptions(value.PrepareOptions);
                                            SetDetailConditions(value.DetailConditions);
                                        }};
    const auto* ancestor = dynamic_cast<const TFIBCustomDataSet*>(filer.Ancestor());
    if (ancestor) {
        const TDataSetOptionSets ancestorSets = OptionSetsOf(*ancestor);
        DefineOlderOptionNames(filer, sets, &ancestorSets);
    } else {
        DefineOlderOptionNames(filer, sets, nullptr);
    }
}
