#pragma once
// Text fields: TStringField keeps text of at most Size bytes; TWideStringField is the same over
// wide columns; TGuidField keeps a GUID, as its 38-character brace text or, with Size 16, as the
// 16 raw bytes.
#include <string>

#include "platform/db/field.h"
#include "platform/os/guid.h"

class TStringField : public TField {
  public:
    explicit TStringField(TComponent* AOwner);
    std::string ClassName() const override { return "TStringField"; }
    // The text and its terminating NUL.
    int DataSize() const override { return Size() + 1; }

  protected:
    void CheckTypeSize(int value) const override;
    void SetAsVariant(const Variant& value) override;
    // Longer text is cut to Size.
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override;
    void SetAsFloatValue(double value) override;
};

class TWideStringField : public TStringField {
  public:
    explicit TWideStringField(TComponent* AOwner);
    std::string ClassName() const override { return "TWideStringField"; }
};

class TGuidField : public TStringField {
  public:
    explicit TGuidField(TComponent* AOwner);
    std::string ClassName() const override { return "TGuidField"; }
    int DataSize() const override { return Size() == RawGuidSize ? RawGuidSize : Size() + 1; }
    TGUID AsGuid() const;
    void SetAsGuid(const TGUID& value);

    static constexpr int RawGuidSize = 16;
    static constexpr int GuidTextSize = 38;

  protected:
    // Only 16 (raw) and 38 (text) are sizes of a GUID.
    void CheckTypeSize(int value) const override;
    std::string GetAsString() const override;
    // Empty text clears; other text must be a brace GUID.
    void SetAsStringValue(const std::string& value) override;
};

// The GUID's 16 bytes as they lie in memory (first three groups little-endian), and back.
std::string GuidToBytes(const TGUID& value);
TGUID GuidFromBytes(const std::string& bytes);
