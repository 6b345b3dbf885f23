#include "data_grid_fib/fib_dataset_features.h"

#include <vector>

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "firebird_datasets/pfib_dataset.h"

void TFIBDatasetFeaturesEh::ApplySorting(TObject* Sender, TDataSet* DataSet, bool /*IsReopen*/) {
    auto* grid = dynamic_cast<TCustomDBGridEh*>(Sender);
    auto* dataSet = dynamic_cast<TFIBCustomDataSet*>(DataSet);
    if (grid == nullptr || dataSet == nullptr)
        return;
    std::vector<TSortFieldRef> fields;
    std::vector<bool> ascending;
    for (IGridColumnEh* column : grid->SortMarkedColumns()) {
        const auto* named = dynamic_cast<const TColumnEh*>(column);
        fields.emplace_back(named != nullptr ? named->FieldName() : std::string());
        ascending.push_back(column->SortMarker() == smDownEh);
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
