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

// A lookup field of class F: its KeyFields looked up as LookupKeyFields in `lookup`, showing
// ResultField.
template <class F>
F* AddLookupField(TDataSet& ds, const std::string& name, int size, TDataSet& lookup,
                  const std::string& keyFields, const std::string& lookupKeyFields,
                  const std::string& resultField) {
    F* field = AddField<F>(ds, name, fkLookup, size);
    field->SetLookupDataSet(&lookup);
    field->KeyFields = keyFields;
    field->LookupKeyFields = lookupKeyFields;
    field->LookupResultField = resultField;
    return field;
}
