#pragma once
// Date and time fields. TDateTimeField keeps a TDateTime; TDateField only its date part and
// TTimeField only its time of day. DisplayFormat (FormatDateTime's notation) shapes the shown text;
// without it a date shows the short date, a time the long time and a date-time both. A user types
// what is shown: the edit text is the shown text whenever that holds the whole value, and a text
// reads in the shown layout first, then in the locale's.
#include <string>
#include <string_view>

#include "platform/db/field.h"

class TDateTimeField : public TField {
  public:
    explicit TDateTimeField(TComponent* AOwner);
    std::string ClassName() const override { return "TDateTimeField"; }
    int DataSize() const override { return 8; }
    std::string DisplayFormat;
    // Reads a text as this field's kind of value; false when it is none.
    bool TryReadText(std::string_view text, TDateTime& value) const;

  protected:
    TDateTimeField(TComponent* AOwner, TFieldType type);
    void CheckTypeSize(int value) const override { CheckNoSize(value); }
    void SetAsVariant(const Variant& value) override;
    // Empty text clears; other text is read as the field's kind of value.
    void SetAsStringValue(const std::string& value) override;
    void SetAsDateTimeValue(TDateTime value) override;
    void SetAsFloatValue(double value) override { SetAsDateTimeValue(value); }
    std::string GetAsString() const override { return LocaleText(); }
    double GetAsFloat() const override { return AsDateTime(); }
    std::string DefaultText(bool displayText) const override;

  private:
    std::string LocaleText() const;
    bool TryReadByLocale(std::string_view text, TDateTime& value) const;
    TDateTime StoredForm(TDateTime value) const;
};

class TDateField : public TDateTimeField {
  public:
    explicit TDateField(TComponent* AOwner);
    std::string ClassName() const override { return "TDateField"; }
    int DataSize() const override { return 4; }
};

class TTimeField : public TDateTimeField {
  public:
    explicit TTimeField(TComponent* AOwner);
    std::string ClassName() const override { return "TTimeField"; }
    int DataSize() const override { return 4; }
};
