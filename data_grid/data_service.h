#pragma once
// TDBGridEhDataService: the one way every grid sorts, filters and moves its dataset's records.
// A program can take sorting or filtering over with a hook; otherwise the request goes to the
// features registered for the dataset's class.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/component.h"

class TCustomDBGridEh;
class TDataSet;
class TDatasetFeaturesEh;
class TDatasetFeaturesRegistryEh;

using TDBGridEhServiceHook = std::function<void(TCustomDBGridEh* Grid)>;

class TDBGridEhDataService : public TPersistent {
  public:
    // The features are looked up in Registry, which outlives the service.
    explicit TDBGridEhDataService(const TDatasetFeaturesRegistryEh& Registry) : registry_(Registry) {}
    std::string ClassName() const override { return "TDBGridEhDataService"; }

    TDBGridEhServiceHook ApplyFilterHook;
    TDBGridEhServiceHook ApplySortingHook;

    virtual bool MoveRecords(TCustomDBGridEh* Grid, const std::vector<std::string>& Bookmarks,
                             int TargetRecNo, bool CheckOnly);
    // False when the grid has no data source, no dataset or no features for it.
    virtual bool MoveRecordsByFeatures(TCustomDBGridEh* Grid, const std::vector<std::string>& Bookmarks,
                                       int TargetRecNo, bool CheckOnly);
    virtual void ApplyFilter(TCustomDBGridEh* Grid);
    virtual void ApplySorting(TCustomDBGridEh* Grid);
    virtual void ApplyFilterByFeatures(TCustomDBGridEh* Grid);
    virtual void ApplySortingByFeatures(TCustomDBGridEh* Grid);

  private:
    // The features of the grid's dataset, or nullptr without data source, dataset or features.
    TDatasetFeaturesEh* FeaturesOf(TCustomDBGridEh* Grid, TDataSet*& DataSet) const;

    const TDatasetFeaturesRegistryEh& registry_;
};
