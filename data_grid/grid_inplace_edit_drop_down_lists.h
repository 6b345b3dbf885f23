#pragma once
// Making each of the grid editor's drop-downs ready to show for the current cell.
#include <string>

#include "platform/rtl/datetime.h"
#include "platform/rtl/variant.h"

class TColumnEh;
class TDataSource;
class TField;
class TPopupCalculatorEh;
class TPopupDataGridEh;
class TPopupListboxEh;
class TPopupMonthCalendarEh;
class TWinControl;

// The lookup grid over the column's list dataset (through Source), sized by the column and standing
// on KeyValue; false when the column has no list dataset.
bool PrepareLookupDropDown(TWinControl& Editor, TPopupDataGridEh& List, TColumnEh& Column,
                           TDataSource& Source, const Variant& KeyValue);
// The date the calendar opens at: the text read as a date, today for an empty text; a text that
// reads as no date gives the field's date, or today when the field has none.
TDateTime DropDownDate(const std::string& Text, TField* Field);
void PrepareCalendarDropDown(TWinControl& Editor, TPopupMonthCalendarEh& Calendar, TColumnEh& Column);
void PrepareCalculatorDropDown(TPopupCalculatorEh& Calculator, const std::string& Text, bool FlatKeys);
// The column's pick list (cut to the key list's length when it has one), its selection and size.
void PreparePickListDropDown(TWinControl& Editor, TPopupListboxEh& List, TColumnEh& Column);
