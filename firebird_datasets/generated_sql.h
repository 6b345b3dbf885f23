#pragma once
// The texts of the statements a dataset writes for itself from its update table and key fields:
// "Update", "Insert into", "Delete from", and its select narrowed to one record. The caller chooses
// the columns and formats the names; these routines only lay out the text, lines joined by CR LF.
#include <string>
#include <vector>

#include "platform/rtl/string_list.h"

enum TGeneratedSQLKind { gsUpdate, gsInsert, gsDelete, gsRefresh };

// The first line of a statement that has nothing to send: posting through it skips the server.
inline constexpr const char* kNoActionSQL = "No Action";

// The statement's name in messages: "UpdateSQL", "InsertSQL", "DeleteSQL" or "RefreshSQL".
const char* GeneratedSQLName(TGeneratedSQLKind kind);

// One column of a generated text and the parameter that carries its value, both as written.
struct TGeneratedColumn {
    std::string Column;
    std::string Param;
};

// "T.K=?OLD_K" for each key, joined by " and ".
std::string KeyConditionText(const std::string& table, const std::vector<TGeneratedColumn>& keys);
std::string DeleteText(const std::string& table, const std::string& condition);
// "No Action" without columns.
std::string UpdateText(const std::string& table, const std::vector<TGeneratedColumn>& columns,
                       const std::string& condition);
// Without columns "No Action", or, when the server is to fill the row, "Insert into T default values".
std::string InsertText(const std::string& table, const std::vector<TGeneratedColumn>& columns,
                       bool defaultValuesWhenEmpty);
// The select with the condition added to its WHERE clause.
std::string RefreshText(const std::string& select, const std::string& condition);

// The statement's first line is "No Action".
bool IsNoActionSQL(const TStrings& sql);
