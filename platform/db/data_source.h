#pragma once
// TDataSource: the point where data links meet a dataset. It passes the dataset's notices on to
// its links, follows the dataset's state and fires OnStateChange, OnDataChange and OnUpdateData.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/db/dataset_types.h"
#include "platform/rtl/component.h"

class TDataSet;
class TDataLink;
class TField;

class TDataSource : public TComponent {
  public:
    using TNotifyEvent = std::function<void(TObject* Sender)>;
    using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

    explicit TDataSource(TComponent* AOwner = nullptr);
    ~TDataSource() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TDataSource"; }

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool AutoEdit = true;
    TDataSetState State() const { return state_; }
    // Puts the dataset in edit mode when AutoEdit allows and it is browsing.
    void Edit();
    // True when this source is the dataset's master source, or the master source of one of its masters.
    bool IsLinkedTo(const TDataSet* dataSet) const;

    // "DataSet" is published, so forms and helpers find it by name.
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TNotifyEvent OnStateChange;
    TDataChangeEvent OnDataChange;
    TNotifyEvent OnUpdateData;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, std::intptr_t info);
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);
    void UpdateState();
    void NotifyLinks(TDataEvent event, std::intptr_t info);
    int MaxLinkBufferCount() const;

    TDataSet* dataSet_ = nullptr;
    std::vector<TDataLink*> links_;
    bool enabled_ = true;
    TDataSetState state_ = dsInactive;
};
