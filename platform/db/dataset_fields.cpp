// Making and binding fields, the calculated-field area, lookup values and field values by name.
#include <cstring>

#include "platform/db/dataset.h"
#include "platform/db/field_buffer.h"
#include "platform/db/field_list.h"
#include "platform/db/typed_fields.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/value_scope.h"

TFieldClass TDataSet::GetFieldClass(TFieldType type) const {
    switch (type) {
        case ftString:
        case ftFixedChar:
            return FieldClassOf<TStringField>("TStringField");
        case ftWideString:
            return FieldClassOf<TWideStringField>("TWideStringField");
        case ftSmallint:
            return FieldClassOf<TSmallintField>("TSmallintField");
        case ftInteger:
            return FieldClassOf<TIntegerField>("TIntegerField");
        case ftWord:
            return FieldClassOf<TWordField>("TWordField");
        case ftAutoInc:
            return FieldClassOf<TAutoIncField>("TAutoIncField");
        case ftLargeint:
            return FieldClassOf<TLargeintField>("TLargeintField");
        case ftBoolean:
            return FieldClassOf<TBooleanField>("TBooleanField");
        case ftFloat:
            return FieldClassOf<TFloatField>("TFloatField");
        case ftCurrency:
            return FieldClassOf<TCurrencyField>("TCurrencyField");
        case ftBCD:
            return FieldClassOf<TBCDField>("TBCDField");
        case ftFMTBcd:
            return FieldClassOf<TFMTBCDField>("TFMTBCDField");
        case ftDate:
            return FieldClassOf<TDateField>("TDateField");
        case ftTime:
            return FieldClassOf<TTimeField>("TTimeField");
        case ftDateTime:
            return FieldClassOf<TDateTimeField>("TDateTimeField");
        case ftBytes:
            return FieldClassOf<TBytesField>("TBytesField");
        case ftVarBytes:
            return FieldClassOf<TVarBytesField>("TVarBytesField");
        case ftBlob:
        case ftFmtMemo:
        case ftParadoxOle:
        case ftDBaseOle:
        case ftTypedBinary:
            return FieldClassOf<TBlobField>("TBlobField");
        case ftMemo:
            return FieldClassOf<TMemoField>("TMemoField");
        case ftGraphic:
            return FieldClassOf<TGraphicField>("TGraphicField");
        case ftGuid:
            return FieldClassOf<TGuidField>("TGuidField");
        case ftVariant:
            return FieldClassOf<TField>("TField");
        default:
            return {};
    }
}

TField* TDataSet::MakeField(TFieldType type, const std::string& name) {
    const TFieldClass fieldClass = GetFieldClass(type);
    if (!fieldClass)
        DatabaseError("Field '" + name + "' is of an unknown type", this);
    return fieldClass.Create(this);
}

void TDataSet::CreateFields() {
    if (fields_.Count() > 0)
        return;
    for (int i = 0; i < fieldDefs_.Count(); ++i) {
        const TFieldDef* def = fieldDefs_.Items(i);
        TField* field = MakeField(def->DataType, def->Name);
        field->FieldName = def->Name;
        field->SetDataType(def->DataType);
        // A text column of size 0 keeps texts of any length; other classes keep their own size then.
        const bool text = dynamic_cast<TStringField*>(field) != nullptr && def->DataType != ftGuid;
        if (def->Size != 0 || text)
            field->SetSize(def->Size);
        field->SetFieldNo(def->FieldNo());
        field->Required = def->Required;
        field->SetDataSet(this);
    }
    defaultFields_ = true;
}

void TDataSet::DestroyFields() {
    if (!defaultFields_)
        return;
    while (fields_.Count() > 0) delete fields_.Fields(fields_.Count() - 1);
    defaultFields_ = false;
}

namespace {

// Types that hold the same kind of value: a field of one may read a column of another.
TFieldType BaseFieldType(TFieldType type) {
    switch (type) {
        case ftSmallint:
        case ftWord:
        case ftAutoInc:
            return ftInteger;
        case ftCurrency:
            return ftFloat;
        case ftDate:
        case ftTime:
            return ftDateTime;
        case ftFixedChar:
            return ftString;
        case ftMemo:
        case ftGraphic:
        case ftFmtMemo:
        case ftParadoxOle:
        case ftDBaseOle:
        case ftTypedBinary:
            return ftBlob;
        default:
            return type;
    }
}

}  // namespace

void TDataSet::CheckFieldCompatibility(const TField* field, const TFieldDef* def) const {
    // A plain field made by hand has no type of its own and reads whatever the column holds.
    if (field->DataType() != ftUnknown && BaseFieldType(field->DataType()) != BaseFieldType(def->DataType))
        DatabaseError("Type mismatch for field '" + field->DisplayName() + "', expecting: " +
                          FieldTypeName(field->DataType()) + " actual: " + FieldTypeName(def->DataType),
                      this);
}

void TDataSet::BindFields(bool binding) {
    calcFieldsSize_ = 0;
    for (int i = 0; i < fields_.Count(); ++i) {
        TField* field = fields_.Fields(i);
        if (!binding) {
            field->SetOffset(-1);
            continue;
        }
        if (field->FieldKind == fkData) {
            const TFieldDef* def = fieldDefs_.FindDef(field->FieldName);
            if (def == nullptr)
                DatabaseError("Field '" + field->DisplayName() + "' not found", this);
            CheckFieldCompatibility(field, def);
            field->SetFieldNo(def->FieldNo());
            continue;
        }
        if (field->Lookup() && (field->LookupDataSet() == nullptr || field->KeyFields.empty() ||
                                field->LookupKeyFields.empty() || field->LookupResultField.empty()))
            DatabaseError("Lookup information for field '" + field->DisplayName() + "' is incomplete", this);
        field->SetFieldNo(0);
        field->SetOffset(calcFieldsSize_);
        calcFieldsSize_ += field->DataSize() + 1;
    }
}

bool TDataSet::GetCalcFieldData(const std::byte* area, const TField* field, Variant& value) const {
    const int offset = field->Offset();
    if (area == nullptr || offset < 0 || area[offset] == std::byte{0}) {
        value = Variant::Null();
        return false;
    }
    value = ReadFieldBytes(*field, area + offset + 1);
    return !value.IsNull();
}

void TDataSet::SetCalcFieldData(std::byte* area, const TField* field, const Variant& value) const {
    const int offset = field->Offset();
    if (area == nullptr || offset < 0)
        return;
    const bool present = !value.IsNull() && !value.IsEmpty();
    std::memset(area + offset, 0, static_cast<std::size_t>(field->DataSize() + 1));
    area[offset] = present ? std::byte{1} : std::byte{0};
    if (present)
        WriteFieldBytes(*field, value, area + offset + 1);
}

void TDataSet::GetCalcFields(TRecordBuffer buffer) {
    if (calcFieldsSize_ == 0 && !OnCalcFields)
        return;
    TValueScope calculating(calcBuffer_, buffer);
    const TDataSetState old = SetTempState(dsCalcFields);
    TScopeExit restore([this, old] { RestoreState(old); });
    CalculateFields(buffer);
}

void TDataSet::CalculateFields(TRecordBuffer buffer) {
    ClearCalcFields(buffer);
    for (int i = 0; i < fields_.Count(); ++i) {
        TField* field = fields_.Fields(i);
        if (field->Lookup())
            CalcLookupValue(field);
    }
    DoOnCalcFields();
}

void TDataSet::CalcLookupValue(TField* field) {
    TDataSet* source = field->LookupDataSet();
    if (source == nullptr || !source->Active())
        return;
    const Variant keys = FieldValues(field->KeyFields);
    if (keys.IsNull())
        return;
    field->SetValue(source->Lookup(field->LookupKeyFields, keys, field->LookupResultField));
}

std::vector<TField*> TDataSet::GetFieldList(const std::string& names) const {
    std::vector<TField*> list;
    for (const std::string& name : SplitFieldNames(names)) list.push_back(FieldByName(name));
    return list;
}

Variant TDataSet::FieldValues(const std::string& names) const {
    const std::vector<TField*> list = GetFieldList(names);
    if (list.size() == 1)
        return list.front()->Value();
    Variant values = VarArrayCreate({0, static_cast<int>(list.size()) - 1}, varVariant);
    for (std::size_t i = 0; i < list.size(); ++i) values.PutElement({static_cast<int>(i)}, list[i]->Value());
    return values;
}

void TDataSet::SetFieldValues(const std::string& names, const Variant& value) {
    const std::vector<TField*> list = GetFieldList(names);
    if (list.size() == 1 && !value.IsArray()) {
        list.front()->SetValue(value);
        return;
    }
    for (std::size_t i = 0; i < list.size(); ++i) list[i]->SetValue(value[static_cast<int>(i)]);
}

std::unique_ptr<TStream> TDataSet::CreateBlobStream(TField* field, TBlobStreamMode mode) {
    return std::make_unique<TFieldBlobStream>(field, mode);
}
