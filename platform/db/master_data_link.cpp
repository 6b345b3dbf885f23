// The link from a detail dataset to its master source.
#include <algorithm>

#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"

void TMasterDataLink::SetFieldNames(const std::string& value) {
    if (value == fieldNames_)
        return;
    fieldNames_ = value;
    ActiveChanged();
}

void TMasterDataLink::Fire(const TNotifyEvent& event) {
    if (event)
        event(this);
}

void TMasterDataLink::ActiveChanged() {
    fields_.clear();
    if (Active() && !fieldNames_.empty())
        fields_ = DataSet()->GetFieldList(fieldNames_);
    if (!dataSet_->Active() || dataSet_->Destroying())
        return;
    if (Active() && !fields_.empty())
        Fire(OnMasterChange);
    else
        Fire(OnMasterDisable);
}

void TMasterDataLink::CheckBrowseMode() {
    if (dataSet_->Active())
        dataSet_->CheckBrowseMode();
}

void TMasterDataLink::RecordChanged(TField* field) {
    if (DataSource()->State() == dsSetKey || !dataSet_->Active() || fields_.empty())
        return;
    if (field == nullptr || std::find(fields_.begin(), fields_.end(), field) != fields_.end())
        Fire(OnMasterChange);
}
