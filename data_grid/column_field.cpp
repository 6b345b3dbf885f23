// Binding a column to its field: by name, directly, lazily once the dataset has its fields, and
// moving an auto column's field with the column.
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_link.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

namespace {

TDataSet* GridDataSet(const TCustomDBGridEh* grid) {
    if (grid == nullptr || grid->DataLink() == nullptr)
        return nullptr;
    return grid->DataLink()->DataSet();
}

}  // namespace

void TColumnEh::SetFieldName(const std::string& Value) {
    TField* found = nullptr;
    TCustomDBGridEh* grid = OwnerGrid();
    TDataSet* dataSet = GridDataSet(grid);
    if (dataSet != nullptr && !Loading() && !Value.empty())
        found = dataSet->FindField(Value);
    fieldName_ = Value;
    SetField(found);
    initialWidth_ = Width();
    NotifyChanged(false);
}

void TColumnEh::SetField(TField* Value) {
    if (Value == field_)
        return;
    field_ = Value;
    if (Value != nullptr)
        fieldName_ = Value->FieldName;
    if (IsAutoColumn()) {
        if (Value == nullptr)
            fieldName_.clear();
        ResetToDefaults();
        initialWidth_ = Width();
    }
    // No designer: the design-time preview of the lookup list never runs.
    BindFooterSums();
    NotifyChanged(false);
}

TField* TColumnEh::ResolveField() {
    if (field_ != nullptr || fieldName_.empty())
        return field_;
    TDataSet* dataSet = GridDataSet(OwnerGrid());
    if (dataSet == nullptr)
        return field_;
    // Closed with its own default fields: there is nothing to bind yet.
    if (!dataSet->Active() && dataSet->DefaultFields())
        return field_;
    TField* found = dataSet->FindField(fieldName_);
    if (found != field_) {
        field_ = found;
        if (found != nullptr)
            fieldName_ = found->FieldName;
        BindFooterSums();
    }
    return field_;
}

void TColumnEh::SetIndex(int Value) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (IsAutoColumn() && grid != nullptr && grid->DataLink()->Active()) {
        TField* own = ResolveField();
        TField* there = grid->DataLink()->FieldAt(Value);
        if (own != nullptr && there != nullptr)
            own->SetIndex(there->Index());
    }
    TCollectionItem::SetIndex(Value);
}
