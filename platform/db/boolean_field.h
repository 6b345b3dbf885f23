#pragma once
// TBooleanField: true or false, shown through DisplayValues ("True;False": the true text, a
// semicolon, the false text). Text is read back by case-insensitive prefix of either text.
#include <string>

#include "platform/db/field.h"

class TBooleanField : public TField {
  public:
    explicit TBooleanField(TComponent* AOwner);
    std::string ClassName() const override { return "TBooleanField"; }
    int DataSize() const override { return 2; }
    const std::string& DisplayValues() const { return displayValues_; }
    // Without a semicolon the whole text is the true text and the false text is empty.
    void SetDisplayValues(const std::string& value);

  protected:
    void CheckTypeSize(int value) const override { CheckNoSize(value); }
    void SetAsVariant(const Variant& value) override;
    void SetAsBooleanValue(bool value) override { SetData(Variant(value)); }
    void SetAsIntegerValue(int value) override { SetAsBooleanValue(value != 0); }
    // An empty text takes whichever of the two texts is empty, else clears; a prefix of neither raises.
    void SetAsStringValue(const std::string& value) override;
    std::string GetAsString() const override;
    int GetAsInteger() const override { return AsBoolean() ? 1 : 0; }

  private:
    std::string displayValues_ = "True;False";
    std::string trueText_ = "True";
    std::string falseText_ = "False";
};
