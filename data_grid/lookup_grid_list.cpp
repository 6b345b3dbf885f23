// The lookup grid's list binding and how the key value follows the list.
#include <algorithm>

#include "data_controls/spec_row.h"
#include "data_grid/columns.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/flag_scope.h"

void TDBLookupGridEh::ResolveListFields() {
    TDataSet* list = ListDataSet();
    CheckNotCircular();
    try {
        keyFields_ = list->GetFieldList(keyFieldNames_);
        listFields_ = list->GetFieldList(listFieldName_);
    } catch (const std::exception&) {
        DatabaseError("Field '" + listFieldName_ + "' not found", this);
    }
    if (TField* lookup = LookupField()) {
        listField_ = list->FindField(lookup->LookupResultField);
        if (listField_ == nullptr)
            DatabaseError("Field '" + lookup->LookupResultField + "' not found", this);
        if (std::find(listFields_.begin(), listFields_.end(), listField_) == listFields_.end())
            listFields_.insert(listFields_.begin(), listField_);
        listActive_ = true;
        return;
    }
    if (listFields_.empty())
        listFields_ = keyFields_;
    const bool inside = listFieldIndex_ >= 0 && listFieldIndex_ < static_cast<int>(listFields_.size());
    listField_ = listFields_.empty() ? nullptr : listFields_[inside ? listFieldIndex_ : 0];
    listActive_ = true;
}

void TDBLookupGridEh::RebuildListFields() {
    listActive_ = false;
    listField_ = nullptr;
    listFields_.clear();
    keyFields_.clear();
    const auto follow = [this] {
        if (listActive_)
            RefreshSpecRowState();
        else
            ListRecordPosition();
    };
    try {
        if (ListDataLink()->Active() && !keyFieldNames_.empty())
            ResolveListFields();
        if (TField* lookup = LookupField())
            keyFieldNames_ = lookup->LookupKeyFields;
        if (ListDataLink()->Active() && !keyFieldNames_.empty()) {
            listActive_ = false;
            listFields_.clear();
            ResolveListFields();
        }
    } catch (...) {
        follow();
        throw;
    }
    follow();
}

void TDBLookupGridEh::MapColumnsToFields() {
    TGridDataLinkEh* link = ListDataLink();
    if (ColumnsPart()->Customized()) {
        link->SetSparseMapping(true);
        TDBGridColumnsEh* columns = LookupColumns();
        for (int i = 0; i < columns->Count(); ++i) link->MapField(columns->ColumnAt(i)->FieldName());
        return;
    }
    link->SetSparseMapping(false);
    for (TField* field : listFields_) link->MapField(field->FieldName);
}

TDBGridColumnsEh* TDBLookupGridEh::LookupColumns() const {
    return static_cast<TDBGridColumnsEh*>(&ColumnsPart()->Stored());
}

void TDBLookupGridEh::CollectDataSetFields(std::vector<TField*>& Fields) {
    Fields.insert(Fields.end(), listFields_.begin(), listFields_.end());
}

bool TDBLookupGridEh::ValuesCompatible(const std::vector<TField*>& Fields, const Variant& Value) {
    if (Fields.size() == 1)
        return !Value.IsArray();
    if (Fields.size() > 1 && Value.IsArray() && VarArrayDimCount(Value) >= 1)
        return VarArrayHighBound(Value, 1) - VarArrayLowBound(Value, 1) + 1 ==
               static_cast<int>(Fields.size());
    return false;
}

bool TDBLookupGridEh::LocateKeyValue() {
    TDataSet* list = ListDataSet();
    if (keyValue_.IsNull() || list == nullptr || !list->Active() || !ValuesCompatible(keyFields_, keyValue_))
        return false;
    try {
        if (!list->Locate(keyFieldNames_, keyValue_, {}))
            return false;
        if (HasMemTable())
            SetTopRow(std::clamp(Row() - VisibleDataRowCount() / 2, FixedRows(),
                                 std::max(FixedRows(), RowCount() - VisibleDataRowCount())));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TDBLookupGridEh::RefreshSpecRowState() {
    if (specRow_->Visible()) {
        specRowSelected_ = keyValue_ == specRow_->Value();
        if (!positionLock_ && !specRowSelected_ && specRow_->ShowIfNotInKeyList()) {
            if (LocateKeyValue())
                ListRecordPosition();
            else
                specRowSelected_ = true;
        }
    } else {
        specRowSelected_ = false;
    }
    if (listActive_ && !positionLock_) {
        if (LocateKeyValue() || specRowSelected_)
            ListRecordPosition();
        else if (TDataSet* list = ListDataSet())
            list->First();
    }
    if (listField_ == nullptr)
        selectedText_.clear();
    else if (specRow_->Visible() && specRowSelected_)
        selectedText_ = specRow_->CellTextAt(listFieldIndex_);
    else
        selectedText_ = listField_->DisplayText();
}

void TDBLookupGridEh::ListRecordPosition() {
    if (listActive_ && HasMemTable()) {
        recordIndex_ = ListDataSet()->RecNo() - 1;
        recordCount_ = ListDataSet()->RecordCount();
    } else if (listActive_) {
        recordIndex_ = ListDataLink()->ActiveRecord();
        recordCount_ = ListDataLink()->RecordCount();
    } else {
        recordIndex_ = 0;
        recordCount_ = 0;
    }
    if (HandleAllocated()) {
        RefreshVertScrollBar();
        RefreshLayout();
    }
}

void TDBLookupGridEh::DataLinkActiveChanged(bool Active) {
    RebuildListFields();
    TCustomDBGridEh::DataLinkActiveChanged(Active);
    FitColumnWidths();
}

void TDBLookupGridEh::LinkDataSetChanged() {
    TCustomDBGridEh::LinkDataSetChanged();
    ListRecordPosition();
}

void TDBLookupGridEh::LinkDataSetScrolled(int Distance) {
    LockLayout();
    try {
        TCustomDBGridEh::LinkDataSetScrolled(Distance);
        ListRecordPosition();
    } catch (...) {
        UnlockLayout();
        throw;
    }
    UnlockLayout();
}

void TDBLookupGridEh::RecalcRowCount() {
    if (heightSetting_)
        return;
    {
        TFlagScope setting(heightSetting_);
        TCustomDBGridEh::RecalcRowCount();
    }
    ListRecordPosition();
}

void TDBLookupGridEh::RefreshLayout() {
    if (!TryBeginLayout())
        return;
    const int rowHeight = DefaultRowHeight();
    try {
        TCustomDBGridEh::RefreshLayout();
    } catch (...) {
        EndLayout();
        throw;
    }
    EndLayout();
    // The layout measures the rows from the font again: the grid's height follows in whole rows.
    if (DefaultRowHeight() != rowHeight)
        SetRowCount(rowCount_);
}

void TDBLookupGridEh::ActiveRecordChanged() {
    if (InplaceSearching())
        GridEndIncrementalSearch();
    keyRowVisible_ = false;
    if (!ListDataLink()->Active() || !HandleAllocated() || ComponentState().Contains(csLoading))
        return;
    const int keyRow = FindKeyRow();
    if (keyRow < 0)
        return;
    const int target = keyRow + TopDataOffset();
    if (target != Row()) {
        if (!TCustomDBGridEh::Options().Contains(gdoAlwaysShowEditorEh))
            HideEditor();
        MoveColRow(Col(), target, true, false);
        RefreshEditors();
    }
    keyRowVisible_ = true;
}

Variant TDBLookupGridEh::CurrentListKey() const {
    return ListDataSet()->FieldValues(keyFieldNames_);
}

int TDBLookupGridEh::FindKeyRow() {
    if (HasMemTable())
        return ListDataSet()->RecNo() - 1;
    return KeyRowIndex();
}

int TDBLookupGridEh::KeyRowIndex() {
    TGridDataLinkEh* link = ListDataLink();
    if (keyValue_.IsNull() || !link->Active() || keyFieldNames_.empty())
        return -1;
    const int saved = link->ActiveRecord();
    int found = -1;
    try {
        for (int row = 0; row < link->RecordCount() && found < 0; ++row) {
            link->SetActiveRecord(row);
            if (CurrentListKey() == keyValue_)
                found = row;
        }
    } catch (...) {
        link->SetActiveRecord(saved);
        throw;
    }
    link->SetActiveRecord(saved);
    return found;
}
