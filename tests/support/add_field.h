#pragma once
// A persistent field of class F added to a dataset by name, as a form's stored fields are.
#include <string>

#include "platform/db/dataset.h"
#include "platform/db/field.h"

template <class F>
F* AddField(TDataSet& ds, const std::string& name, TFieldKind kind = fkData, int size = 0) {
    auto* field = new F(&ds);
    field->FieldName = name;
    field->FieldKind = kind;
    if (size != 0)
        field->SetSize(size);
    field->SetDataSet(&ds);
    return field;
}
