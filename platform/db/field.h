#pragma once
// TField: one column of a dataset's current record. Values go through the dataset's
// GetFieldData/SetFieldData, so a field reads whatever record the dataset's state points at.
// The base field keeps its value as a Variant; typed fields override the As* conversions.
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/db/field_type.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TField;

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, std::string& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const std::string& Text)>;
// The characters a control may let the user type into a field.
using TFieldChars = std::bitset<256>;

class TField : public TComponent {
  public:
    explicit TField(TComponent* AOwner);
    // Leaves its dataset's field list.
    ~TField() override;
    std::string ClassName() const override { return "TField"; }

    std::string FieldName;
    TFieldType DataType() const { return dataType_; }
    int Size() const { return size_; }
    // Checks the size for the field's type ("Invalid field size") before taking it.
    void SetSize(int value);
    // The bytes the value takes in a record buffer (0 for values kept elsewhere, as blobs are).
    virtual int DataSize() const { return 0; }
    virtual bool IsBlob() const { return false; }
    // The 1-based number of the column in the record; 0 for a field of no column.
    int FieldNo() const { return fieldNo_; }
    void SetFieldNo(int value) { fieldNo_ = value; }
    TFieldKind FieldKind = fkData;
    bool Calculated() const { return FieldKind == fkCalculated; }
    bool Lookup() const { return FieldKind == fkLookup; }
    // Where the field's presence byte and data start in the dataset's calculated-field area; set by
    // the dataset when it opens, -1 for a field that has no place there.
    int Offset() const { return offset_; }
    void SetOffset(int value) { offset_ = value; }

    // A lookup field shows LookupResultField of the LookupDataSet record whose LookupKeyFields
    // equal this dataset's KeyFields (names separated by ';').
    TDataSet* LookupDataSet() const { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet* value);
    std::string KeyFields;
    std::string LookupKeyFields;
    std::string LookupResultField;

    TDataSet* DataSet() const { return dataSet_; }
    // Moves the field into the dataset's field list (out of the previous one).
    void SetDataSet(TDataSet* value);
    // The position in the dataset's fields; -1 without a dataset.
    int Index() const;
    // Moves the field to that position among its dataset's fields.
    void SetIndex(int value);

    bool Visible = true;
    bool ReadOnly = false;
    bool Required = false;
    std::string DisplayLabel;
    // The label, or the field name when there is none.
    const std::string& DisplayName() const { return DisplayLabel.empty() ? FieldName : DisplayLabel; }
    int DisplayWidth() const;
    void SetDisplayWidth(int value) { displayWidth_ = value; }
    TAlignment Alignment = taLeftJustify;
    std::string EditMask;
    TFieldChars ValidChars = TFieldChars().set();
    bool IsValidChar(char c) const { return ValidChars.test(static_cast<unsigned char>(c)); }

    bool IsNull() const;
    Variant Value() const { return GetAsVariant(); }
    // The value the record had before this edit began (Null for a new record), and the edited one.
    Variant OldValue() const;
    Variant NewValue() const;
    // Whether the value may be written: a data or internally calculated field, not read-only, of
    // a dataset that can be modified.
    bool CanModify() const;
    // What the dataset fills a new record with, as the column's default was written.
    std::string DefaultExpression;
    // Where the value comes from ("TABLE.COLUMN").
    std::string Origin;
    void SetValue(const Variant& value) { SetAsVariant(value); }
    void Clear() { SetData(Variant::Null()); }

    // A null reads as "", 0, 0.0, false and a zero date.
    std::string AsString() const { return GetAsString(); }
    void SetAsString(const std::string& value) { SetAsStringValue(value); }
    int AsInteger() const { return GetAsInteger(); }
    void SetAsInteger(int value) { SetAsIntegerValue(value); }
    double AsFloat() const { return GetAsFloat(); }
    void SetAsFloat(double value) { SetAsFloatValue(value); }
    bool AsBoolean() const { return GetAsBoolean(); }
    void SetAsBoolean(bool value) { SetAsBooleanValue(value); }
    TDateTime AsDateTime() const { return GetAsDateTime(); }
    void SetAsDateTime(TDateTime value) { SetAsDateTimeValue(value); }
    // Currency in units of 1/10000.
    std::int64_t AsCurrency() const { return GetAsCurrency(); }
    void SetAsCurrency(std::int64_t value) { SetAsCurrencyValue(value); }
    std::int64_t AsLargeInt() const { return GetAsLargeInt(); }
    void SetAsLargeInt(std::int64_t value) { SetAsLargeIntValue(value); }
    Variant AsVariant() const { return GetAsVariant(); }

    // The value as edited (Text) and as shown (DisplayText); OnGetText and OnSetText replace the
    // default reading and writing.
    std::string Text() const { return GetText(false); }
    void SetText(const std::string& value);
    std::string DisplayText() const { return GetText(true); }

    TFieldNotifyEvent OnValidate, OnChange;
    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;

  protected:
    friend class TDataSet;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetDataType(TFieldType value) { dataType_ = value; }
    // Raises "Invalid field size" for a size the type cannot have; an untyped field takes any size
    // that is not negative.
    virtual void CheckTypeSize(int value) const;
    // The check of fields whose values have a fixed size: no size at all.
    static void CheckNoSize(int value);
    // For constructors: a size the class starts with, unchecked.
    void InitSize(int value) { size_ = value; }
    // Raises "%s is not a valid value for field '%s'. The allowed range is %s to %s".
    [[noreturn]] void RangeError(const std::string& value, const std::string& min,
                                 const std::string& max) const;
    // Raises "Cannot access field '%s' as type %s".
    [[noreturn]] void AccessError(const std::string& typeName) const;
    // Reads the raw value of the current record; false when it is null.
    bool GetData(Variant& value) const;
    // Writes the raw value: checks the field may change, runs OnValidate, stores, runs OnChange.
    void SetData(const Variant& value);

    virtual Variant GetAsVariant() const;
    virtual void SetAsVariant(const Variant& value);
    virtual std::string GetAsString() const;
    virtual void SetAsStringValue(const std::string& value) { SetAsVariant(value); }
    virtual int GetAsInteger() const;
    virtual void SetAsIntegerValue(int value) { SetAsVariant(value); }
    virtual double GetAsFloat() const;
    virtual void SetAsFloatValue(double value) { SetAsVariant(value); }
    virtual bool GetAsBoolean() const;
    virtual void SetAsBooleanValue(bool value) { SetAsVariant(value); }
    virtual TDateTime GetAsDateTime() const;
    virtual void SetAsDateTimeValue(TDateTime value) { SetAsVariant(Variant::FromDateTime(value)); }
    virtual std::int64_t GetAsCurrency() const;
    virtual void SetAsCurrencyValue(std::int64_t value) { SetAsVariant(Variant::FromCurrency(value)); }
    virtual std::int64_t GetAsLargeInt() const;
    virtual void SetAsLargeIntValue(std::int64_t value) {
        SetAsVariant(Variant(static_cast<long long>(value)));
    }
    virtual std::string DefaultText(bool displayText) const;

  private:
    std::string GetText(bool displayText) const;
    void CheckCanModify() const;

    TDataSet* dataSet_ = nullptr;
    TFieldType dataType_ = ftUnknown;
    int size_ = 0;
    int fieldNo_ = 0;
    int displayWidth_ = 0;
    int offset_ = -1;
    TDataSet* lookupDataSet_ = nullptr;
};

// "(BLOB)" style text: the class name without its T and Field, in brackets, upper-cased when the
// field holds a value.
std::string FieldClassDescription(const TField& field);
