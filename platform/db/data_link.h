#pragma once
// TDataLink: a control's view of a dataset through a data source. It owns a window of
// BufferCount records inside the dataset's buffers, which follows the dataset as it scrolls, and
// hears the dataset's notices through its virtual methods.
#include <cstdint>

#include "platform/db/dataset_types.h"

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

  private:
    friend class TDataSource;
    void DataEvent(TDataEvent event, std::intptr_t info);
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

// A data link through which a master drives a detail dataset.
class TDetailDataLink : public TDataLink {
  public:
    virtual TDataSet* DetailDataSet() const { return nullptr; }
};
