#pragma once
// Blob fields: values of any length kept outside the record buffer, read and written as byte
// strings or through the dataset's blob streams. Their text is "(BLOB)", "(MEMO)", "(GRAPHIC)"
// ("(Blob)" ... when empty); AsString is the content.
#include <cstdint>
#include <string>

#include "platform/db/field.h"

class TStream;

class TBlobField : public TField {
  public:
    explicit TBlobField(TComponent* AOwner);
    std::string ClassName() const override { return "TBlobField"; }
    bool IsBlob() const override { return true; }
    // The kind of content: ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftTypedBinary ...
    TFieldType BlobType() const { return DataType(); }
    void SetBlobType(TFieldType value) { SetDataType(value); }
    // Set by every write through the field or its streams; the dataset clears it.
    bool Modified = false;
    std::int64_t BlobSize() const { return static_cast<std::int64_t>(AsString().size()); }
    // The whole stream from its beginning becomes the value, through the dataset's blob stream.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

  protected:
    TBlobField(TComponent* AOwner, TFieldType type);
    // Any size: a blob's size is only the part a record buffer would show.
    void CheckTypeSize(int /*value*/) const override {}
    void SetAsVariant(const Variant& value) override;
    void SetAsStringValue(const std::string& value) override;
    std::string DefaultText(bool /*displayText*/) const override { return FieldClassDescription(*this); }
};

class TMemoField : public TBlobField {
  public:
    explicit TMemoField(TComponent* AOwner);
    std::string ClassName() const override { return "TMemoField"; }
};

class TGraphicField : public TBlobField {
  public:
    explicit TGraphicField(TComponent* AOwner);
    std::string ClassName() const override { return "TGraphicField"; }
};
