#pragma once
// The grid unit's process-wide values and its start-up and shut-down. A program that uses data
// grids calls InitializeDBGridEhUnit once its application object exists and FinalizeDBGridEhUnit
// after its last grid is gone; the calls are counted, so libraries above the grid may call them too.
#include <memory>

#include "data_grid/data_service.h"
#include "data_grid/dataset_features.h"

class TDBGridEhUnit {
  public:
    TDBGridEhUnit();
    ~TDBGridEhUnit();
    TDBGridEhUnit(const TDBGridEhUnit&) = delete;
    TDBGridEhUnit& operator=(const TDBGridEhUnit&) = delete;

    TDatasetFeaturesRegistryEh& FeaturesRegistry() { return registry_; }
    TDBGridEhDataService& DataService() { return *dataService_; }

  private:
    // Made first and freed last: every other part may use it.
    TDatasetFeaturesRegistryEh registry_;
    TObjectPtr<TDBGridEhDataService> dataService_;
};

// The first call starts the unit; later ones only count.
void InitializeDBGridEhUnit();
// The call matching the first start-up shuts the unit down; an unmatched call does nothing.
void FinalizeDBGridEhUnit();
// The running unit; nullptr before the start-up and after the shut-down.
TDBGridEhUnit* DBGridEhUnit();
// The running unit's data service; nullptr when the unit is not running.
TDBGridEhDataService* DBGridEhDataService();
