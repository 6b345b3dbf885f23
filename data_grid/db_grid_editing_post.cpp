// The edited text going back into the field, the value copied from the record above, and the
// editor following changes the dataset makes to the current record.
#include <string>

#include "data_controls/field_lists.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/inplace_edit.h"

namespace {

bool KeyFieldsModifiable(TField& field) {
    const std::vector<std::string> names = SplitFieldNames(field.KeyFields);
    if (names.empty())
        return false;
    for (const std::string& name : names) {
        TField* key = field.DataSet()->FindField(name);
        if (key == nullptr || !key->CanModify())
            return false;
    }
    return true;
}

// The key of the lookup record whose result field shows Text (any letter case); null when none.
Variant LookupKeyOfText(TField& field, const std::string& text) {
    TDataSet* lookup = field.LookupDataSet();
    if (lookup == nullptr || !lookup->Active() ||
        !lookup->Locate(field.LookupResultField, Variant(text), {loCaseInsensitive}))
        return Variant::Null();
    return lookup->FieldValues(field.LookupKeyFields);
}

void TellNotInList(TColumnEh& column, const std::string& text, bool& recheck) {
    recheck = false;
    if (column.OnNotInList)
        column.OnNotInList(&column, text, recheck);
}

// The key a key-list column stores for the text: the key beside its pick-list entry.
Variant KeyListKey(TColumnEh& column, const std::string& text) {
    const int index = column.PickList()->IndexOf(text);
    if (index < 0 || index >= column.KeyList()->Count())
        return Variant::Null();
    return Variant((*column.KeyList())[index]);
}

void PostKeyListText(TColumnEh& column, const std::string& text) {
    Variant key = KeyListKey(column, text);
    if (key.IsNull() && !text.empty() && column.OnNotInList) {
        bool recheck = false;
        TellNotInList(column, text, recheck);
        if (recheck)
            key = KeyListKey(column, text);
    }
    column.PutCellValue(text, key, false);
}

}  // namespace

void TCustomDBGridEh::PostEditText() {
    TColumnEh* column = CurrentColumnEh();
    if (column == nullptr)
        return;
    const std::string text = editText_;
    TField* field = column->Field();
    if (field == nullptr) {
        column->PutCellValue(text, Variant(text), true);
        return;
    }
    switch (column->CellKind()) {
        case ckPickListEh:
            if (column->PickList()->IndexOf(text) < 0) {
                bool recheck = false;
                TellNotInList(*column, text, recheck);
            }
            column->PutCellValue(text, Variant(text), true);
            return;
        case ckKeyPickListEh:
            PostKeyListText(*column, text);
            return;
        default:
            break;
    }
    if (field->Lookup() && !field->KeyFields.empty()) {
        PostLookupText(*column, *field, text);
        return;
    }
    column->PutCellValue(text, Variant(text), true);
}

// A lookup cell stores the key of the record its text names; a text no record shows is offered
// to OnNotInList, which may add the record and ask for another look.
void TCustomDBGridEh::PostLookupText(TColumnEh& Column, TField& Field, const std::string& Text) {
    Variant key = editKeyValue_;
    if (key.IsNull() && !Text.empty() && Column.OnNotInList) {
        key = LookupKeyOfText(Field, Text);
        if (key.IsNull()) {
            bool recheck = false;
            TellNotInList(Column, Text, recheck);
            if (recheck)
                key = LookupKeyOfText(Field, Text);
        }
    }
    if (!KeyFieldsModifiable(Field))
        return;
    Field.DataSet()->Edit();
    Column.PutCellValue(Text, key, false);
}

void TCustomDBGridEh::CopyValueFromPrevious() {
    TColumnEh* column = CurrentColumnEh();
    TField* field = column != nullptr ? column->Field() : nullptr;
    if (!dataLink_->Active() || dataLink_->ActiveRecord() <= 0 || field == nullptr ||
        !column->IsEditable(false))
        return;
    const bool byKeys = field->Lookup() && !field->KeyFields.empty();
    TDataSet* dataSet = dataLink_->DataSet();
    const int active = dataLink_->ActiveRecord();
    Variant value;
    dataLink_->SetActiveRecord(active - 1);
    try {
        value = byKeys ? dataSet->FieldValues(field->KeyFields) : field->Value();
    } catch (...) {
        dataLink_->SetActiveRecord(active);
        throw;
    }
    dataLink_->SetActiveRecord(active);
    DropSelection();
    dataLink_->Edit();
    if (byKeys)
        AssignFieldsFromVariant(dataSet, field->KeyFields, value);
    else
        field->SetValue(value);
    ShowCellEditor();
    if (EditorShown())
        InplaceEditor()->SelectAll();
}

void TCustomDBGridEh::RecordChanged(TField* Field) {
    if (!HandleAllocated())
        return;
    if (Field == nullptr) {
        Invalidate();
    } else {
        for (int i = 0; columns_ && i < columns_->Count(); ++i)
            if (columns_->Items(i)->Field() == Field)
                InvalidateGridRow(Row());
    }
    TColumnEh* column = CurrentColumnEh();
    TField* selected = column != nullptr ? column->Field() : nullptr;
    if (selected == nullptr || (Field != nullptr && selected != Field))
        return;
    std::string current;
    if (memoAsText_ && selected->DataType() == ftMemo)
        current = WithCrLfLineBreaks(selected->AsString());
    else if (column->CellKind() == ckKeyPickListEh)
        current = column->CellDisplayText();
    else
        current = selected->Text();
    if (current == editText_)
        return;
    RefreshEditors();
    if (InplaceEditor() != nullptr)
        InplaceEditor()->Deselect();
}

void TCustomDBGridEh::SelectFieldColumn(TField* Field) {
    for (int i = 0; columns_ && i < columns_->Count(); ++i)
        if (columns_->Items(i)->Field() == Field)
            MoveToColumn(DataColToGridCol(i), 0, false);
}
