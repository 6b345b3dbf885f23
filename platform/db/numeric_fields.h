#pragma once
// Number fields. All sit right-justified and take DisplayFormat (shown text) and EditFormat (edited
// text, DisplayFormat when empty) in FormatFloat's notation. Integer fields keep an integer within
// their type's range and an optional MinValue..MaxValue range (both 0: none); TFloatField a double,
// shown as money with Currency.
#include <cstdint>
#include <string>

#include "platform/db/field.h"

class TNumericField : public TField {
  public:
    explicit TNumericField(TComponent* AOwner);
    std::string ClassName() const override { return "TNumericField"; }
    std::string DisplayFormat;
    std::string EditFormat;

  protected:
    // The format the text takes: DisplayFormat when showing or without an EditFormat.
    const std::string& TextFormat(bool displayText) const;
    void CheckTypeSize(int value) const override { CheckNoSize(value); }
    void SetValidChars(const std::string& chars);
    // The integer fields' common setters: a blank clears, text is parsed (empty clears, other text
    // that is no integer raises), anything else goes through SetAsLargeIntValue.
    void SetIntegerVariant(const Variant& value);
    void SetIntegerText(const std::string& value);
};

class TIntegerField : public TNumericField {
  public:
    explicit TIntegerField(TComponent* AOwner);
    std::string ClassName() const override { return "TIntegerField"; }
    int DataSize() const override { return 4; }
    int MinValue = 0;
    int MaxValue = 0;

  protected:
    TIntegerField(TComponent* AOwner, TFieldType type, int minRange, int maxRange);
    void SetAsVariant(const Variant& value) override;
    // Empty text clears; text that is not an integer raises.
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override;
    void SetAsFloatValue(double value) override;
    void SetAsLargeIntValue(std::int64_t value) override;
    std::string DefaultText(bool displayText) const override;

  private:
    void CheckRange(std::int64_t value) const;
    int minRange_;
    int maxRange_;
};

class TSmallintField : public TIntegerField {
  public:
    explicit TSmallintField(TComponent* AOwner);
    std::string ClassName() const override { return "TSmallintField"; }
    int DataSize() const override { return 2; }
};

class TWordField : public TIntegerField {
  public:
    explicit TWordField(TComponent* AOwner);
    std::string ClassName() const override { return "TWordField"; }
    int DataSize() const override { return 2; }
};

class TAutoIncField : public TIntegerField {
  public:
    explicit TAutoIncField(TComponent* AOwner);
    std::string ClassName() const override { return "TAutoIncField"; }
};

class TLargeintField : public TNumericField {
  public:
    explicit TLargeintField(TComponent* AOwner);
    std::string ClassName() const override { return "TLargeintField"; }
    int DataSize() const override { return 8; }
    std::int64_t MinValue = 0;
    std::int64_t MaxValue = 0;

  protected:
    void SetAsVariant(const Variant& value) override;
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override { SetAsLargeIntValue(value); }
    void SetAsFloatValue(double value) override;
    void SetAsLargeIntValue(std::int64_t value) override;
    std::string DefaultText(bool displayText) const override;
};

class TFloatField : public TNumericField {
  public:
    explicit TFloatField(TComponent* AOwner);
    std::string ClassName() const override { return "TFloatField"; }
    int DataSize() const override { return 8; }
    bool Currency = false;
    // Significant digits of the plain text.
    int Precision = 15;
    double MinValue = 0;
    double MaxValue = 0;

  protected:
    void SetAsVariant(const Variant& value) override;
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override { SetAsFloatValue(value); }
    void SetAsFloatValue(double value) override;
    void SetAsCurrencyValue(std::int64_t value) override;
    void SetAsLargeIntValue(std::int64_t value) override { SetAsFloatValue(static_cast<double>(value)); }
    std::string DefaultText(bool displayText) const override;
};

class TCurrencyField : public TFloatField {
  public:
    explicit TCurrencyField(TComponent* AOwner);
    std::string ClassName() const override { return "TCurrencyField"; }
};

// Money text: thousands grouped and two decimals when shown, two plain decimals when edited.
std::string CurrencyText(double value, bool displayText);
