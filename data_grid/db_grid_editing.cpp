// The grid's side of in-place editing: when the editor shows, which keys and changes it may take,
// the text it starts with, and leaving the grid with an edit pending.
#include <string>

#include "data_controls/spec_row.h"
#include "data_controls/variants_equal.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/column_cell_rules.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/strings.h"
#include "platform/ui/canvas.h"
#include "platform/ui/inplace_edit.h"

namespace {

bool IsStringType(TFieldType type) {
    return type == ftString || type == ftFixedChar || type == ftWideString;
}

// The pick-list entry standing for the field's text in a key-list column; empty when none does.
std::string KeyListText(TColumnEh& column, TField& field) {
    const int index = column.KeyList()->IndexOf(field.Text());
    if (index < 0 || index >= column.PickList()->Count())
        return {};
    return (*column.PickList())[index];
}

}  // namespace

std::string TCustomDBGridEh::WithCrLfLineBreaks(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < Text.size() && Text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

TColumnEh* TCustomDBGridEh::ColumnAt(int DataCol) const {
    if (!columns_ || DataCol < 0 || DataCol >= columns_->Count())
        return nullptr;
    return dynamic_cast<TColumnEh*>(columns_->Items(DataCol));
}

TColumnEh* TCustomDBGridEh::CurrentColumnEh() const {
    return ColumnAt(SelectedColumnIndex());
}

bool TCustomDBGridEh::EditorParamsReadOnly(bool& ReadOnly) const {
    const auto* editor = dynamic_cast<const IGridCellEditorEh*>(InplaceEditor());
    return editor != nullptr && editor->CellParamsReadOnly(ReadOnly);
}

// A check box or an image changes by keys and clicks, never through the editor.
bool TCustomDBGridEh::StepsInPlace(TColumnEh& Column) {
    const TColumnCellKindEh kind = Column.CellKind();
    return kind == ckCheckboxesEh || kind == ckImageListEh;
}

bool TCustomDBGridEh::CanEditShow() {
    bool result = LayoutUpdateCount() == 0 && TCustomGrid::CanEditShow();
    TColumnEh* column = result ? CurrentColumnEh() : nullptr;
    result = column != nullptr && !StepsInPlace(*column) && !InplaceSearching();
    if (result && selection_ && selection_->Kind() != gskNoneEh &&
        extOptions_.Contains(gxoClearSelectionEh) && allowedSelections_.Contains(gskRectangleEh))
        result = false;
    if (!result && InplaceEditor() != nullptr)
        InplaceEditor()->HideWindow();
    return result;
}

bool TCustomDBGridEh::CanEditAcceptKey(char32_t Key) {
    bool paramsReadOnly = false;
    const bool fromParams = EditorParamsReadOnly(paramsReadOnly);
    TColumnEh* column = CurrentColumnEh();
    TField* field = column != nullptr ? column->Field() : nullptr;
    if (!dataLink_->Active() || field == nullptr)
        return fromParams && !paramsReadOnly;
    if (fromParams && paramsReadOnly)
        return false;
    if (column->CellKind() == ckKeyPickListEh)
        return true;
    // A field's valid characters are bytes: a character beyond them is judged by its first byte.
    const std::string bytes = Utf32ToUtf8(std::u32string(1, Key));
    return !bytes.empty() && field->IsValidChar(bytes.front());
}

bool TCustomDBGridEh::CanEditModify() {
    TColumnEh* column = CurrentColumnEh();
    if (InplaceSearching() || (column != nullptr && column->CellKind() == ckCheckboxesEh))
        return false;
    return GridBeginFieldEdit();
}

// Every rule is asked before the link goes into edit: a refused cell leaves the dataset browsing
// and the link unmarked, so a later post cannot write a cell the grid never let the user change.
bool TCustomDBGridEh::GridBeginFieldEdit() {
    bool paramsReadOnly = false;
    if (EditorParamsReadOnly(paramsReadOnly) && paramsReadOnly)
        return false;
    TColumnEh* column = CurrentColumnEh();
    if (column == nullptr || readOnly_ || !dataLink_->Active() || dataLink_->ReadOnly())
        return false;
    return ColumnCellEditable(*column, true, false);
}

bool TCustomDBGridEh::ColumnEditable(TColumnEh* Column) {
    return Column != nullptr && options_.Contains(gdoEditingEh) && Column->IsEditable(false);
}

int TCustomDBGridEh::GetEditLimit() {
    TColumnEh* column = CurrentColumnEh();
    if (column == nullptr || column->CellKind() == ckKeyPickListEh)
        return 0;
    TField* field = column->Field();
    return field != nullptr && IsStringType(field->DataType()) ? field->Size() : 0;
}

std::string TCustomDBGridEh::GetEditMask(int ACol, int /*ARow*/) {
    TColumnEh* column = ColumnAt(GridColToDataCol(ACol));
    if (!dataLink_->Active() || column == nullptr)
        return {};
    if (!column->EditMask().empty())
        return column->EditMask();
    TField* field = column->Field();
    if (field == nullptr || column->CellKind() == ckKeyPickListEh)
        return {};
    return field->EditMask;
}

std::string TCustomDBGridEh::GetEditText(int ACol, int /*ARow*/) {
    editKeyValue_ = Variant::Null();
    if (!dataLink_->Active()) {
        editText_.clear();
        return editText_;
    }
    TColumnEh* column = ColumnAt(GridColToDataCol(ACol));
    std::string text;
    if (TField* field = column != nullptr ? column->Field() : nullptr) {
        if (column->CellKind() == ckKeyPickListEh)
            text = KeyListText(*column, *field);
        else if (memoAsText_ && field->DataType() == ftMemo)
            text = WithCrLfLineBreaks(field->AsString());
        else
            text = field->Text();
        if (field->Lookup() && !field->KeyFields.empty())
            LookupEditKey(*column, *field, text);
    }
    if (column != nullptr) {
        TColCellParamsEh params;
        params.Text = text;
        params.Font = Canvas()->Font();
        column->FireGetCellParams(true, &params);
        text = params.Text;
    }
    editText_ = text;
    return editText_;
}

// The key a lookup cell's text stands for: the special row's when it shows for this value, else
// the key fields' own.
void TCustomDBGridEh::LookupEditKey(TColumnEh& Column, TField& Field, std::string& Text) {
    const Variant keys = Field.DataSet()->FieldValues(Field.KeyFields);
    TSpecRowEh* special = Column.DropDownSpecRow();
    if (special != nullptr && special->Visible() &&
        (VariantsEqual(keys, special->Value()) ||
         (special->ShowIfNotInKeyList() && !LookupKeyFound(&Field)))) {
        editKeyValue_ = special->Value();
        Text = special->CellTextAt(0);
        return;
    }
    editKeyValue_ = keys;
}

void TCustomDBGridEh::SetEditText(int /*ACol*/, int /*ARow*/, const std::string& Value) {
    editText_ = Value;
}

void TCustomDBGridEh::ShowCellEditor() {
    StopFilterEditing();
    ShowEditor();
}

void TCustomDBGridEh::RefreshEditors() {
    InvalidateEditor();
    if (FilterEditingActive())
        PlaceFilterEditor();
}

// A post refused on the way out keeps the user in the grid with the record still in edit.
void TCustomDBGridEh::DoExit() {
    // The focus going into the grid's own editor stays within the grid.
    if (InplaceEditor() != nullptr && InplaceEditor()->ControlState.Contains(csFocusing))
        return;
    if (dataLink_->Active()) {
        TDataSet* dataSet = dataLink_->DataSet();
        try {
            if (options_.Contains(gdoCancelOnExitEh) && dataSet->State() == dsInsert &&
                !dataSet->Modified() && !dataLink_->Modified())
                dataSet->Cancel();
            else
                dataLink_->UpdateRecord();
        } catch (...) {
            SetFocus();
            throw;
        }
    }
    TCustomGrid::DoExit();
}
