// TpFIBDataSet's container: the dataset's events and errors sent to it, and the user events it
// passes to the dataset.
#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/strings.h"

// The framework's error events belong to the dataset: they tell the container first, then the
// application's handlers.
void TpFIBDataSet::AfterConstruction() {
    TFIBDataSet::AfterConstruction();
    TDataSet::OnPostError = [this](TDataSet*, EDatabaseError& error, TDataAction& action) {
        ReportError(deOnPostError, error, action);
    };
    TDataSet::OnDeleteError = [this](TDataSet*, EDatabaseError& error, TDataAction& action) {
        ReportError(deOnDeleteError, error, action);
    };
}

void TpFIBDataSet::ReportError(TKindDataSetError kind, EDatabaseError& error, TDataAction& action) {
    if (container_ != nullptr)
        container_->DataSetError(this, kind, error, action);
    const TDataSetErrorEvent& handler = kind == deOnPostError ? OnPostError : OnDeleteError;
    if (handler)
        handler(this, error, action);
}

void TpFIBDataSet::NotifyContainer(TKindDataSetEvent event) {
    if (container_ != nullptr)
        container_->DataSetEvent(this, event);
}

void TpFIBDataSet::SetContainer(TDataSetsContainer* value) {
    if (value == container_)
        return;
    if (container_ != nullptr)
        container_->RemoveDataSet(this);
    container_ = value;
    if (container_ != nullptr)
        container_->AddDataSet(this);
}

void TpFIBDataSet::ReceiveUserEvent(TObject* sender, const std::string& eventName, std::string& info) {
    const std::string name = UpperCase(eventName);
    if (name == "CLOSE")
        Close();
    else if (name == "OPEN")
        Open();
    else if (container_ != nullptr)
        container_->UserEvent(sender, this, eventName, info);
    if (OnUserEvent)
        OnUserEvent(sender, this, eventName, info);
}

// Each event reaches the container before the application's handler of the same event.
void TpFIBDataSet::DoBeforeOpen() {
    NotifyContainer(deBeforeOpen);
    TFIBDataSet::DoBeforeOpen();
}

void TpFIBDataSet::DoBeforeClose() {
    NotifyContainer(deBeforeClose);
    TFIBDataSet::DoBeforeClose();
}

void TpFIBDataSet::DoAfterClose() {
    NotifyContainer(deAfterClose);
    TFIBDataSet::DoAfterClose();
}

void TpFIBDataSet::DoBeforeInsert() {
    NotifyContainer(deBeforeInsert);
    TFIBDataSet::DoBeforeInsert();
}

void TpFIBDataSet::DoAfterInsert() {
    NotifyContainer(deAfterInsert);
    TFIBDataSet::DoAfterInsert();
}

void TpFIBDataSet::DoAfterEdit() {
    NotifyContainer(deAfterEdit);
    TFIBDataSet::DoAfterEdit();
}

void TpFIBDataSet::DoBeforePost() {
    NotifyContainer(deBeforePost);
    insertionPosting_ = State() == dsInsert;
    TFIBDataSet::DoBeforePost();
}

void TpFIBDataSet::DoBeforeCancel() {
    NotifyContainer(deBeforeCancel);
    TFIBDataSet::DoBeforeCancel();
}

void TpFIBDataSet::DoAfterCancel() {
    NotifyContainer(deAfterCancel);
    TFIBDataSet::DoAfterCancel();
}

void TpFIBDataSet::DoBeforeDelete() {
    NotifyContainer(deBeforeDelete);
    TFIBDataSet::DoBeforeDelete();
}

void TpFIBDataSet::DoAfterDelete() {
    NotifyContainer(deAfterDelete);
    TFIBDataSet::DoAfterDelete();
}

// Scroll events are silent while the dataset moves about by itself.
void TpFIBDataSet::DoBeforeScroll() {
    if (!InInternalUpdate())
        NotifyContainer(deBeforeScroll);
    TFIBDataSet::DoBeforeScroll();
}

void TpFIBDataSet::DoAfterScroll() {
    if (!InInternalUpdate())
        NotifyContainer(deAfterScroll);
    TFIBDataSet::DoAfterScroll();
}

void TpFIBDataSet::DoOnCalcFields() {
    NotifyContainer(deOnCalcFields);
    TFIBDataSet::DoOnCalcFields();
}

void TpFIBDataSet::DoBeforeRefresh() {
    NotifyContainer(deBeforeRefresh);
    TFIBDataSet::DoBeforeRefresh();
}

void TpFIBDataSet::DoAfterRefresh() {
    NotifyContainer(deAfterRefresh);
    TFIBDataSet::DoAfterRefresh();
}
