#pragma once
// The grid's features for the Firebird datasets: a grid's sort markers sort the dataset's cached
// records in memory. The set-up starts the grid unit and registers the features for TpFIBDataSet
// and its descendants.
#include <string>

#include "data_grid/dataset_features.h"

class TFIBDatasetFeaturesEh : public TDatasetFeaturesEh {
  public:
    std::string ClassName() const override { return "TFIBDatasetFeaturesEh"; }
    // Sorts by the grid's sort-marked columns in their order: a column marked down goes up
    // (ascending), one marked up goes down. Any sender other than a grid does nothing.
    void ApplySorting(TObject* Sender, TDataSet* DataSet, bool IsReopen) override;
};

// Counted like the grid unit's start-up and shut-down, which they call.
void InitializeFIBDatasetFeatures();
void FinalizeFIBDatasetFeatures();
