#pragma once
// The field that holds a column's value as data, for the exchange formats and for clearing cells.
class TColumnEh;
class TField;

// The column's own field; for a lookup field, the dataset field its key fields name (nullptr when
// they name none or the field has no dataset).
TField* ColumnValueField(TColumnEh& Column);
