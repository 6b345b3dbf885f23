#include "firebird/sql_reserved_words.h"

#include <array>
#include <string>

#include "firebird/string_list_utils.h"

namespace {

// Stored in this order; the list is sorted after loading. "WHERE " carries a trailing blank, so
// the bare word WHERE is not found.
constexpr std::array<std::string_view, 10> kFunctionNames = {
    "AVG", "CAST", "COUNT", "GEN_ID", "MAX", "MIN", "SUM", "UPPER", "IIF", "SUBSTRING",
};
constexpr std::array<std::string_view, 276> kReservedWords = {
    "ACTIVE",
    "ADD",
    "AFTER",
    "ALL",
    "ALTER",
    "AND",
    "ANY",
    "AS",
    "ASC",
    "ASCENDING",
    "AT",
    "AUTO",
    "AUTODDL",
    "BASED",
    "BASENAME",
    "BASE_NAME",
    "BEFORE",
    "BEGIN",
    "BETWEEN",
    "BLOBEDIT",
    "BUFFER",
    "BY",
    "CASE",
    "CACHE",
    "CHARACTER_LENGTH",
    "CHAR_LENGTH",
    "CHECK",
    "CHECK_POINT_LEN",
    "CHECK_POINT_LENGTH",
    "COLLATE",
    "COLLATION",
    "COLUMN",
    "COMMIT",
    "COMMITED",
    "COMPILETIME",
    "COMPUTED",
    "CLOSE",
    "CONDITIONAL",
    "CONNECT",
    "CONSTRAINT",
    "CONTAINING",
    "CONTINUE",
    "CREATE",
    "CURRENT",
    "CURRENT_DATE",
    "CURRENT_TIME",
    "CURRENT_TIMESTAMP",
    "CURSOR",
    "DATABASE",
    "DAY",
    "DB_KEY",
    "DEBUG",
    "DEC",
    "DECLARE",
    "DEFAULT",
    "DELETE",
    "DESC",
    "DESCENDING",
    "DESCRIBE",
    "DESCRIPTOR",
    "DISCONNECT",
    "DISTINCT",
    "DO",
    "DOMAIN",
    "DROP",
    "ECHO",
    "EDIT",
    "ELSE",
    "END",
    "ENTRY_POINT",
    "ESCAPE",
    "EVENT",
    "EXCEPTION",
    "EXECUTE",
    "EXISTS",
    "EXIT",
    "EXTERN",
    "EXTERNAL",
    "EXTRACT",
    "FALSE",
    "FETCH",
    "FILE",
    "FILTER",
    "FOR",
    "FOREIGN",
    "FOUND",
    "FROM",
    "FULL",
    "FUNCTION",
    "GDSCODE",
    "GENERATOR",
    "GLOBAL",
    "GOTO",
    "GRANT",
    "GROUP",
    "GROUP_COMMIT_WAIT",
    "GROUP_COMMIT_WAIT_TIME",
    "HAVING",
    "HELP",
    "HOUR",
    "IF",
    "IMMEDIATE",
    "IN",
    "INACTIVE",
    "INDEX",
    "INDICATOR",
    "INIT",
    "INNER",
    "INPUT",
    "INPUT_TYPE",
    "INSERT",
    "INT",
    "INTO",
    "IS",
    "ISOLATION",
    "ISQL",
    "JOIN",
    "KEY",
    "LC_MESSAGES",
    "LC_TYPE",
    "LEFT",
    "LENGTH",
    "LEV",
    "LEVEL",
    "LIKE",
    "LOGFILE",
    "LOG_BUFFER_SIZE",
    "LOG_BUF_SIZE",
    "LONG",
    "MANUAL",
    "MAXIMUM",
    "MAXIMUM_SEGMENT",
    "MAX_SEGMENT",
    "MERGE",
    "MESSAGE",
    "MINIMUM",
    "MINUTE",
    "MODULE_NAME",
    "MONTH",
    "NAMES",
    "NATIONAL",
    "NATURAL",
    "NCHAR",
    "NO",
    "NOAUTO",
    "NOT",
    "NULL",
    "NUM_LOG_BUFFS",
    "NUM_LOG_BUFFERS",
    "OCTET_LENGTH",
    "OF",
    "ON",
    "ONLY",
    "OPEN",
    "OPTION",
    "OR",
    "ORDER",
    "OUTER",
    "OUTPUT",
    "OUTPUT_TYPE",
    "OVERFLOW",
    "PAGE",
    "PAGELENGTH",
    "PAGES",
    "PAGE_SIZE",
    "PARAMETER",
    "PASSWORD",
    "PLAN",
    "POSITION",
    "POST_EVENT",
    "PRECISION",
    "PREPARE",
    "PROCEDURE",
    "PROTECTED",
    "PRIMARY",
    "PRIVILEGES",
    "PUBLIC",
    "QUIT",
    "RAW_PARTITIONS",
    "READ",
    "REAL",
    "RECORD_VERSION",
    "REFERENCES",
    "RELEASE",
    "RESERV",
    "RESERVING",
    "RETAIN",
    "RETURN",
    "RETURNING_VALUES",
    "RETURNS",
    "REVOKE",
    "RIGHT",
    "ROLLBACK",
    "RUNTIME",
    "SAVEPOINT",
    "SCHEMA",
    "SECOND",
    "SEGMENT",
    "SELECT",
    "SET",
    "SHADOW",
    "SHARED",
    "SHELL",
    "SHOW",
    "SINGULAR",
    "SIZE",
    "SNAPSHOT",
    "SOME",
    "SORT",
    "SQL",
    "SQLCODE",
    "SQLERROR",
    "SQLWARNING",
    "STABILITY",
    "STARTING",
    "STARTS",
    "STATEMENT",
    "STATIC",
    "STATISTICS",
    "SUB_TYPE",
    "SUSPEND",
    "TABLE",
    "TERMINATOR",
    "THEN",
    "TO",
    "TRANSACTION",
    "TRANSLATE",
    "TRANSLATION",
    "TRIGGER",
    "TRIM",
    "TRUE",
    "TYPE",
    "UNCOMMITTED",
    "UNION",
    "UNIQUE",
    "UNKNOWN",
    "UPDATE",
    "USER",
    "USING",
    "VALUE",
    "VALUES",
    "VARIABLE",
    "VARYING",
    "VERSION",
    "VIEW",
    "WAIT",
    "WEEKDAY",
    "WHEN",
    "WHENEVER",
    "WHERE ",
    "WHILE",
    "WITH",
    "WORK",
    "WRITE",
    "YEAR",
    "YEARDAY",
    "FIRST",
    "SKIP",
    "RECREATE",
    "CURRENT_USER",
    "CURRENT_ROLE",
    "PLANONLY",
    "LIMIT",
    "SECONDS",
    "ROWS",
    "PERCENT",
    "TIES",
    "NEW",
    "OLD",
    "CURRENT_CONNECTION",
    "CURRENT_TRANSACTION",
    "INSERTING",
    "UPDATING",
    "DELETING",
    "ROW_COUNT",
    "FREE_IT",
};
constexpr std::array<std::string_view, 17> kTypeNames = {
    "BLOB",     "CHAR", "CHARACTER", "DATE",    "DECIMAL", "DOUBLE", "FLOAT",   "INTEGER", "NUMERIC",
    "SMALLINT", "TIME", "TIMESTAMP", "VARCHAR", "INT64",   "BIGINT", "BOOLEAN", "CSTRING",
};

struct WordTable {
    TStringList words;
    SqlWordRange index[26][26] = {};
};

void AddAll(TStringList& list, const auto& words) {
    for (std::string_view w : words) list.Add(std::string(w));
}

WordTable BuildTable() {
    WordTable table;
    TStringList& words = table.words;
    AddAll(words, kFunctionNames);
    AddAll(words, kReservedWords);
    AddAll(words, kTypeNames);
    words.CustomSort(CompareListItems);
    int previous[2] = {0, 0};  // the pair A, A
    for (int i = 0; i < words.Count(); ++i) {
        const int a = words[i][0] - 'A', b = words[i][1] - 'A';
        if (a != previous[0] || b != previous[1]) {
            table.index[previous[0]][previous[1]].Last = static_cast<std::int16_t>(i - 1);
            table.index[a][b].First = static_cast<std::int16_t>(i);
            previous[0] = a;
            previous[1] = b;
        }
    }
    table.index[previous[0]][previous[1]].Last = static_cast<std::int16_t>(words.Count() - 1);
    return table;
}

const WordTable& Table() {
    static const WordTable table = BuildTable();
    return table;
}

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

}  // namespace

const TStringList& SqlReservedWords() {
    return Table().words;
}

SqlWordRange SqlWordIndex(char first, char second) {
    if (!IsLetter(first) || !IsLetter(second))
        return {};
    return Table().index[first - 'A'][second - 'A'];
}

bool IsSqlReservedWord(std::string_view name, bool allowLower) {
    if (name.size() < 2)
        return false;
    const char a = allowLower ? Upper(name[0]) : name[0], b = allowLower ? Upper(name[1]) : name[1];
    if (!IsLetter(a) || !IsLetter(b))
        return false;
    const SqlWordRange range = SqlWordIndex(a, b);
    int index;
    return FindInSortedStrings(SqlReservedWords(), name, range.First, index, false, range.Last);
}
