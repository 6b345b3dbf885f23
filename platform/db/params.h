#pragma once
// TParam and TParams: the named values a statement or a provider call takes. A parameter's type
// follows the value it was last given through an As* setter, or the Variant's type when it is
// given a Value while its type is still unknown.
#include <string>

#include "platform/db/field_type.h"
#include "platform/rtl/collection.h"
#include "platform/rtl/variant.h"

enum TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

class TParam : public TCollectionItem {
  public:
    std::string ClassName() const override { return "TParam"; }
    void Assign(const TPersistent& source) override;

    std::string Name;
    TFieldType DataType = ftUnknown;
    TParamType ParamType = ptUnknown;

    const Variant& Value() const { return value_; }
    void SetValue(const Variant& value);
    bool IsNull() const { return value_.IsNull() || value_.IsEmpty(); }
    // Back to no value (Null), keeping the type.
    void Clear() { value_ = Variant::Null(); }

    std::string AsString() const { return VarToStr(value_); }
    void SetAsString(const std::string& value) { Set(ftString, Variant(value)); }
    std::int32_t AsInteger() const { return IsNull() ? 0 : value_.AsInteger(); }
    void SetAsInteger(std::int32_t value) { Set(ftInteger, Variant(value)); }
    double AsFloat() const { return IsNull() ? 0.0 : value_.AsDouble(); }
    void SetAsFloat(double value) { Set(ftFloat, Variant(value)); }
    bool AsBoolean() const { return !IsNull() && value_.AsBoolean(); }
    void SetAsBoolean(bool value) { Set(ftBoolean, Variant(value)); }
    TDateTime AsDateTime() const { return IsNull() ? 0.0 : value_.AsDateTime(); }
    void SetAsDateTime(TDateTime value) { Set(ftDateTime, Variant::FromDateTime(value)); }

  protected:
    std::string GetDisplayName() const override { return Name.empty() ? ClassName() : Name; }

  private:
    void Set(TFieldType type, Variant value) {
        DataType = type;
        value_ = std::move(value);
    }
    Variant value_ = Variant::Null();
};

class TParams : public TOwnedCollection {
  public:
    explicit TParams(TPersistent* owner = nullptr) : TOwnedCollection(owner, ItemClass<TParam>()) {}
    std::string ClassName() const override { return "TParams"; }

    TParam* Items(int index) const { return static_cast<TParam*>(TCollection::Items(index)); }
    TParam* CreateParam(TFieldType type, const std::string& name, TParamType paramType);
    // Names compare without regard to case; nullptr when absent.
    TParam* FindParam(const std::string& name) const;
    // Raises EDatabaseError "Parameter '%s' not found" when absent.
    TParam* ParamByName(const std::string& name) const;
};

// The field type a Variant's own type maps to (ftUnknown for Empty, Null and arrays).
TFieldType VarTypeToDataType(TVarType type);
