#pragma once
// The rules behind a column's cells that stand apart from any one column: the in-place editor's
// style, field texts through a display format, the ';'-lists of check-box values, the datasets a
// column's drop-down lists from, and the text form of a value list.
#include <string>

#include "data_controls/edit_button_style.h"
#include "data_grid/column.h"
#include "platform/db/field_type.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TField;

TInplaceEditStyleEh ColumnEditStyle(TColumnEh& Column);
// The face of the main button of an edit style: the ellipsis, the up-down arrows or the drop-down arrow.
TEditButtonStyleEh MainButtonStyle(TInplaceEditStyleEh Style);
// A field of this type holds, as a number, the index of the item or image its cell shows.
bool HoldsIndexNumber(TFieldType Type);
// Empty Format: the field's DisplayText. Numbers and date-times through Format; others show nothing.
std::string FormatFieldWithDisplayFormat(TField* Field, const std::string& Format);
// The lookup dataset is open and the lookup field has a value.
bool LookupKeyFound(TField* Field);
// One of the ';'-separated items of List equals Value, case-insensitively.
bool SemicolonListContains(const std::string& List, const std::string& Value);
// The drop-down box's list dataset when it has one, else the field's lookup dataset.
TDataSet* ColumnListDataSet(TColumnEh& Column);
TDataSet* ColumnLookupDataSet(TColumnEh& Column);
// A plain value's text; an array's elements as 'a','b' along its first dimension.
std::string VariantListText(const Variant& Value);
