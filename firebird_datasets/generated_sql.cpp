#include "firebird_datasets/generated_sql.h"

#include "firebird/sql_text_routines.h"
#include "platform/rtl/strings.h"

namespace {

constexpr const char* kCRLF = "\r\n";
constexpr const char* kIndent = "     ";

}  // namespace

const char* GeneratedSQLName(TGeneratedSQLKind kind) {
    static const char* const names[] = {"UpdateSQL", "InsertSQL", "DeleteSQL", "RefreshSQL"};
    return names[kind];
}

std::string KeyConditionText(const std::string& table, const std::vector<TGeneratedColumn>& keys) {
    std::string condition;
    for (const TGeneratedColumn& key : keys) {
        if (!condition.empty())
            condition += " and ";
        condition += table + "." + key.Column + "=?" + key.Param;
    }
    return condition;
}

std::string DeleteText(const std::string& table, const std::string& condition) {
    return "Delete from " + table + kCRLF + "where " + condition;
}

std::string UpdateText(const std::string& table, const std::vector<TGeneratedColumn>& columns,
                       const std::string& condition) {
    if (columns.empty())
        return kNoActionSQL;
    std::string text = "Update " + table + " Set";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        text += (i == 0 ? "" : ",") + std::string(kCRLF);
        text += kIndent + columns[i].Column + "=?" + columns[i].Param;
    }
    return text + kCRLF + "where " + condition;
}

std::string InsertText(const std::string& table, const std::vector<TGeneratedColumn>& columns,
                       bool defaultValuesWhenEmpty) {
    if (columns.empty())
        return defaultValuesWhenEmpty ? "Insert into " + table + " default values" : kNoActionSQL;
    std::string names = "Insert into " + table + "(";
    std::string values = "values (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string separator = (i == 0 ? "" : ",") + std::string(kCRLF);
        names += separator + kIndent + columns[i].Column;
        values += separator + kIndent + "?" + columns[i].Param;
    }
    return names + kCRLF + ")" + kCRLF + values + kCRLF + ")";
}

std::string RefreshText(const std::string& select, const std::string& condition) {
    return AddToWhere(select, condition, false);
}

bool IsNoActionSQL(const TStrings& sql) {
    return sql.Count() > 0 && Trim(sql[0]) == kNoActionSQL;
}
