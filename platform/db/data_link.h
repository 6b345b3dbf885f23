#pragma once
// TDataLink: a control's view of a dataset through a data source. It owns a window of
// BufferCount records inside the dataset's buffers, which follows the dataset as it scrolls, and
// hears the dataset's notices through its virtual methods.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/dataset_types.h"

class TBasicAction;
class TDataSet;
class TDataSource;
class TField;

class TDataLink {
  public:
    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;
    virtual ~TDataLink();

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* value);
    TDataSet* DataSet() const;
    bool Active() const { return active_; }
    bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);

    // The link's current record within its window (0 when inactive). Setting it points the
    // dataset at another buffered record without scrolling; set it back when done.
    int ActiveRecord() const;
    void SetActiveRecord(int value);
    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int value);
    // How many records of the window hold data.
    int RecordCount() const;

    // Asks the data source to put the dataset in edit mode; true when it is editing afterwards.
    bool Edit();
    // Writes the control's pending value back (UpdateData) before the dataset posts.
    void UpdateRecord();

    // An action that serves the link's data source is carried out (or refreshed) on it; true when
    // the action took it.
    virtual bool ExecuteAction(TBasicAction* action);
    virtual bool UpdateAction(TBasicAction* action);

  protected:
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int /*distance*/) { DataSetChanged(); }
    virtual void EditingChanged() {}
    virtual void FocusControl(TField* /*field*/) {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* /*field*/) {}
    virtual void UpdateData() {}
    // Every notice the data source passes on; a derived link that overrides it calls this one
    // first for the standard handling.
    virtual void DataEvent(TDataEvent event, std::intptr_t info);

  private:
    friend class TDataSource;
    void UpdateState();
    void SetActive(bool value);
    void SetEditing(bool value);
    // Keeps the dataset's active record inside the window and the window inside the buffers.
    void UpdateRange();

    TDataSource* dataSource_ = nullptr;
    int bufferCount_ = 1;
    int firstRecord_ = 0;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
};

// A data link through which a master drives a detail dataset; the master lists its details
// through these links (TDataSet::GetDetailDataSets).
class TDetailDataLink : public TDataLink {
  public:
    TDataSet* DetailDataSet() const { return GetDetailDataSet(); }

  protected:
    virtual TDataSet* GetDetailDataSet() const { return nullptr; }
};

// The detail link a dataset keeps to its master source: it resolves the master fields named in
// FieldNames and calls OnMasterChange when the master moves to another record or one of those
// fields changes, OnMasterDisable when the master closes.
class TMasterDataLink : public TDetailDataLink {
  public:
    using TNotifyEvent = std::function<void(TMasterDataLink* Sender)>;

    explicit TMasterDataLink(TDataSet* dataSet) : dataSet_(dataSet) {}
    const std::string& FieldNames() const { return fieldNames_; }
    // Resolves the fields again when the link is active.
    void SetFieldNames(const std::string& value);
    const std::vector<TField*>& Fields() const { return fields_; }

    TNotifyEvent OnMasterChange;
    TNotifyEvent OnMasterDisable;

  protected:
    TDataSet* GetDetailDataSet() const override { return dataSet_; }
    void ActiveChanged() override;
    void CheckBrowseMode() override;
    void LayoutChanged() override { ActiveChanged(); }
    void RecordChanged(TField* field) override;

  private:
    void Fire(const TNotifyEvent& event);
    TDataSet* dataSet_;
    std::string fieldNames_;
    std::vector<TField*> fields_;
};
