#include "platform/db/data_source.h"

#include <algorithm>

#include "platform/db/data_link.h"
#include "platform/db/dataset.h"

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

// A source deleted without BeforeDestruction (one on the stack) still leaves its dataset's list,
// quietly: the dataset must not call back into a source that is going.
TDataSource::~TDataSource() {
    for (TDataLink* link : links_) link->dataSource_ = nullptr;
    if (dataSet_ != nullptr) {
        std::erase(dataSet_->dataSources_, this);
        dataSet_->RemoveFreeNotification(this);
    }
}

void TDataSource::BeforeDestruction() {
    SetDataSet(nullptr);
    while (!links_.empty()) links_.back()->SetDataSource(nullptr);
    TComponent::BeforeDestruction();
}

void TDataSource::SetDataSet(TDataSet* value) {
    if (value == dataSet_)
        return;
    if (value != nullptr && IsLinkedTo(value))
        DatabaseError("Circular datalinks are not allowed", this);
    if (dataSet_ != nullptr) {
        std::erase(dataSet_->dataSources_, this);
        dataSet_->RemoveFreeNotification(this);
        dataSet_->UpdateBufferCount();
    }
    dataSet_ = value;
    if (dataSet_ != nullptr) {
        dataSet_->dataSources_.push_back(this);
        dataSet_->FreeNotification(this);
        dataSet_->UpdateBufferCount();
    }
    UpdateState();
}

void TDataSource::SetEnabled(bool value) {
    enabled_ = value;
    UpdateState();
}

void TDataSource::Edit() {
    if (AutoEdit && state_ == dsBrowse)
        dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const {
    while (dataSet != nullptr) {
        const TDataSource* master = dataSet->GetDataSource();
        if (master == nullptr)
            return false;
        if (master == this)
            return true;
        dataSet = master->DataSet();
    }
    return false;
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == dataSet_)
        SetDataSet(nullptr);
}

void TDataSource::AddLink(TDataLink* link) {
    links_.push_back(link);
    if (dataSet_ != nullptr)
        dataSet_->UpdateBufferCount();
    link->UpdateState();
}

void TDataSource::RemoveLink(TDataLink* link) {
    std::erase(links_, link);
    link->SetActive(false);
    if (dataSet_ != nullptr)
        dataSet_->UpdateBufferCount();
}

int TDataSource::MaxLinkBufferCount() const {
    int count = 1;
    for (const TDataLink* link : links_) count = std::max(count, link->BufferCount());
    return count;
}

void TDataSource::UpdateState() {
    TDataSetState value = (enabled_ && dataSet_ != nullptr) ? dataSet_->State() : dsInactive;
    if (value == state_)
        return;
    state_ = value;
    NotifyLinks(deUpdateState, 0);
    if (OnStateChange)
        OnStateChange(this);
}

void TDataSource::NotifyLinks(TDataEvent event, std::intptr_t info) {
    auto links = links_;
    for (TDataLink* link : links) {
        if (event == deUpdateState)
            link->UpdateState();
        else
            link->DataEvent(event, info);
    }
}

void TDataSource::DataEvent(TDataEvent event, std::intptr_t info) {
    if (event == deUpdateState) {
        UpdateState();
        return;
    }
    if (state_ == dsInactive)
        return;
    NotifyLinks(event, info);
    switch (event) {
        case deFieldChange:
        case deRecordChange:
        case deDataSetChange:
        case deDataSetScroll:
        case deLayoutChange: {
            TField* field = event == deFieldChange ? reinterpret_cast<TField*>(info) : nullptr;
            if (OnDataChange)
                OnDataChange(this, field);
            break;
        }
        case deUpdateRecord:
            if (OnUpdateData)
                OnUpdateData(this);
            break;
        default:
            break;
    }
}

const TPropertyList& TDataSource::Published() {
    static const TPropertyList list =
        TPublish<TDataSource>(TComponent::Published())
            .Component("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet)
            .Boolean(
                "AutoEdit", [](const TDataSource& s) { return s.AutoEdit; },
                [](TDataSource& s, bool v) { s.AutoEdit = v; })
            .Default(true)
            .Boolean("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled)
            .Default(true);
    return list;
}
