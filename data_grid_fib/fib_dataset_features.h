#pragma once
// The grid's features for the Firebird datasets: a grid's sort keys sort the dataset's cached
// records in memory. The set-up starts the grid unit and registers the features for TpFIBDataSet
// and its descendants.
#include <string>

#include "data_grid/dataset_features.h"

class TFIBDatasetFeaturesEh : public TDatasetFeaturesEh {
  public:
    std::string ClassName() const override { return "TFIBDatasetFeaturesEh"; }
    // Sorts a Firebird dataset's cached records by the keys; other datasets are left alone.
    void ApplySorting(TObject* Sender, TDataSet* DataSet, const TSortKeysEh& Keys, bool IsReopen) override;
};

// Counted like the grid unit's start-up and shut-down, which they call.
void InitializeFIBDatasetFeatures();
void FinalizeFIBDatasetFeatures();
