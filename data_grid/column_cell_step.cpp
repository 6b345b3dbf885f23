// Stepping a cell to its next or previous value: check boxes, key and pick lists, lookup lists and
// numbers. Decimal fields step in exact arithmetic, so no digit passes through a double.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "data_grid/column_cell.h"
#include "data_grid/column_cell_rules.h"
#include "data_grid/db_grid.h"
#include "platform/db/bcd_fields.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/string_list.h"

namespace {

constexpr int CurrencyPlaces = 4;

// The list index after a step from index (-1: not in the list); next only for a Delta of exactly 1.
int SteppedIndex(int index, int count, bool next) {
    if (next)
        return index < 0 || index >= count - 1 ? 0 : index + 1;
    return index <= 0 ? count - 1 : index - 1;
}

bool IsStepType(TFieldType type) {
    switch (type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftFMTBcd:
            return true;
        default:
            return false;
    }
}

bool IsDecimalType(TFieldType type) {
    return type == ftCurrency || type == ftBCD || type == ftFMTBcd;
}

// Digits after the point a decimal needs to be held exactly.
int PlacesOf(const DecimalDigits& value) {
    return std::max(static_cast<int>(value.digits.size()) - value.exponent, 0);
}

// A decimal text and a step added at Places digits after the point; false when the sum leaves
// 64 bits.
bool AddScaled(const std::string& text, const DecimalDigits& step, int places, std::int64_t& sum) {
    DecimalDigits value;
    std::int64_t units = 0;
    std::int64_t stepUnits = 0;
    return TryParseDecimal(text, NumberFormat().DecimalSeparator, value) &&
           DecimalToScaledInt64(value, places, units) && DecimalToScaledInt64(step, places, stepUnits) &&
           !__builtin_add_overflow(units, stepUnits, &sum);
}

// A decimal field's value plus Delta at the field's own scale (or the step's, when finer): a
// Currency at four places, else the exact text.
Variant SteppedDecimal(const TField* field, double delta) {
    const DecimalDigits step = DecimalFromDouble(delta);
    const int scale = field->DataType() == ftCurrency ? CurrencyPlaces : field->Size();
    const int places = std::max(scale, PlacesOf(step));
    std::int64_t sum = 0;
    if (!AddScaled(field->AsString(), step, places, sum))
        return Variant(field->AsFloat() + delta);
    if (places == CurrencyPlaces)
        return Variant::FromCurrency(sum);
    return Variant(DecimalText(DecimalFromInt64(sum, places), places, NumberFormat().DecimalSeparator));
}

// The field's value plus Delta; a Null field counts as -Delta, so it steps to zero.
Variant SteppedNumber(const TField* field, double delta) {
    const TFieldType type = field->DataType();
    if (field->IsNull()) {
        if (IsDecimalType(type))
            return Variant::FromCurrency(0);
        return type == ftFloat ? Variant(0.0) : Variant(0);
    }
    if (IsDecimalType(type))
        return SteppedDecimal(field, delta);
    if (type != ftFloat && delta == std::trunc(delta))
        return Variant(static_cast<long long>(field->AsLargeInt() + static_cast<std::int64_t>(delta)));
    return Variant(field->AsFloat() + delta);
}

}  // namespace

void TColumnEh::StepValue(double Delta) {
    if (!ColumnCellEditable(*this, true, true))
        return;
    TField* field = ResolveField();
    TCustomDBGridEh* grid = OwnerGrid();
    const std::string text = grid != nullptr && grid->EditorShown() ? grid->EditorText() : field->Text();
    const bool next = Delta == 1;
    switch (CellKind()) {
        case ckCheckboxesEh:
            WriteCheckState(ReadCheckState() == cbChecked ? cbUnchecked : cbChecked);
            return;
        case ckKeyPickListEh:
        case ckImageListEh: {
            const int count = HasKeyList() ? keyList_->Count() : 0;
            if (count == 0)
                return;
            const int index = SteppedIndex(keyList_->IndexOf(field->Text()), count, next);
            PutCellValue(text, Variant(keyList_->Get(index)), false);
            return;
        }
        case ckPickListEh: {
            // The wrap-arounds store like any other step, so OnUpdateData hears them too.
            const int count = pickList_->Count();
            const std::string item =
                pickList_->Get(SteppedIndex(pickList_->IndexOf(field->Text()), count, next));
            PutCellValue(item, Variant(item), true);
            return;
        }
        case ckLookupEh:
            StepLookupValue(text, next);
            return;
        case ckPlainEh:
            break;
    }
    if (!IsStepType(field->DataType()))
        return;
    try {
        PutCellValue(text, SteppedNumber(field, Delta), false);
    } catch (const EDatabaseError&) {
        // A value the field cannot take (out of its range) leaves the field as it was.
    }
}

void TColumnEh::StepLookupValue(const std::string& Text, bool Next) {
    TDataSet* list = ColumnListDataSet(*this);
    TField* field = ResolveField();
    TDataSet* dataSet = field->DataSet();
    if (list == nullptr || dataSet == nullptr)
        return;
    std::size_t pos = 0;
    const TField* firstKey = dataSet->FindField(ExtractFieldName(field->KeyFields, pos));
    if (firstKey == nullptr || firstKey->IsNull()) {
        list->First();
    } else if (!list->Locate(field->LookupKeyFields, dataSet->FieldValues(field->KeyFields), {})) {
        list->First();
    } else if (Next) {
        if (!list->Eof())
            list->Next();
        if (list->Eof())
            list->First();
    } else {
        if (!list->Bof())
            list->Prior();
        if (list->Bof())
            list->Last();
    }
    PutCellValue(Text, list->FieldValues(field->LookupKeyFields), false);
    // Datasets that work out lookup values from the new keys themselves keep the field read-only.
    const TField* result = list->FindField(field->LookupResultField);
    if (result != nullptr && field->CanModify())
        field->SetText(result->Text());
}
