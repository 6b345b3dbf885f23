#include "firebird_datasets/fields_info_rows.h"

#include <charconv>

#include "firebird/fib_query.h"
#include "firebird/transaction.h"
#include "firebird_datasets/field_info.h"
#include "firebird_datasets/metadata_queries.h"
#include "platform/rtl/strings.h"

namespace {

// The table name is a parameter: a name with a quote in it must not end the literal.
constexpr const char* kRowsSQL = "Select * from FIB$FIELDS_INFO where TABLE_NAME=?TN ORDER BY FIELD_NAME";

bool IsKeyColumn(const std::string& name) {
    return name == "TABLE_NAME" || name == "FIELD_NAME" || name == "FIB$VERSION";
}

int IntegerOf(const std::string& text) {
    const std::string trimmed = Trim(text);
    int value = 0;
    std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return value;
}

std::string ColumnName(TFIBXSQLVAR& column) {
    const XSQLVAR& var = *column.XSQLVar;
    return std::string(var.aliasname,
                       static_cast<std::size_t>(var.aliasname_length > 0 ? var.aliasname_length : 0));
}

}  // namespace

void TFieldsInfoRows::Read(TFIBTransaction& transaction, const std::string& table) {
    rows_.clear();
    TObjectPtr<TFIBQuery> query = MakeQuery(transaction, kRowsSQL);
    query->ParamByName("TN").WriteAsString(table);
    StartIfInactive(transaction);
    query->ExecQuery();
    TFIBXSQLDA& columns = query->GetFields();
    for (; !query->Eof(); query->Next()) {
        TFieldsInfoRow row;
        for (int i = 0; i < columns.Count(); ++i) {
            std::string name = ColumnName(columns[i]);
            if (!IsKeyColumn(name))
                row.emplace_back(std::move(name), columns[i].ReadAsString());
        }
        rows_[TrimRight(query->FieldByName("FIELD_NAME").ReadAsString())] = std::move(row);
    }
}

const TFieldsInfoRow* TFieldsInfoRows::Find(const std::string& fieldName) const {
    const auto found = rows_.find(TrimRight(fieldName));
    return found == rows_.end() ? nullptr : &found->second;
}

std::vector<std::string> TFieldsInfoRows::FieldNames() const {
    std::vector<std::string> names;
    for (const auto& [name, row] : rows_) names.push_back(name);
    return names;
}

void ApplyFieldsInfoRow(const TFieldsInfoRow& row, TpFIBFieldInfo& info) {
    info.WithRepositoryInfo = true;
    for (const auto& [name, value] : row) {
        if (name == "DISPLAY_LABEL")
            info.DisplayLabel = value;
        else if (name == "DISPLAY_WIDTH")
            info.DisplayWidth = IntegerOf(value);
        else if (name == "DISPLAY_FORMAT")
            info.DisplayFormat = value;
        else if (name == "EDIT_FORMAT")
            info.EditFormat = value;
        else if (name == "TRIGGERED")
            info.Triggered = IntegerOf(value) == 1;
        else if (name == "VISIBLE")
            info.Visible = IntegerOf(value) == 1;
        else
            info.OtherInfo.Add(name + "=" + value);
    }
}
