#include "platform/db/field_defs.h"

#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"

void TFieldDef::Assign(const TPersistent& source) {
    const auto* def = dynamic_cast<const TFieldDef*>(&source);
    if (def == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    Name = def->Name;
    DataType = def->DataType;
    Size = def->Size;
    Precision = def->Precision;
    Required = def->Required;
}

TFieldDefs::TFieldDefs(TDataSet* dataSet)
    : TOwnedCollection(dataSet, ItemClass<TFieldDef>()), dataSet_(dataSet) {}

TFieldDef* TFieldDefs::AddFieldDef(const std::string& name, TFieldType type, int size, bool required) {
    auto* def = static_cast<TFieldDef*>(Add());
    def->Name = name;
    def->DataType = type;
    def->Size = size;
    def->Required = required;
    def->fieldNo_ = Count();
    return def;
}

int TFieldDefs::IndexOf(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(Items(i)->Name, name))
            return i;
    }
    return -1;
}

TFieldDef* TFieldDefs::FindDef(const std::string& name) const {
    int index = IndexOf(name);
    return index < 0 ? nullptr : Items(index);
}

TFieldDef* TFieldDefs::Find(const std::string& name) const {
    TFieldDef* def = FindDef(name);
    if (def == nullptr)
        DatabaseError("Field '" + name + "' not found", dataSet_);
    return def;
}

void TFieldDefs::Update() {
    if (!updated_)
        dataSet_->InitFieldDefs();
}

void TFieldDefs::Update(TCollectionItem* /*item*/) {
    // A definition added, removed or moved renumbers the rest.
    for (int i = 0; i < Count(); ++i) Items(i)->fieldNo_ = i + 1;
}
