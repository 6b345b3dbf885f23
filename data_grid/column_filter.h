#pragma once
// TSTColumnFilterEh: a grid column's filter-row condition. It keeps the text the user typed and
// its parsed form, says which field the condition tests, and, for a column that filters through
// a key field (a lookup column, or a list source with a key field), turns the typed text into the
// key values it stands for.
#include <memory>
#include <string>

#include "data_grid/filter_expression.h"
#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"

class TColumnEh;
class TCustomDBGridEh;
class TDataSet;
class TDataSource;
class TDatasetFieldValueListEh;
class TField;
class TFieldDataLinkEh;

class TSTColumnFilterEh : public TPersistent {
  public:
    explicit TSTColumnFilterEh(TColumnEh* Column);
    ~TSTColumnFilterEh() override;
    std::string ClassName() const override { return "TSTColumnFilterEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    TPersistent* GetOwner() const override;
    // Copies DataField, Visible, KeyField, ListField and ListSource.
    void Assign(const TPersistent& Source) override;

    // New virtual operations, in slot order.
    // The condition as the filter row shows it.
    virtual std::string RenderExpression() const;
    virtual bool HasDropDownButton() const;
    virtual std::string FilterFieldName() const;
    virtual Variant FirstFilterValue() const;
    virtual Variant SecondFilterValue() const;

    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& Value) { dataField_ = Value; }
    const std::string& KeyField() const { return keyField_; }
    void SetKeyField(const std::string& Value) { keyField_ = Value; }
    const std::string& ListField() const { return listField_; }
    void SetListField(const std::string& Value) { listField_ = Value; }
    TDataSource* ListSource() const;
    void SetListSource(TDataSource* Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    // The size of the filter row's drop-down list as the user left it.
    int ListWidth() const { return listWidth_; }
    void SetListWidth(int Value) { listWidth_ = Value; }
    int ListRows() const { return listRows_; }
    void SetListRows(int Value) { listRows_ = Value; }

    // The key values found for the typed text when the filter works through a key field.
    const Variant& KeyValueList() const { return keyValueList_; }
    const std::string& FilterText() const { return filterText_; }
    const TSTFilterExpressionEh& Expression() const { return expression_; }
    TSTFilterExpressionEh CopyExpression() const { return expression_; }

    // Reads the typed text into the condition; a text that does not parse raises and leaves
    // FilterText as it was.
    void ParseExpressionText(const std::string& Text);
    // Reads the text and shows it: repaints the grid and places its filter editor again.
    void SetExpressionText(const std::string& Text);
    void Reset();

    std::string FilterKeyField() const;
    TDataSet* ListDataSet() const;
    std::string ListResultField() const;
    // The distinct values for the filter row's drop-down list; nullptr without an active list
    // dataset or when its field does not exist.
    std::unique_ptr<TDatasetFieldValueListEh> BuildValueList() const;

    TColumnEh* Column() const { return column_; }
    TCustomDBGridEh* OwnerGrid() const;

  private:
    TField* ColumnField() const;
    TField* LookupField() const;
    bool GridLinkActive() const;
    void ReadThroughKeyField(const std::string& Text, const std::string& KeyFields);

    TColumnEh* column_;
    std::string dataField_;
    std::string keyField_;
    Variant keyValueList_ = Variant::Null();
    std::string listField_;
    std::unique_ptr<TFieldDataLinkEh> listLink_;
    bool visible_ = true;
    TSTFilterExpressionEh expression_;
    std::string filterText_;
    int listWidth_ = 0;
    int listRows_ = 0;
};

// The display text of one condition ("=Null", "In ('a','b')", ">= 5").
std::string FilterConditionText(TFilterOperatorKindEh Operator, const Variant& Operand);
// A number as a number, a date-time in the short date format, anything else in single quotes.
std::string FilterValueText(const Variant& Value);

// A condition in the dataset's local filter language, for an application that filters the
// dataset itself ("ROOM" LIKE 'O''Brien', ("AMOUNT" >= 250.25 AND "AMOUNT" < 1000), "NOTE" IS
// NULL); empty without a condition. Typed values only ever become literals: texts and date-times
// between apostrophes with their own apostrophes doubled, numbers with "." whatever the locale;
// the field name is always quoted. Raises Exception for a value or name the language cannot hold.
std::string LocalFilterCondition(const std::string& FieldName, const TSTFilterExpressionEh& Expression);
// The column filter's condition on its FilterFieldName with its FirstFilterValue and
// SecondFilterValue (the key values for a filter through a key field).
std::string LocalFilterText(const TSTColumnFilterEh& Filter);

// The column's filter-row condition; nullptr without a column.
TSTColumnFilterEh* ColumnFilterOf(TColumnEh* Column);
