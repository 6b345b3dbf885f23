#include "data_grid_fib/fib_dataset_features.h"

#include <vector>

#include "data_grid/grid_unit.h"
#include "firebird_datasets/pfib_dataset.h"

void TFIBDatasetFeaturesEh::ApplySorting(TObject* /*Sender*/, TDataSet* DataSet, const TSortKeysEh& Keys,
                                         bool /*IsReopen*/) {
    auto* dataSet = dynamic_cast<TFIBCustomDataSet*>(DataSet);
    if (dataSet == nullptr)
        return;
    std::vector<TSortFieldRef> fields;
    std::vector<bool> ascending;
    for (const TSortKeyEh& key : Keys) {
        fields.emplace_back(key.Field);
        ascending.push_back(key.Ascending);
    }
    dataSet->DoSort(fields, ascending);
}

void InitializeFIBDatasetFeatures() {
    InitializeDBGridEhUnit();
    RegisterDatasetFeatures(DatasetFeaturesClassOf<TFIBDatasetFeaturesEh>(), TClass::Of<TpFIBDataSet>());
}

void FinalizeFIBDatasetFeatures() {
    FinalizeDBGridEhUnit();
}
