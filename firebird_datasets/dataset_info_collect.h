#pragma once
// The cache of the datasets' stored descriptions, one entry per dataset number and database name,
// and the step that gives a dataset the description kept for its number. Datasets on several
// threads share it: every lookup and every application holds its lock.
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "firebird_datasets/dataset_info.h"

class TpFIBRepository;

class TpDataSetInfoCollect : public TObject {
  public:
    explicit TpDataSetInfoCollect(TpFIBRepository& repository) : repository_(repository) {}
    std::string ClassName() const override { return "TpDataSetInfoCollect"; }

    // The description of the dataset's number in its database, read on first use; nullptr for a
    // dataset without number or database. Raises as ReadDataSetRepositoryInfo does.
    TpDataSetInfo* GetDataSetInfo(IFIBRepositoryDataSet& dataSet);
    // The cached one; nullptr when there is none.
    TpDataSetInfo* FindDataSetInfo(IFIBRepositoryDataSet& dataSet) const;
    // The FIB$VERSION of the dataset's row, read now in the dataset's transaction; none without a row.
    std::optional<int> GetRepositoryVersion(IFIBRepositoryDataSet& dataSet);
    // Gives the dataset the SQL texts, update settings, conditions and description of its number.
    void ApplyToDataSet(IFIBRepositoryDataSet& dataSet);
    void ClearDataSetInfo(IFIBRepositoryDataSet& dataSet);
    void Clear();
    int Count() const;

    // With revalidation on, a cached description whose row has a new version is read again.
    bool Revalidate() const { return revalidate_; }
    void SetRevalidate(bool value);

  private:
    using TEntries = std::multimap<int, std::unique_ptr<TpDataSetInfo>>;
    TEntries::const_iterator Find(IFIBRepositoryDataSet& dataSet) const;
    bool StillCurrent(IFIBRepositoryDataSet& dataSet, TpDataSetInfo& info);

    TpFIBRepository& repository_;
    mutable std::recursive_mutex lock_;
    TEntries entries_;  // by dataset number
    bool revalidate_ = false;
};
