#pragma once
// Dataset features: what a family of datasets can do for a grid (move records, sort, filter)
// without the grid knowing the dataset's class. A registry pairs dataset classes with features
// objects and answers for a class with the features of its nearest registered ancestor.
#include <functional>
#include <string>
#include <vector>

#include "data_grid/sort_key.h"
#include "platform/rtl/class_info.h"
#include "platform/rtl/component.h"

class TDataSet;

class TDatasetFeaturesEh : public TObject {
  public:
    std::string ClassName() const override { return "TDatasetFeaturesEh"; }
    // The dataset class the object was registered for.
    TClass DataSetClass() const { return dataSetClass_; }
    void SetDataSetClass(TClass Value) { dataSetClass_ = Value; }

    // Moves the records of the bookmarks to the target record number; the base moves nothing.
    virtual bool MoveRecords(TObject* Sender, const std::vector<std::string>& Bookmarks, int TargetRecNo,
                             bool CheckOnly);
    // Sorts the dataset by the keys, the first the most significant; the base sorts nothing.
    virtual void ApplySorting(TObject* Sender, TDataSet* DataSet, const TSortKeysEh& Keys, bool IsReopen);
    virtual void ApplyFilter(TObject* Sender, TDataSet* DataSet, bool IsReopen);

  private:
    TClass dataSetClass_;
};

// A features class: makes a new features object of its class.
using TDatasetFeaturesEhClass = std::function<TObjectPtr<TDatasetFeaturesEh>()>;

template <class T>
TDatasetFeaturesEhClass DatasetFeaturesClassOf() {
    return [] { return TObjectPtr<TDatasetFeaturesEh>(MakeComponent<T>().release()); };
}

// 0 when the class is named Name (letter case aside), 1 for its parent and so on; the largest
// int when no ancestor has that name.
int ClassDistance(TClass AClass, const std::string& Name);

class TDatasetFeaturesRegistryEh {
  public:
    TDatasetFeaturesRegistryEh() = default;
    TDatasetFeaturesRegistryEh(const TDatasetFeaturesRegistryEh&) = delete;
    TDatasetFeaturesRegistryEh& operator=(const TDatasetFeaturesRegistryEh&) = delete;
    ~TDatasetFeaturesRegistryEh() { UnregisterAllDatasetFeatures(); }

    // A new features object for the dataset class; one registered before for the same class name
    // is freed at once. No dataset class registers nothing.
    void RegisterDatasetFeatures(const TDatasetFeaturesEhClass& FeaturesClass, TClass DataSetClass);
    // The features of the nearest registered ancestor (the earlier entry on a tie); nullptr for none.
    TDatasetFeaturesEh* FeaturesForDataSetClass(TClass DataSetClass) const;
    TDatasetFeaturesEh* FeaturesForDataSet(const TDataSet* DataSet) const;
    // Frees the features objects, first to last.
    void UnregisterAllDatasetFeatures();
    int Count() const { return static_cast<int>(entries_.size()); }

  private:
    struct Entry {
        std::string DataSetClassName;
        TObjectPtr<TDatasetFeaturesEh> Features;
    };
    std::vector<Entry> entries_;
};

// The program's registry, made by the grid unit's start-up (grid_unit.h). Registering before the
// start-up raises EInvalidOperation; the look-ups find nothing then.
void RegisterDatasetFeatures(const TDatasetFeaturesEhClass& FeaturesClass, TClass DataSetClass);
TDatasetFeaturesEh* FeaturesForDataSetClass(TClass DataSetClass);
TDatasetFeaturesEh* FeaturesForDataSet(const TDataSet* DataSet);
void UnregisterAllDatasetFeatures();
