#include "platform/db/fields.h"

#include <algorithm>

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/strings.h"

int TFields::IndexOf(const TField* field) const {
    auto it = std::find(fields_.begin(), fields_.end(), field);
    return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

void TFields::Add(TField* field) {
    if (IndexOf(field) < 0)
        fields_.push_back(field);
}

void TFields::Remove(TField* field) {
    std::erase(fields_, field);
}

void TFields::SetFieldIndex(TField* field, int index) {
    const int current = IndexOf(field);
    if (current < 0)
        return;
    index = std::clamp(index, 0, Count() - 1);
    fields_.erase(fields_.begin() + current);
    fields_.insert(fields_.begin() + index, field);
}

TField* TFields::FindField(const std::string& name) const {
    for (TField* field : fields_) {
        if (SameText(field->FieldName, name))
            return field;
    }
    return nullptr;
}

TField* TFields::FieldByName(const std::string& name) const {
    TField* field = FindField(name);
    if (field == nullptr)
        DatabaseError("Field '" + name + "' not found", dataSet_);
    return field;
}
