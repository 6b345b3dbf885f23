// What a column shows for the current record: its cell kind, display text, check-box state and
// image index, and the cell parameters made of them.
#include <string>

#include "data_controls/db_check_box.h"
#include "data_controls/spec_row.h"
#include "data_controls/variants_equal.h"
#include "data_grid/column_cell.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/string_list.h"

namespace {

int ItemCount(bool present, const TStrings* list) {
    return present ? list->Count() : 0;
}

// The item of a list, empty past its end.
std::string ItemOrEmpty(const TStrings* list, int count, int index) {
    return index >= 0 && index < count ? list->Get(index) : std::string();
}

}  // namespace

bool HoldsIndexNumber(TFieldType Type) {
    switch (Type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftFloat:
        case ftCurrency:
        case ftFMTBcd:
            return true;
        default:
            return false;
    }
}

TColumnCellKindEh TColumnEh::CellKind() {
    if (Checkboxes())
        return ckCheckboxesEh;
    TField* field = ResolveField();
    if (field != nullptr && field->Lookup())
        return ckLookupEh;
    const int keys = ItemCount(HasKeyList(), keyList_.get());
    const int picks = ItemCount(HasPickList(), pickList_.get());
    if (picks > 0 && keys == 0)
        return ckPickListEh;
    if (ImageList() != nullptr && !ShowImageAndText())
        return ckImageListEh;
    if (keys > 0 && picks > 0)
        return ckKeyPickListEh;
    return ckPlainEh;
}

std::string FormatFieldWithDisplayFormat(TField* Field, const std::string& Format) {
    if (Format.empty())
        return Field->DisplayText();
    if (Field->IsNull())
        return {};
    if (dynamic_cast<TNumericField*>(Field) != nullptr)
        return FormatFloat(Format, Field->AsFloat());
    if (dynamic_cast<TDateTimeField*>(Field) != nullptr || Field->DataType() == ftTimeStamp)
        return FormatDateTime(Format, Field->AsDateTime());
    return {};
}

bool LookupKeyFound(TField* Field) {
    TDataSet* lookup = Field->LookupDataSet();
    return lookup != nullptr && lookup->Active() && !Field->IsNull();
}

std::string TColumnEh::CellDisplayText() {
    TField* field = ResolveField();
    if (field == nullptr || CellKind() == ckImageListEh)
        return {};
    const int keys = ItemCount(HasKeyList(), keyList_.get());
    if (keys > 0) {
        const int picks = ItemCount(HasPickList(), pickList_.get());
        const int index = keyList_->IndexOf(field->Text());
        if (index >= 0 && index < picks)
            return pickList_->Get(index);
        return ItemOrEmpty(pickList_.get(), picks, NotInKeyListIndex());
    }
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid != nullptr && grid->MemoAsText() && field->DataType() == ftMemo)
        return field->AsString();
    TSpecRowEh* specRow = DropDownSpecRow();
    if (field->Lookup() && specRow->Visible() && field->DataSet() != nullptr) {
        const Variant keys = field->DataSet()->FieldValues(field->KeyFields);
        if (VariantsEqual(keys, specRow->Value()) ||
            (specRow->ShowIfNotInKeyList() && !LookupKeyFound(field)))
            return specRow->CellTextAt(0);
    }
    return FormatFieldWithDisplayFormat(field, DisplayFormat());
}

bool SemicolonListContains(const std::string& List, const std::string& Value) {
    return CheckBoxValueInList(Value, List);
}

TCheckBoxState TColumnEh::ReadCheckState() {
    TField* field = ResolveField();
    if (const auto fixed = CheckBoxStateWithoutText(field))
        return *fixed;
    const std::string text = field->Text();
    const int keys = ItemCount(HasKeyList(), keyList_.get());
    if (keys > 0 && SemicolonListContains(keyList_->Get(0), text))
        return cbChecked;
    if (keys < 2)
        return cbGrayed;
    return SemicolonListContains(keyList_->Get(1), text) ? cbUnchecked : cbGrayed;
}

void TColumnEh::WriteCheckState(TCheckBoxState State) {
    TField* field = ResolveField();
    if (field == nullptr)
        return;
    if (State == cbGrayed) {
        PutCellValue("", Variant::Null(), false);
        return;
    }
    if (field->DataType() == ftBoolean) {
        PutCellValue("", Variant(State == cbChecked), false);
        return;
    }
    const int keys = ItemCount(HasKeyList(), keyList_.get());
    const std::string list = ItemOrEmpty(keyList_.get(), keys, State == cbChecked ? 0 : 1);
    std::size_t pos = 0;
    const std::string value = ExtractFieldName(list, pos);
    PutCellValue(value, Variant(value), true);
}

int TColumnEh::ValueListIndex() {
    TField* field = ResolveField();
    if (field == nullptr)
        return -1;
    int index = -1;
    if (ItemCount(HasKeyList(), keyList_.get()) > 0)
        index = keyList_->IndexOf(field->Text());
    else if (ItemCount(HasPickList(), pickList_.get()) > 0)
        index = pickList_->IndexOf(field->Text());
    else if (HoldsIndexNumber(field->DataType()))
        index = field->AsInteger();
    return index == -1 ? NotInKeyListIndex() : index;
}

void TColumnEh::InitCellParams(TColCellParamsEh& Params) {
    Params.GridRow = -1;
    Params.GridCol = -1;
    Params.State = {};
    Params.Font = Font();
    Params.Background = Color();
    Params.Alignment = Alignment();
    Params.ImageIndex = ValueListIndex();
    Params.Text = CellDisplayText();
    Params.BoxState = ReadCheckState();
    Params.ReadOnly = ReadOnly();
}

std::string VariantListText(const Variant& Value) {
    if (!VarIsArray(Value))
        return VarToStr(Value);
    std::string text;
    for (int i = VarArrayLowBound(Value, 1); i <= VarArrayHighBound(Value, 1); ++i)
        text += "'" + VarToStr(Value.GetElement({i})) + "',";
    if (!text.empty())
        text.pop_back();
    return text;
}
