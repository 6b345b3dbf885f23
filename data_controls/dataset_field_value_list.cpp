#include "data_controls/dataset_field_value_list.h"

#include "platform/db/controls_disabled_scope.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/scope_exit.h"

void TDataLinkEh::DataEvent(TDataEvent event, std::intptr_t info) {
    TDataLink::DataEvent(event, info);
    if (OnDataEvent)
        OnDataEvent(event, info);
}

TDatasetFieldValueListEh::TDatasetFieldValueListEh()
    : values_(std::make_unique<TStringList>()),
      dataSource_(std::make_unique<TDataSource>()),
      dataLink_(std::make_unique<TDataLinkEh>()) {
    values_->SetSorted(true);
    values_->SetDuplicates(TDuplicates::dupIgnore);
    dataLink_->SetDataSource(dataSource_.get());
    dataLink_->OnDataEvent = [this](TDataEvent event, std::intptr_t) { DataSetEvent(event); };
}

TDatasetFieldValueListEh::~TDatasetFieldValueListEh() {
    dataLink_->OnDataEvent = nullptr;
    dataLink_->SetDataSource(nullptr);
    dataSource_->SetDataSet(nullptr);
}

void TDatasetFieldValueListEh::DataSetEvent(TDataEvent event) {
    if (event == deDataSetChange || event == dePropertyChange || event == deFieldListChange)
        stale_ = true;
}

void TDatasetFieldValueListEh::ChangeFieldName(const std::string& name) {
    if (name == fieldName_)
        return;
    fieldName_ = name;
    stale_ = true;
}

void TDatasetFieldValueListEh::ChangeDataSet(TDataSet* dataSet) {
    if (dataSet == DataSet())
        return;
    dataSource_->SetDataSet(dataSet);
    stale_ = true;
}

TStrings* TDatasetFieldValueListEh::DistinctValues() {
    if (stale_)
        Refresh();
    return values_.get();
}

void TDatasetFieldValueListEh::Refresh() {
    values_->Clear();
    TDataSet* dataSet = DataSet();
    if (dataSet != nullptr && dataSet->FindField(fieldName_) != nullptr)
        Gather(*dataSet, fieldName_);
    stale_ = false;
}

namespace {

void ReturnTo(TDataSet& dataSet, const TBookmark& bookmark) {
    if (!bookmark.empty() && dataSet.Active() && dataSet.BookmarkValid(bookmark))
        dataSet.GotoBookmark(bookmark);
}

}  // namespace

void TDatasetFieldValueListEh::Gather(TDataSet& dataSet, const std::string& fieldName) {
    // Back on the record it was on, and its controls enabled again even when going back fails.
    const auto disabled = ControlsDisabledScope(dataSet);
    const TBookmark bookmark = dataSet.BookmarkAvailable() ? dataSet.GetBookmark() : TBookmark();
    TScopeExit back([&dataSet, &bookmark] { ReturnTo(dataSet, bookmark); });
    dataSet.First();
    while (!dataSet.Eof()) {
        // Looked up on each record: a handler may rebuild the field list meanwhile.
        if (TField* field = dataSet.FindField(fieldName))
            values_->Add(field->AsString());
        dataSet.Next();
    }
}
