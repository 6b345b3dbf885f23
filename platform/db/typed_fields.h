#pragma once
// The typed fields: TStringField keeps text of at most Size bytes, TIntegerField a 32-bit integer
// within an optional range.
#include <string>

#include "platform/db/field.h"

class TStringField : public TField {
  public:
    explicit TStringField(TComponent* AOwner);
    std::string ClassName() const override { return "TStringField"; }

  protected:
    void SetAsVariant(const Variant& value) override;
    // Longer text is cut to Size.
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override { SetAsStringValue(IntText(value)); }

  private:
    static std::string IntText(int value);
};

class TIntegerField : public TField {
  public:
    explicit TIntegerField(TComponent* AOwner);
    std::string ClassName() const override { return "TIntegerField"; }

    // Both 0: any value is allowed.
    int MinValue = 0;
    int MaxValue = 0;

  protected:
    void SetAsVariant(const Variant& value) override;
    // Empty text clears; text that is not an integer raises.
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override;
    void SetAsFloatValue(double value) override;

  private:
    void CheckRange(int value) const;
};
