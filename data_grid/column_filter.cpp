#include "data_grid/column_filter.h"

#include "data_controls/dataset_field_value_list.h"
#include "data_controls/field_data_link.h"
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/field.h"
#include "platform/rtl/datetime_parse.h"

TSTColumnFilterEh::TSTColumnFilterEh(TColumnEh* Column)
    : column_(Column), listLink_(std::make_unique<TFieldDataLinkEh>()) {}

TSTColumnFilterEh::~TSTColumnFilterEh() = default;

const TPropertyList& TSTColumnFilterEh::Published() {
    using F = TSTColumnFilterEh;
    static const TPropertyList list = TPublish<F>(TPersistent::Published())
                                          .String("DataField", &F::DataField, &F::SetDataField)
                                          .String("KeyField", &F::KeyField, &F::SetKeyField)
                                          .String("ListField", &F::ListField, &F::SetListField)
                                          .Component("ListSource", &F::ListSource, &F::SetListSource)
                                          .Boolean("Visible", &F::Visible, &F::SetVisible)
                                          .Default(true);
    return list;
}

TPersistent* TSTColumnFilterEh::GetOwner() const {
    return column_;
}

void TSTColumnFilterEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TSTColumnFilterEh*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    dataField_ = source->dataField_;
    SetVisible(source->visible_);
    keyField_ = source->keyField_;
    listField_ = source->listField_;
    SetListSource(source->ListSource());
}

TDataSource* TSTColumnFilterEh::ListSource() const {
    return listLink_->BoundDataSource();
}

void TSTColumnFilterEh::SetListSource(TDataSource* Value) {
    listLink_->SetDataSource(Value);
    if (column_ != nullptr)
        column_->WatchComponent(Value);
}

void TSTColumnFilterEh::SetVisible(bool Value) {
    if (Value == visible_)
        return;
    visible_ = Value;
    if (column_ != nullptr)
        column_->NotifyChanged(false);
}

TCustomDBGridEh* TSTColumnFilterEh::OwnerGrid() const {
    return column_ != nullptr ? column_->OwnerGrid() : nullptr;
}

TField* TSTColumnFilterEh::ColumnField() const {
    return column_ != nullptr ? column_->ResolveField() : nullptr;
}

TField* TSTColumnFilterEh::LookupField() const {
    TField* field = ColumnField();
    return field != nullptr && field->Lookup() ? field : nullptr;
}

bool TSTColumnFilterEh::GridLinkActive() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr && grid->DataLink()->Active();
}

bool TSTColumnFilterEh::HasDropDownButton() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return ListSource() != nullptr || (grid != nullptr && grid->HasMemTable());
}

std::string TSTColumnFilterEh::FilterFieldName() const {
    if (!dataField_.empty())
        return dataField_;
    if (TField* lookup = LookupField(); lookup != nullptr && GridLinkActive())
        return lookup->KeyFields;
    return column_ != nullptr ? column_->FieldName() : std::string();
}

std::string TSTColumnFilterEh::FilterKeyField() const {
    if (!keyField_.empty())
        return keyField_;
    TField* lookup = LookupField();
    return lookup != nullptr ? lookup->LookupKeyFields : std::string();
}

TDataSet* TSTColumnFilterEh::ListDataSet() const {
    if (TDataSource* source = ListSource())
        return source->DataSet();
    TField* lookup = LookupField();
    return lookup != nullptr ? lookup->LookupDataSet() : nullptr;
}

std::string TSTColumnFilterEh::ListResultField() const {
    if (!listField_.empty())
        return listField_;
    TField* lookup = LookupField();
    return lookup != nullptr ? lookup->LookupResultField : std::string();
}

Variant TSTColumnFilterEh::FirstFilterValue() const {
    return FilterKeyField().empty() ? expression_.FirstOperand : keyValueList_;
}

Variant TSTColumnFilterEh::SecondFilterValue() const {
    return expression_.SecondOperand;
}

void TSTColumnFilterEh::ParseExpressionText(const std::string& Text) {
    const std::string keyFields = FilterKeyField();
    // Through a key field the text names an entry of the list, whatever the type of the keys.
    TFilterTextSettingsEh settings = SystemFilterTextSettings();
    if (TField* field = ColumnField()) {
        expression_.DataKind = keyFields.empty() ? FilterDataKindOf(field->DataType()) : fdkStringEh;
        if (const auto* dates = dynamic_cast<const TDateTimeField*>(field);
            dates && !dates->DisplayFormat.empty())
            settings.ShownDateTime = FormatSettingsOfLayout(dates->DisplayFormat, settings.DateTime);
    }
    ParseFilterExpression(Text, expression_, settings);
    if (!keyFields.empty() && expression_.FirstOperator != fokNullEh &&
        expression_.FirstOperator != fokNotNullEh)
        ReadThroughKeyField(Text, keyFields);
    filterText_ = Text;
}

// The typed text names a record of the list dataset; the condition is on that record's keys.
void TSTColumnFilterEh::ReadThroughKeyField(const std::string& Text, const std::string& KeyFields) {
    TDataSet* list = Text.empty() ? nullptr : ListDataSet();
    // Without a list to look in nothing is found: keys of an earlier text must not stay.
    keyValueList_ =
        list != nullptr ? list->Lookup(ListResultField(), Variant(Text), KeyFields) : Variant::Null();
    ParseFilterExpression("", expression_);
    expression_.DataKind = fdkStringEh;
    if (keyValueList_.IsNull()) {
        if (!Text.empty())
            expression_.FirstOperator = fokNullEh;
        return;
    }
    expression_.FirstOperator = fokInEh;
    expression_.FirstOperand = Variant(Text);
}

void TSTColumnFilterEh::SetExpressionText(const std::string& Text) {
    ParseExpressionText(Text);
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr)
        return;
    grid->Invalidate();
    if (grid->FilterEditingActive())
        grid->PlaceFilterEditor();
}

void TSTColumnFilterEh::Reset() {
    keyValueList_ = Variant::Null();
    SetExpressionText("");
}

std::unique_ptr<TDatasetFieldValueListEh> TSTColumnFilterEh::BuildValueList() const {
    TDataSource* source = ListSource();
    if (!GridLinkActive() || source == nullptr || source->DataSet() == nullptr ||
        !source->DataSet()->Active())
        return nullptr;
    const std::string fieldName =
        listField_.empty() && column_ != nullptr ? column_->FieldName() : listField_;
    if (source->DataSet()->FindField(fieldName) == nullptr)
        return nullptr;
    auto values = std::make_unique<TDatasetFieldValueListEh>();
    values->ChangeDataSet(source->DataSet());
    values->ChangeFieldName(fieldName);
    return values;
}

TSTColumnFilterEh* ColumnFilterOf(TColumnEh* Column) {
    return Column != nullptr ? dynamic_cast<TSTColumnFilterEh*>(Column->STFilter()) : nullptr;
}
