// TDataSetsContainer: event forwarding up the master chain, the registered datasets and the user
// events sent to them.
#include "firebird_datasets/datasets_container.h"

#include <algorithm>

#include "firebird/library_texts.h"
#include "firebird/wildcards.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"

TDataSetsContainer::TDataSetsContainer(TComponent* AOwner) : TComponent(AOwner) {}

// The datasets of this container lose it, and the master forgets the datasets it heard of
// through this container.
TDataSetsContainer::~TDataSetsContainer() {
    const std::vector<TDataSet*> registered = dataSets_;
    for (TDataSet* dataSet : registered) {
        auto* fibDataSet = dynamic_cast<TpFIBDataSet*>(dataSet);
        if (fibDataSet != nullptr && fibDataSet->Container() == this)
            fibDataSet->SetContainer(nullptr);
        else if (master_ != nullptr)
            master_->RemoveDataSet(dataSet);
    }
}

const TPropertyList& TDataSetsContainer::Published() {
    using C = TDataSetsContainer;
    static const TPropertyList list =
        TPublish<C>(TComponent::Published())
            .Boolean("Active", &C::Active, &C::SetActive)
            .Default(true)
            .Component("MasterContainer", &C::MasterContainer, &C::SetMasterContainer);
    return list;
}

void TDataSetsContainer::CheckCircularLink(const TDataSetsContainer* container) const {
    for (const TDataSetsContainer* link = container; link != nullptr; link = link->master_)
        if (link == this)
            throw Exception(SCircularLink);
}

void TDataSetsContainer::SetMasterContainer(TDataSetsContainer* value) {
    if (value == master_)
        return;
    CheckCircularLink(value);
    if (master_ != nullptr)
        for (TDataSet* dataSet : dataSets_) master_->RemoveDataSet(dataSet);
    master_ = value;
    if (master_ == nullptr)
        return;
    master_->FreeNotification(this);
    for (TDataSet* dataSet : dataSets_) master_->AddDataSet(dataSet);
}

void TDataSetsContainer::DataSetEvent(TDataSet* dataSet, TKindDataSetEvent event) {
    if (master_ != nullptr)
        master_->DataSetEvent(dataSet, event);
    if (active_ && OnDataSetEvent)
        OnDataSetEvent(dataSet, event);
}

void TDataSetsContainer::DataSetError(TDataSet* dataSet, TKindDataSetError kind, EDatabaseError& error,
                                      TDataAction& action) {
    if (master_ != nullptr)
        master_->DataSetError(dataSet, kind, error, action);
    if (active_ && OnDataSetError)
        OnDataSetError(dataSet, kind, error, action);
}

void TDataSetsContainer::UserEvent(TObject* sender, TDataSet* receiver, const std::string& eventName,
                                   std::string& info) {
    if (master_ != nullptr)
        master_->UserEvent(sender, receiver, eventName, info);
    if (active_ && OnUserEvent)
        OnUserEvent(sender, receiver, eventName, info);
}

void TDataSetsContainer::ApplyDefaultValue(TDataSet* dataSet, TField* field, bool& applied) {
    if (master_ != nullptr)
        master_->ApplyDefaultValue(dataSet, field, applied);
    if (active_ && OnApplyDefaultValue)
        OnApplyDefaultValue(dataSet, field, applied);
}

bool TDataSetsContainer::HasDataSet(const TDataSet* dataSet) const {
    return std::find(dataSets_.begin(), dataSets_.end(), dataSet) != dataSets_.end();
}

void TDataSetsContainer::AddDataSet(TDataSet* dataSet) {
    if (dataSet == nullptr)
        return;
    if (!HasDataSet(dataSet))
        dataSets_.push_back(dataSet);
    if (master_ != nullptr)
        master_->AddDataSet(dataSet);
    dataSet->FreeNotification(this);
}

void TDataSetsContainer::RemoveDataSet(TDataSet* dataSet) {
    const auto found = std::find(dataSets_.begin(), dataSets_.end(), dataSet);
    if (found != dataSets_.end())
        dataSets_.erase(found);
    if (master_ != nullptr)
        master_->RemoveDataSet(dataSet);
}

void TDataSetsContainer::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == master_)
        master_ = nullptr;
    const auto found = std::find(dataSets_.begin(), dataSets_.end(), AComponent);
    if (found != dataSets_.end())
        dataSets_.erase(found);
}

bool TDataSetsContainer::MaskMatches(const TDataSet& dataSet, const std::string& receiverMask) const {
    if (receiverMask.empty())
        return true;
    const std::string owner = dataSet.Owner() != nullptr ? dataSet.Owner()->Name() : std::string();
    return WildcardMatch(UpperCase(receiverMask), UpperCase(owner + "." + dataSet.Name()));
}

void TDataSetsContainer::NotifyDataSets(TObject* sender, const std::string& receiverMask, std::string& info,
                                        const std::string& eventName) {
    // A receiver may close, free or move datasets: go over the list as it was, skipping those gone.
    const std::vector<TDataSet*> receivers = dataSets_;
    for (TDataSet* dataSet : receivers) {
        if (!HasDataSet(dataSet) || !MaskMatches(*dataSet, receiverMask))
            continue;
        auto* fibDataSet = dynamic_cast<TpFIBDataSet*>(dataSet);
        if (fibDataSet == nullptr)
            continue;
        const TStrings& accepted = fibDataSet->ReceiveEvents();
        if (accepted.Count() == 0 || IndexOfWildcard(accepted, eventName, false) >= 0)
            fibDataSet->ReceiveUserEvent(sender, eventName, info);
    }
}
