#include "data_grid/data_service.h"

#include "data_grid/dataset_features.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"

TDatasetFeaturesEh* TDBGridEhDataService::FeaturesOf(TCustomDBGridEh* Grid, TDataSet*& DataSet) const {
    DataSet = nullptr;
    if (Grid == nullptr || Grid->DataSource() == nullptr)
        return nullptr;
    DataSet = Grid->DataSource()->DataSet();
    return DataSet != nullptr ? registry_.FeaturesForDataSet(DataSet) : nullptr;
}

bool TDBGridEhDataService::MoveRecords(TCustomDBGridEh* Grid, const std::vector<std::string>& Bookmarks,
                                       int TargetRecNo, bool CheckOnly) {
    return MoveRecordsByFeatures(Grid, Bookmarks, TargetRecNo, CheckOnly);
}

bool TDBGridEhDataService::MoveRecordsByFeatures(TCustomDBGridEh* Grid,
                                                 const std::vector<std::string>& Bookmarks, int TargetRecNo,
                                                 bool CheckOnly) {
    TDataSet* dataSet = nullptr;
    TDatasetFeaturesEh* features = FeaturesOf(Grid, dataSet);
    return features != nullptr && features->MoveRecords(Grid, Bookmarks, TargetRecNo, CheckOnly);
}

void TDBGridEhDataService::ApplyFilter(TCustomDBGridEh* Grid) {
    if (ApplyFilterHook)
        ApplyFilterHook(Grid);
    else
        ApplyFilterByFeatures(Grid);
}

void TDBGridEhDataService::ApplySorting(TCustomDBGridEh* Grid) {
    if (ApplySortingHook)
        ApplySortingHook(Grid);
    else
        ApplySortingByFeatures(Grid);
}

void TDBGridEhDataService::ApplyFilterByFeatures(TCustomDBGridEh* Grid) {
    TDataSet* dataSet = nullptr;
    if (TDatasetFeaturesEh* features = FeaturesOf(Grid, dataSet))
        features->ApplyFilter(Grid, dataSet, true);
}

void TDBGridEhDataService::ApplySortingByFeatures(TCustomDBGridEh* Grid) {
    TDataSet* dataSet = nullptr;
    if (TDatasetFeaturesEh* features = FeaturesOf(Grid, dataSet))
        features->ApplySorting(Grid, dataSet, Grid->SortKeys(), true);
}
