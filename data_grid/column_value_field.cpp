#include "data_grid/column_value_field.h"

#include "data_grid/column.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

TField* ColumnValueField(TColumnEh& Column) {
    TField* field = Column.ResolveField();
    if (field == nullptr || !field->Lookup())
        return field;
    if (field->KeyFields.empty() || field->DataSet() == nullptr)
        return nullptr;
    return field->DataSet()->FindField(field->KeyFields);
}
