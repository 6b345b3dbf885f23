#pragma once
// Byte fields: TBytesField keeps exactly Size bytes (shorter values are padded with zeros),
// TVarBytesField up to Size bytes. Their values read as byte strings; their text is "(BYTES)".
#include <string>

#include "platform/db/field.h"

class TBinaryField : public TField {
  public:
    std::string ClassName() const override { return "TBinaryField"; }

  protected:
    TBinaryField(TComponent* AOwner, TFieldType type);
    // At least one byte.
    void CheckTypeSize(int value) const override;
    void SetAsVariant(const Variant& value) override;
    void SetAsStringValue(const std::string& value) override;
    std::string DefaultText(bool /*displayText*/) const override { return FieldClassDescription(*this); }
};

class TBytesField : public TBinaryField {
  public:
    explicit TBytesField(TComponent* AOwner);
    std::string ClassName() const override { return "TBytesField"; }
    int DataSize() const override { return Size(); }
};

class TVarBytesField : public TBinaryField {
  public:
    explicit TVarBytesField(TComponent* AOwner);
    std::string ClassName() const override { return "TVarBytesField"; }
    // The length as two bytes, then the bytes.
    int DataSize() const override { return Size() + 2; }
};
