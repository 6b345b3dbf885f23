// States and the notices to data sources, held back while controls are disabled.
#include "platform/db/dataset.h"
#include "platform/db/field.h"

void TDataSet::SetState(TDataSetState value) {
    if (state_ == value)
        return;
    state_ = value;
    modified_ = false;
    DataEvent(deUpdateState, 0);
}

void TDataSet::DisableControls() {
    if (disableCount_ == 0) {
        disableState_ = state_;
        enableEvent_ = deDataSetChange;
    }
    ++disableCount_;
    if (disableCount_ == 1)
        NotifyDataSources(deDisabledStateChange, 0);
}

void TDataSet::EnableControls() {
    if (disableCount_ == 0)
        return;
    if (--disableCount_ != 0)
        return;
    // Controls bind their fields again before they hear what changed, so none shows a stale one.
    NotifyDataSources(deDisabledStateChange, 1);
    if (disableState_ != state_)
        NotifyDataSources(deUpdateState, 0);
    if (disableState_ != dsInactive && state_ != dsInactive)
        NotifyDataSources(enableEvent_, 0);
}

void TDataSet::DataEvent(TDataEvent event, std::intptr_t info) {
    if (event == deFieldChange)
        FieldChanged(reinterpret_cast<TField*>(info));
    if (disableCount_ != 0) {
        // A layout change outweighs a data change: the last enable sends the weightier one.
        if (event == deLayoutChange)
            enableEvent_ = deLayoutChange;
        return;
    }
    NotifyDataSources(event, info);
}

void TDataSet::FieldChanged(TField* field) {
    if (field == nullptr || field->FieldKind != fkData)
        return;
    modified_ = true;
    const bool editing = state_ == dsEdit || state_ == dsInsert;
    if (editing && AutoCalcFields && calcFieldsSize_ != 0)
        GetCalcFields(ActiveBuffer());
}
