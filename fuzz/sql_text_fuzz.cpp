// SQL statement texts through TSQLParser and the SQL text routines. The input is the statement,
// optionally followed by a NUL, a clause number, a macro character and a condition (which also
// serves as alias, parameter name and word). Positions the parser reports must lie in the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firebird/sql_from_tables.h"
#include "firebird/sql_normalize.h"
#include "firebird/sql_order_by.h"
#include "firebird/sql_param_field.h"
#include "firebird/sql_parser.h"
#include "firebird/sql_text_routines.h"

namespace {

struct TInput {
    std::string Sql;
    int Clause = 1;
    char MacroChar = '@';
    std::string Cond = "ID = :ID";
};

TInput ReadInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TInput in;
    const std::size_t nul = bytes.find('\0');
    in.Sql = bytes.substr(0, nul);
    if (nul == std::string::npos || nul + 2 >= bytes.size())
        return in;
    in.Clause = static_cast<signed char>(bytes[nul + 1]) % 8;
    in.MacroChar = bytes[nul + 2];
    in.Cond = bytes.substr(nul + 3);
    return in;
}

void Expect(bool holds) {
    if (!holds)
        std::abort();
}

void ExerciseParser(const TInput& in) {
    TSQLParser parser(in.Sql);
    const int len = parser.SQLLength();
    int start = 0, end = 0;
    parser.GetFromBounds(start, end);
    Expect(start == 0 || (start < end && end <= len));
    parser.GetFromClause();
    parser.GetTargetTableText();
    for (const TWhereClauseBounds& clause : parser.WhereClauses())
        Expect(clause.Start >= 1 && clause.CondStart > clause.Start && clause.CondStart <= len + 1 &&
               clause.End <= len && (clause.End == 0 || clause.End >= clause.Start + 4));
    std::string text;
    parser.GetWhereClause(in.Clause, start, text, end);
    parser.GetMainWhere(start, end, text);
    parser.AddToWhere(in.Cond, in.Clause % 2 == 0);
    parser.ReplaceWhere(in.Clause, in.Cond);
    parser.SetWhereText(in.Cond);
    parser.GetCountSQL();
    parser.ResetBracketDepth();
    parser.SetStopAtClosingBracket(true);
    parser.Scan(parser.TextStart(), [&](int pos) { return parser.IsFromEnd(pos) || parser.IsIntoWord(pos); });
    Expect(parser.FoundPos() >= 0 && parser.FoundPos() <= len && parser.LastCodePos() <= len);
}

void ExerciseRoutines(const TInput& in) {
    NormalizeSQL(in.Sql, in.MacroChar);
    std::string defaultValue, name;
    SplitMacro(in.Cond, in.MacroChar, defaultValue, name);
    GetMainTableName(in.Sql, in.Clause % 2 == 0);
    TStringList list;
    FillTableNames(in.Sql, list);
    FillFromTables(in.Sql, list);
    JoinsToCommaList(in.Sql);
    std::string from = in.Sql;
    StripFromListBrackets(from);
    TableNameByAlias(in.Sql, in.Cond);
    AliasToTableName(in.Sql, in.Cond);
    GetOrderByFields(in.Sql);
    FieldNameForParam(in.Sql, in.Cond);
    PosSQLWord(in.Cond, in.Sql);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TInput in = ReadInput(data, size);
    ExerciseParser(in);
    ExerciseRoutines(in);
    return 0;
}
