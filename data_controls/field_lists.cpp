#include "data_controls/field_lists.h"

#include "data_controls/variants_equal.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/rtl/format.h"

void ListFieldsByNames(TFieldsArrEh* List, const TDataSet* DataSet, const TComponent* Component,
                       const std::string& Names) {
    std::size_t pos = 0;
    while (pos < Names.size()) {
        std::string name = ExtractFieldName(Names, pos);
        TField* field = DataSet->FindField(name);
        if (field == nullptr)
            DatabaseError(Format("Field '%s' not found", {name}), Component);
        if (List != nullptr)
            List->push_back(field);
    }
}

void FieldsArrayByNames(const TDataSet* DataSet, const TComponent* Component, const std::string& Names,
                        TFieldsArrEh& Fields) {
    TFieldsArrEh found;
    ListFieldsByNames(&found, DataSet, Component, Names);
    Fields = std::move(found);
}

void AssignFieldsFromVariant(TDataSet* DataSet, const std::string& Names, const Variant& Value) {
    if (!VariantsEqual(Value, Variant::Null())) {
        DataSet->SetFieldValues(Names, Value);
        return;
    }
    for (TField* field : DataSet->GetFieldList(Names)) field->Clear();
}
