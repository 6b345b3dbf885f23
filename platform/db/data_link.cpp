#include "platform/db/data_link.h"

#include <algorithm>

#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/rtl/basic_action.h"
#include "platform/rtl/flag_scope.h"

TDataLink::~TDataLink() {
    // Only unhook: the derived link is gone, so it hears nothing more.
    if (dataSource_ == nullptr)
        return;
    std::erase(dataSource_->links_, this);
    if (dataSource_->DataSet() != nullptr)
        dataSource_->DataSet()->UpdateBufferCount();
}

void TDataLink::SetDataSource(TDataSource* value) {
    if (value == dataSource_)
        return;
    if (dataSource_ != nullptr)
        dataSource_->RemoveLink(this);
    dataSource_ = value;
    if (dataSource_ != nullptr)
        dataSource_->AddLink(this);
}

TDataSet* TDataLink::DataSet() const {
    return dataSource_ != nullptr ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool value) {
    readOnly_ = value;
    UpdateState();
}

int TDataLink::ActiveRecord() const {
    return active_ ? DataSet()->ActiveRecord() - firstRecord_ : 0;
}

void TDataLink::SetActiveRecord(int value) {
    if (active_)
        DataSet()->SetActiveRecord(value + firstRecord_);
}

void TDataLink::SetBufferCount(int value) {
    value = std::max(value, 1);
    if (value == bufferCount_)
        return;
    bufferCount_ = value;
    if (!active_)
        return;
    DataSet()->UpdateBufferCount();
    UpdateRange();
}

int TDataLink::RecordCount() const {
    if (!active_)
        return 0;
    return std::clamp(DataSet()->BufferedRecordCount() - firstRecord_, 0, bufferCount_);
}

bool TDataLink::Edit() {
    if (!readOnly_ && dataSource_ != nullptr)
        dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord() {
    TFlagScope updating(updating_);
    UpdateData();
}

void TDataLink::UpdateState() {
    TDataSetState state = dataSource_ != nullptr ? dataSource_->State() : dsInactive;
    SetActive(state != dsInactive);
    SetEditing((state == dsEdit || state == dsInsert || state == dsSetKey) && !readOnly_);
}

void TDataLink::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    firstRecord_ = 0;
    if (active_) {
        DataSet()->UpdateBufferCount();
        UpdateRange();
    }
    ActiveChanged();
}

void TDataLink::SetEditing(bool value) {
    if (value == editing_)
        return;
    editing_ = value;
    EditingChanged();
}

void TDataLink::UpdateRange() {
    const TDataSet* dataSet = DataSet();
    int active = dataSet->ActiveRecord();
    int last = std::max(dataSet->BufferedRecordCount() - bufferCount_, 0);
    firstRecord_ = std::clamp(firstRecord_, std::max(active - bufferCount_ + 1, 0), std::min(active, last));
}

void TDataLink::DataEvent(TDataEvent event, std::intptr_t info) {
    if (!active_)
        return;
    switch (event) {
        case deFieldChange:
        case deRecordChange:
            if (!updating_)
                RecordChanged(event == deFieldChange ? reinterpret_cast<TField*>(info) : nullptr);
            break;
        case deDataSetChange:
        case deLayoutChange:
            UpdateRange();
            if (event == deLayoutChange)
                LayoutChanged();
            else
                DataSetChanged();
            break;
        case deDataSetScroll: {
            // The buffers moved by info; follow the same records, then keep the active one in view.
            int following = firstRecord_ + static_cast<int>(info);
            firstRecord_ = following;
            UpdateRange();
            DataSetScrolled(firstRecord_ - following);
            break;
        }
        case deUpdateRecord:
            UpdateRecord();
            break;
        case deCheckBrowseMode:
            CheckBrowseMode();
            break;
        case deFocusControl:
            FocusControl(reinterpret_cast<TField*>(info));
            break;
        default:
            break;
    }
}

bool TDataLink::ExecuteAction(TBasicAction* action) {
    if (action == nullptr || !action->HandlesTarget(dataSource_))
        return false;
    action->ExecuteTarget(dataSource_);
    return true;
}

bool TDataLink::UpdateAction(TBasicAction* action) {
    if (action == nullptr || !action->HandlesTarget(dataSource_))
        return false;
    action->UpdateTarget(dataSource_);
    return true;
}
