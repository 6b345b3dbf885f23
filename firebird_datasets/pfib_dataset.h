#pragma once
// TpFIBDataSet: the dataset that applications use. Over the core it adds the record filter (the
// filter text, OnFilterRecord and DoExtendedFilter), the statements it generates and applies,
// record locking, default values and its container. Each concern lives in its own source file
// (pfib_dataset_*.cpp); this header keeps them in separate blocks.
#include <string>

#include "firebird/sorted_list.h"
#include "firebird_datasets/fib_custom_dataset.h"

class TpFIBDataSet : public TFIBDataSet {
  public:
    explicit TpFIBDataSet(TComponent* AOwner);
    ~TpFIBDataSet() override;
    std::string ClassName() const override { return "TpFIBDataSet"; }

    // ---- Record filter (pfib_dataset_filter.cpp) ----
    // Turning the filter on or off forgets the hidden records and filters again from the current
    // record on; a filter text changed meanwhile is parsed first.
    void SetFiltered(bool value) override;
    void SetFilterText(const std::string& value) override;
    void SetFilterOptions(TFilterOptions value) override;
    // Record numbers (index + 1) that the filter hid when it last looked at them, ascending.
    const TSortedList& HiddenRecords() const { return hiddenRecords_; }

  protected:
    // ---- Record filter (pfib_dataset_filter.cpp) ----
    // The status test, then while filtered the filter text, OnFilterRecord and DoExtendedFilter.
    bool RecordIsVisible(TRecordBuffer buffer) const override;
    // Called for a record that passed the filter text and OnFilterRecord; Accept false hides it.
    virtual void DoExtendedFilter(TDataSet* /*DataSet*/, bool& /*Accept*/) {}
    void PrepareFilterParser() override;

  private:
    // ---- Record filter (pfib_dataset_filter.cpp) ----
    bool FilterAcceptsRecord(TRecordBuffer buffer);
    mutable TSortedList hiddenRecords_;
};
