#pragma once
// Exact decimal fields. TBCDField keeps a Currency value (units of 1/10000) with Size digits after
// the point; TFMTBCDField keeps any decimal of Precision digits, Size of them after the point, as
// its exact text. Both check MinValue..MaxValue when either is set.
#include <cstdint>
#include <string>

#include "platform/db/numeric_fields.h"
#include "platform/rtl/bcd.h"

class TBCDField : public TNumericField {
  public:
    explicit TBCDField(TComponent* AOwner);
    std::string ClassName() const override { return "TBCDField"; }
    int DataSize() const override { return static_cast<int>(sizeof(TBcd)); }
    bool Currency = false;
    int Precision = 0;
    std::int64_t MinValue = 0;
    std::int64_t MaxValue = 0;

  protected:
    // Up to 32 digits after the point.
    void CheckTypeSize(int value) const override;
    void SetAsVariant(const Variant& value) override;
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override {
        SetAsCurrencyValue(std::int64_t{value} * CurrencyScaleUnits);
    }
    void SetAsFloatValue(double value) override;
    void SetAsCurrencyValue(std::int64_t value) override;
    void SetAsLargeIntValue(std::int64_t value) override;
    std::string GetAsString() const override;
    std::string DefaultText(bool displayText) const override;

  private:
    static constexpr std::int64_t CurrencyScaleUnits = 10000;
};

class TFMTBCDField : public TNumericField {
  public:
    explicit TFMTBCDField(TComponent* AOwner);
    std::string ClassName() const override { return "TFMTBCDField"; }
    int DataSize() const override { return static_cast<int>(sizeof(TBcd)); }
    bool Currency = false;
    int Precision = 18;
    // Decimal texts with "." as separator; empty: no bound.
    std::string MinValue;
    std::string MaxValue;
    TBcd AsBCD() const;
    void SetAsBCD(const TBcd& value);

  protected:
    // Up to 64 digits after the point.
    void CheckTypeSize(int value) const override;
    void SetAsVariant(const Variant& value) override;
    void SetAsStringValue(const std::string& value) override;
    void SetAsIntegerValue(int value) override { SetDecimal(DecimalFromInt64(value)); }
    void SetAsFloatValue(double value) override { SetDecimal(DecimalFromDouble(value)); }
    void SetAsCurrencyValue(std::int64_t value) override { SetDecimal(DecimalFromInt64(value, 4)); }
    void SetAsLargeIntValue(std::int64_t value) override { SetDecimal(DecimalFromInt64(value)); }
    double GetAsFloat() const override;
    std::string GetAsString() const override;
    std::string DefaultText(bool displayText) const override;

  private:
    // Rounds to Size places, checks the precision and the range, and stores.
    void SetDecimal(DecimalDigits value);
    DecimalDigits Decimal() const;
};

// The decimal as text with `places` digits after the separator ("0.50", "-12").
std::string DecimalText(const DecimalDigits& value, int places, char separator);
