#pragma once
// TDataLinkEh, a data link that hands every dataset notice to a hook; and
// TDatasetFieldValueListEh, the sorted distinct values of one dataset field, kept for the grid's
// filter drop-downs and gathered again once the dataset or its fields changed.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/rtl/string_list.h"

class TDataLinkEh : public TDataLink {
  public:
    std::function<void(TDataEvent Event, std::intptr_t Info)> OnDataEvent;

  protected:
    void DataEvent(TDataEvent event, std::intptr_t info) override;
};

// What the grid's filter drop-down asks a value source for.
class IMemTableDataFieldValueListEh {
  public:
    virtual ~IMemTableDataFieldValueListEh() = default;
    virtual TStrings* DistinctValues() = 0;
};

class TDatasetFieldValueListEh : public IMemTableDataFieldValueListEh {
  public:
    TDatasetFieldValueListEh();
    ~TDatasetFieldValueListEh() override;
    TDatasetFieldValueListEh(const TDatasetFieldValueListEh&) = delete;
    TDatasetFieldValueListEh& operator=(const TDatasetFieldValueListEh&) = delete;

    // Gathers the values again when stale; the dataset stays on its record.
    TStrings* DistinctValues() override;
    const std::string& FieldName() const { return fieldName_; }
    void ChangeFieldName(const std::string& name);
    TDataSet* DataSet() const { return dataSource_->DataSet(); }
    void ChangeDataSet(TDataSet* dataSet);
    bool Stale() const { return stale_; }

  private:
    void DataSetEvent(TDataEvent event);
    void Refresh();
    void Gather(TDataSet& dataSet, const std::string& fieldName);
    std::unique_ptr<TStringList> values_;
    std::unique_ptr<TDataSource> dataSource_;
    std::unique_ptr<TDataLinkEh> dataLink_;
    std::string fieldName_;
    bool stale_ = false;
};
