// TpFIBDataSet's new records: the generator, the empty-string defaults, GUIDs, values of linked
// select parameters and the fields' default expressions; and the links themselves.
#include "firebird/database.h"
#include "firebird/db_param_lines.h"
#include "firebird/sql_from_tables.h"
#include "firebird/sql_param_field.h"
#include "firebird/str_basics.h"
#include "firebird/str_search.h"
#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/datetime_fields.h"
#include "platform/os/guid.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/strings.h"

namespace {

// The database parameter block codes of the user name and the role.
constexpr int kUserNameParam = 28;
constexpr int kRoleNameParam = 60;

bool OneOf(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* candidate : words)
        if (word == candidate)
            return true;
    return false;
}

// The server keywords a date-time default may name; false for any other text.
bool DateKeywordValue(const std::string& keyword, TDateTime& value) {
    const TDateTime today = Date();
    if (OneOf(keyword, {"NOW", "CURRENT_TIME", "CURRENT_TIMESTAMP"}))
        value = Now();
    else if (OneOf(keyword, {"TODAY", "CURRENT_DATE"}))
        value = today;
    else if (keyword == "TOMORROW")
        value = today + 1;
    else if (keyword == "YESTERDAY")
        value = today - 1;
    else
        return false;
    return true;
}

}  // namespace

void TpFIBDataSet::DoOnNewRecord() {
    const TWhenGetGenID when = AutoUpdateOptions().WhenGetGenID();
    TField* key = KeyField();
    if (when == wgOnNewRecord)
        FetchGeneratorValue();
    else if (when == wgBeforePost && key != nullptr)
        key->Required = false;
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if ((field == key && when != wgNever) || field->Calculated() || field->Lookup())
            continue;
        ApplyNewRecordValue(field);
    }
    NotifyContainer(deOnNewRecord);
    TFIBDataSet::DoOnNewRecord();
}

void TpFIBDataSet::ApplyNewRecordValue(TField* field) {
    if (auto* text = dynamic_cast<TFIBstringField*>(field);
        text != nullptr && text->DefaultValueEmptyString()) {
        field->SetAsString("");
        return;
    }
    if (auto* guid = dynamic_cast<TFIBGuidField*>(field);
        guid != nullptr && guid->AutoGenerateValue() == arAutoInc) {
        guid->SetGuidData(CreateGUID());
        return;
    }
    const std::string param = AutoUpdateOptions().ParamsToFieldsLinks().Values(field->FieldName);
    if (!param.empty())
        if (TFIBXSQLVAR* source = QSelect().FindParam(param)) {
            field->SetValue(source->ReadAsVariant());
            return;
        }
    ApplyDefaultExpression(field);
}

void TpFIBDataSet::ApplyDefaultExpression(TField* field) {
    const std::string& expression = field->DefaultExpression;
    const std::string keyword = AsciiUpperCase(StripQuotes(Trim(expression)));
    if (keyword.empty())
        return;
    bool applied = false;
    ApplyDefaultValue(field, applied);
    if (applied || keyword == "NULL")
        return;
    if (dynamic_cast<TDateTimeField*>(field) != nullptr) {
        TDateTime value = 0;
        if (DateKeywordValue(keyword, value))
            field->SetAsDateTime(value);
        else
            field->SetAsString(expression);
        return;
    }
    if (OneOf(keyword, {"USER", "CURRENT_USER"}) && Database() != nullptr)
        field->SetAsString(DBParamValue(Database()->DBParams(), kUserNameParam));
    else if (OneOf(keyword, {"ROLE", "CURRENT_ROLE"}) && Database() != nullptr)
        field->SetAsString(DBParamValue(Database()->DBParams(), kRoleNameParam));
    else if (dynamic_cast<TFIBstringField*>(field) != nullptr && expression.front() == '\'')
        field->SetAsString(expression.size() < 2 ? std::string()
                                                 : expression.substr(1, expression.size() - 2));
    else
        field->SetAsString(expression);
}

void TpFIBDataSet::ApplyDefaultValue(TField* field, bool& applied) {
    applied = false;
    if (container_ != nullptr)
        container_->ApplyDefaultValue(this, field, applied);
    if (OnApplyDefaultValue)
        OnApplyDefaultValue(this, field, applied);
}

TField* TpFIBDataSet::FieldOfColumn(const std::string& table, const std::string& column) {
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if (field->FieldKind == fkData && GetRelationName(field) == table && GetSQLFieldName(field) == column)
            return field;
    }
    return nullptr;
}

void TpFIBDataSet::FillParamsToFieldsLinks(TStrings& list) {
    const std::string select = SelectSQL().Text();
    TFIBXSQLDA& params = Params();
    for (int i = 0; i < params.Count(); ++i) {
        const std::string param = params[i].VarName;
        const std::string expression = Trim(FieldNameForParam(select, param));
        if (expression.empty())
            continue;
        std::string fieldName;
        const std::size_t dot = expression.find('.');
        if (dot == std::string::npos) {
            fieldName = expression;
        } else {
            const std::string table = StripQuotes(TableNameByAlias(select, Trim(expression.substr(0, dot))));
            const std::string column = Trim(expression.substr(dot + 1));
            const bool quoted = !column.empty() && column.front() == '"';
            TField* field = FieldOfColumn(table, quoted ? StripQuotes(column) : AsciiUpperCase(column));
            if (field == nullptr)
                continue;
            fieldName = field->FieldName;
        }
        list.SetValue(fieldName, param);
    }
}
