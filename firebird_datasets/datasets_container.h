#pragma once
// TDataSetsContainer: one place to handle the events and errors of many datasets and to pass named
// user events between them. Containers chain through MasterContainer: whatever a container hears
// goes to its master (and on up) first, then to its own handlers.
#include <string>
#include <vector>

#include "firebird_datasets/dataset_events.h"
#include "platform/rtl/component.h"

class TDataSetsContainer : public TComponent {
  public:
    explicit TDataSetsContainer(TComponent* AOwner);
    ~TDataSetsContainer() override;
    std::string ClassName() const override { return "TDataSetsContainer"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    // Off: the container passes everything to its master and calls none of its own handlers.
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    TDataSetsContainer* MasterContainer() const { return master_; }
    // Raises "Circular link is not allowed." for a chain back to this container, changing nothing.
    void SetMasterContainer(TDataSetsContainer* value);
    void CheckCircularLink(const TDataSetsContainer* container) const;

    TOnDataSetEvent OnDataSetEvent;
    TOnDataSetError OnDataSetError;
    TUserEvent OnUserEvent;
    TOnApplyDefaultValue OnApplyDefaultValue;

    // The master's handlers first, then this one's.
    void DataSetEvent(TDataSet* dataSet, TKindDataSetEvent event);
    void DataSetError(TDataSet* dataSet, TKindDataSetError kind, EDatabaseError& error, TDataAction& action);
    void UserEvent(TObject* sender, TDataSet* receiver, const std::string& eventName, std::string& info);
    void ApplyDefaultValue(TDataSet* dataSet, TField* field, bool& applied);

    // The registered datasets (not owned), this container's and those of the containers below it.
    void AddDataSet(TDataSet* dataSet);
    void RemoveDataSet(TDataSet* dataSet);
    int DataSetCount() const { return static_cast<int>(dataSets_.size()); }
    TDataSet* DataSets(int index) const { return dataSets_.at(static_cast<std::size_t>(index)); }
    bool HasDataSet(const TDataSet* dataSet) const;

    // Sends the user event to every registered dataset whose "OWNER.NAME" matches the mask (all
    // of them for an empty mask) and whose ReceiveEvents list takes the event's name.
    void NotifyDataSets(TObject* sender, const std::string& receiverMask, std::string& info,
                        const std::string& eventName);

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    bool MaskMatches(const TDataSet& dataSet, const std::string& receiverMask) const;

    std::vector<TDataSet*> dataSets_;
    TDataSetsContainer* master_ = nullptr;
    bool active_ = true;
};
