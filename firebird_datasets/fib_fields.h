#pragma once
// The field classes of the Firebird datasets. Each derives from the platform field of its kind and
// changes how the value lies in the dataset's record and how it becomes text and back.
//
// Values reach the fields through the platform's GetFieldData / SetFieldData as variants. What a
// dataset hands each class:
//   TFIBstringField   the text, already cut to its length; for a DB key column all its raw bytes
//   TFIBBCDField      the column's scaled 64-bit integer as varInt64 (value * 10^Size)
//   TFIBBooleanField  any number or boolean (non-zero is true); written back as a boolean
//   TFIBGuidField     the 16 raw bytes as a byte string
//   TFIBArrayField    the 8-byte array identifier as a byte string
//   the others        what their platform classes read and write
// Anything else the fields need of their dataset goes through IFIBFieldDataSet.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/bcd_fields.h"
#include "platform/db/binary_fields.h"
#include "platform/db/blob_fields.h"
#include "platform/db/boolean_field.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/published_properties.h"

// The select column behind a data field.
struct TFIBFieldColumn {
    int SqlType = 0;  // without the nullable bit
    int Scale = 0;    // 0 or negative: the column's decimal places, negated
    int SqlSubtype = 0;
    int SqlLength = 0;
    std::string SqlName;  // the column's own name, not its alias
};

// What the dataset tells its fields beyond their values. A Firebird dataset implements it beside
// TDataSet; fields of any other dataset behave as fields of no column.
class IFIBFieldDataSet {
  public:
    virtual ~IFIBFieldDataSet() = default;
    // False for a field of no column (calculated, lookup, not bound).
    virtual bool FieldColumn(const TField* field, TFIBFieldColumn& column) const = 0;
    // An array column's values in the record the state points at, as a variant array.
    virtual Variant GetArrayFieldValues(TField* field) = 0;
    virtual void SetArrayFieldValues(TField* field, const Variant& value) = 0;
    // The bytes of an array column's whole array.
    virtual int ArrayFieldSize(const TField* field) const = 0;
};

// The field's dataset as IFIBFieldDataSet; nullptr when it is of another kind.
IFIBFieldDataSet* FIBFieldDataSet(const TField& field);
// Whether the field has a select column behind it, and which.
bool FIBFieldColumn(const TField& field, TFIBFieldColumn& column);

class TFIBstringField : public TStringField {
  public:
    explicit TFIBstringField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBstringField"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // An empty text is stored as NULL.
    bool EmptyStrToNull() const { return emptyStrToNull_; }
    void SetEmptyStrToNull(bool value) { emptyStrToNull_ = value; }
    // Set by the repository when the column's default is the empty string.
    bool DefaultValueEmptyString() const { return defaultValueEmptyString_; }
    void SetDefaultValueEmptyString(bool value) { defaultValueEmptyString_ = value; }
    // The length of the value last read or set; the dataset sets it when it reads the field.
    int ValueLength() const { return valueLength_; }
    // Reading the field's value notes its length, also through a const field.
    void SetValueLength(int value) const { valueLength_ = value; }
    // On while SetAsString stores its text: the dataset takes the length from the field.
    bool IsSettingValue() const { return settingValue_; }

  protected:
    // Any size: the column decides.
    void CheckTypeSize(int /*value*/) const override {}
    Variant GetAsVariant() const override;
    std::string GetAsString() const override;
    void SetAsStringValue(const std::string& value) override;

  private:
    std::string DBKeyText() const;
    bool emptyStrToNull_;
    bool defaultValueEmptyString_ = false;
    mutable int valueLength_ = 0;
    bool settingValue_ = false;
};

// A data TFIBstringField over a "DB_KEY" or "RDB$DB_KEY" column.
bool IsDBKeyStringField(const TField* field);

class TFIBIntegerField : public TIntegerField {
  public:
    explicit TFIBIntegerField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBIntegerField"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // The value counts seconds and shows as hours and minutes.
    bool IsTimeField() const { return isTimeField_; }
    void SetIsTimeField(bool value);

  protected:
    bool GetAsBoolean() const override { return AsInteger() > 0; }
    void SetAsBooleanValue(bool value) override { SetAsIntegerValue(value ? 1 : 0); }
    void SetAsStringValue(const std::string& value) override;
    std::string DefaultText(bool displayText) const override;

  private:
    bool isTimeField_ = false;
};

class TFIBSmallIntField : public TSmallintField {
  public:
    explicit TFIBSmallIntField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBSmallIntField"; }

  protected:
    bool GetAsBoolean() const override { return AsInteger() > 0; }
    void SetAsBooleanValue(bool value) override { SetAsIntegerValue(value ? 1 : 0); }
};

class TFIBFloatField : public TFloatField {
  public:
    explicit TFIBFloatField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBFloatField"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // Values are rounded to the column's decimal places when set.
    bool RoundByScale() const { return roundByScale_; }
    void SetRoundByScale(bool value) { roundByScale_ = value; }

  protected:
    void SetAsFloatValue(double value) override;
    std::string DefaultText(bool displayText) const override;

  private:
    int ScaleForRounding() const;
    bool roundByScale_ = true;
};

// Keeps the column's scaled 64-bit integer: Size is the number of decimal places, and no value
// passes through a float unless asked for as one.
class TFIBBCDField : public TBCDField {
  public:
    explicit TFIBBCDField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBBCDField"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // The scaled integer's 8 bytes; fields of no column keep the platform's value.
    int DataSize() const override;
    bool RoundByScale() const { return roundByScale_; }
    void SetRoundByScale(bool value) { roundByScale_ = value; }
    // Rounded to an integer for Size above 0.
    virtual std::int64_t GetAsInt64() const;
    virtual void SetAsInt64(std::int64_t value);
    TBcd AsBCD() const;
    void SetAsBCD(const TBcd& value);
    // The stored scaled integer, and whether it is there (not NULL).
    bool GetRawData(std::int64_t& value) const;
    // On while the field reads its own data: the dataset hands it the raw scaled integer.
    bool IsReadingRaw() const { return readingRaw_; }
    // A TBCDField source goes through its exact text.
    void Assign(const TPersistent& source) override;

  protected:
    void CheckTypeSize(int /*value*/) const override {}
    Variant GetAsVariant() const override;
    void SetAsVariant(const Variant& value) override;
    std::string GetAsString() const override;
    void SetAsStringValue(const std::string& value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double value) override;
    std::int64_t GetAsCurrency() const override;
    void SetAsCurrencyValue(std::int64_t value) override;
    int GetAsInteger() const override { return static_cast<int>(GetAsInt64()); }
    void SetAsIntegerValue(int value) override { SetAsInt64(value); }
    std::int64_t GetAsLargeInt() const override { return GetAsInt64(); }
    void SetAsLargeIntValue(std::int64_t value) override { SetAsInt64(value); }
    std::string DefaultText(bool displayText) const override;

  private:
    std::int64_t RawValue() const;
    // Checks MinValue..MaxValue (when either is set) and stores.
    void StoreScaled(std::int64_t value);
    [[noreturn]] void RaiseConversionError(const std::exception& error) const;
    mutable bool readingRaw_ = false;
    bool roundByScale_ = true;
};

class TFIBBooleanField : public TBooleanField {
  public:
    explicit TFIBBooleanField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBBooleanField"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // The column's width; 2 for a field of no column.
    int DataSize() const override;
    // The texts of true and false.
    const std::string& StringTrue() const { return stringTrue_; }
    void SetStringTrue(const std::string& value) { stringTrue_ = value; }
    const std::string& StringFalse() const { return stringFalse_; }
    void SetStringFalse(const std::string& value) { stringFalse_ = value; }

  protected:
    Variant GetAsVariant() const override;
    bool GetAsBoolean() const override;
    int GetAsInteger() const override { return GetAsBoolean() ? 1 : 0; }
    void SetAsIntegerValue(int value) override { SetAsBooleanValue(value != 0); }
    std::string GetAsString() const override;
    std::string DefaultText(bool /*displayText*/) const override { return GetAsString(); }
    void SetAsStringValue(const std::string& value) override;

  private:
    std::string stringTrue_ = "True";
    std::string stringFalse_ = "False";
};

class TFIBBlobField : public TBlobField {
  public:
    explicit TFIBBlobField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBBlobField"; }
    // The column's blob subtype, set when the dataset opens.
    std::int16_t SubType() const { return subType_; }
    void SetSubType(std::int16_t value) { subType_ = value; }

  protected:
    Variant GetAsVariant() const override;

  private:
    std::int16_t subType_ = 0;
};

// The date and time classes add nothing: they let the dataset's formats and defaults find them.
class TFIBDateField : public TDateField {
  public:
    explicit TFIBDateField(TComponent* AOwner) : TDateField(AOwner) {}
    std::string ClassName() const override { return "TFIBDateField"; }
};

class TFIBTimeField : public TTimeField {
  public:
    explicit TFIBTimeField(TComponent* AOwner) : TTimeField(AOwner) {}
    std::string ClassName() const override { return "TFIBTimeField"; }
};

class TFIBDateTimeField : public TDateTimeField {
  public:
    explicit TFIBDateTimeField(TComponent* AOwner) : TDateTimeField(AOwner) {}
    std::string ClassName() const override { return "TFIBDateTimeField"; }
};

// How a field of a new record gets its value without the user.
enum TAutoRefreshFlag { arNone, arAutoInc, arDefault };

// A GUID kept as its 16 raw bytes.
class TFIBGuidField : public TGuidField {
  public:
    explicit TFIBGuidField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBGuidField"; }
    int DataSize() const override { return RawGuidSize; }
    // The all-zero GUID clears the field.
    void SetGuidData(const TGUID& value);
    // arAutoInc: a new record gets a new GUID.
    TAutoRefreshFlag AutoGenerateValue() const { return autoGenerateValue_; }
    void SetAutoGenerateValue(TAutoRefreshFlag value) { autoGenerateValue_ = value; }

  protected:
    void SetAsStringValue(const std::string& value) override;

  private:
    TAutoRefreshFlag autoGenerateValue_ = arNone;
};

// An array column: the record holds the array's 8-byte identifier, the values come through the
// dataset.
class TFIBArrayField : public TBytesField {
  public:
    explicit TFIBArrayField(TComponent* AOwner);
    std::string ClassName() const override { return "TFIBArrayField"; }
    // The whole array's bytes, sized to the column's array and starting with the field's data.
    void LoadBuffer();
    // Writes the buffer back as the field's data.
    void StoreBuffer();
    const std::vector<char>& ArrayBuffer() const { return arrayBuffer_; }

  protected:
    Variant GetAsVariant() const override;
    void SetAsVariant(const Variant& value) override;
    std::string GetAsString() const override;
    std::string DefaultText(bool /*displayText*/) const override { return GetAsString(); }

  private:
    std::vector<char> arrayBuffer_;
};
