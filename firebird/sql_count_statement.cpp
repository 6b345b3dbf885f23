// The statement that counts the rows of a select. A plain select is counted over its FROM clause
// and main WHERE condition. A select whose rows are not one per row of its FROM clause (DISTINCT,
// GROUP BY, HAVING, UNION, an aggregate, FIRST / SKIP / ROWS / OFFSET / FETCH) is counted as a
// derived table: select count(*) from (<the select without ORDER BY>). A derived table needs a
// distinct name for every column, so the columns are named by a column list when the select list
// can be counted, and a select list of stars is replaced by a constant where that keeps the count.
#include <algorithm>
#include <array>

#include "firebird/sql_parser.h"
#include "firebird/sql_words.h"

namespace {
constexpr std::array<std::string_view, 22> kAggregateFunctions{
    "AVG",       "COUNT",      "LIST",           "MAX",         "MIN",        "SUM",      "CORR",
    "COVAR_POP", "COVAR_SAMP", "STDDEV_POP",     "STDDEV_SAMP", "VAR_POP",    "VAR_SAMP", "REGR_AVGX",
    "REGR_AVGY", "REGR_COUNT", "REGR_INTERCEPT", "REGR_R2",     "REGR_SLOPE", "REGR_SXX", "REGR_SXY",
    "REGR_SYY"};

int Len(std::string_view text) {
    return static_cast<int>(text.size());
}

char CharAt(std::string_view text, int pos) {
    return text[static_cast<std::size_t>(pos - 1)];
}

bool AggregateCallAt(std::string_view text, int pos) {
    if (pos > 1) {
        const char before = CharAt(text, pos - 1);
        if (IsSqlIdentChar(before) || before == '.' || before == '"')
            return false;
    }
    for (std::string_view name : kAggregateFunctions) {
        if (!SqlWordAt(text, pos, name, TWordFollow::WordEnd))
            continue;
        int behind = pos + Len(name);
        while (behind <= Len(text) && IsSqlBlank(CharAt(text, behind))) ++behind;
        return behind <= Len(text) && CharAt(text, behind) == '(';
    }
    return false;
}

// Behind a FIRST or SKIP argument: a bracketed expression, or one run of other characters.
int SkipLimitArgument(std::string_view text, int pos) {
    if (pos > Len(text) || CharAt(text, pos) != '(') {
        while (pos <= Len(text) && !IsSqlBlank(CharAt(text, pos)) && CharAt(text, pos) != '(') ++pos;
        return pos;
    }
    TSQLTextStates states(text);
    int depth = 0;
    for (; pos <= Len(text); ++pos) {
        const TSQLCharRole role = states.Step(pos).Role;
        depth += role == TSQLCharRole::OpenBracket ? 1 : role == TSQLCharRole::CloseBracket ? -1 : 0;
        if (depth == 0)
            return pos + 1;
    }
    return pos;
}

// The words between SELECT and its list of columns.
struct TSelectHead {
    int ListStart = 0;
    bool LimitsRows = false;  // FIRST or SKIP
    bool Distinct = false;
};

// The length of the word FIRST or SKIP at pos, 0 for anything else.
int RowLimitWordAt(std::string_view text, int pos) {
    if (SqlWordAt(text, pos, "FIRST", TWordFollow::WordEnd))
        return 5;
    return SqlWordAt(text, pos, "SKIP", TWordFollow::WordEnd) ? 4 : 0;
}

TSelectHead ReadSelectHead(std::string_view text, int pos) {
    TSelectHead head;
    pos = SkipBlanksAndComments(text, pos);
    for (int word = RowLimitWordAt(text, pos); word > 0; word = RowLimitWordAt(text, pos)) {
        head.LimitsRows = true;
        pos = SkipLimitArgument(text, SkipBlanksAndComments(text, pos + word));
        pos = SkipBlanksAndComments(text, pos);
    }
    if (SqlWordAt(text, pos, "DISTINCT", TWordFollow::WordEnd)) {
        head.Distinct = true;
        pos = SkipBlanksAndComments(text, pos + 8);
    } else if (SqlWordAt(text, pos, "ALL", TWordFollow::WordEnd)) {
        pos = SkipBlanksAndComments(text, pos + 3);
    }
    head.ListStart = pos;
    return head;
}

// Words at depth 0 that change which rows the select returns, and the clauses a derived table
// must not hold.
struct TTopLevelClauses {
    bool Union = false;
    bool Grouped = false;   // GROUP BY, HAVING
    bool RowLimit = false;  // ROWS, OFFSET, FETCH
    int Order = 0;          // ORDER BY, left out of the count
    int AfterOrder = 0;     // the first ROWS, OFFSET or FETCH behind it, which stays
    int Locking = 0;        // FOR UPDATE or WITH LOCK, to the end: left out

    void Note(std::string_view text, int pos) {
        if (!AfterBlankOrBracket(text, pos))
            return;
        if (SqlWordAt(text, pos, "UNION", TWordFollow::BlankOrBracket)) {
            Union = true;
        } else if (SqlWordAt(text, pos, "GROUP", TWordFollow::Blank) ||
                   SqlWordAt(text, pos, "HAVING", TWordFollow::BlankOrBracket)) {
            Grouped = true;
        } else if (SqlWordAt(text, pos, "ROWS", TWordFollow::Blank) ||
                   SqlWordAt(text, pos, "OFFSET", TWordFollow::Blank) ||
                   SqlWordAt(text, pos, "FETCH", TWordFollow::Blank)) {
            RowLimit = true;
            if (Order > 0 && AfterOrder == 0)
                AfterOrder = pos;
        } else if (Order == 0 && SqlWordAt(text, pos, "ORDER", TWordFollow::Blank)) {
            Order = pos;
        } else if (Locking == 0 &&
                   (WordPairAt(text, pos, "FOR", "UPDATE") || WordPairAt(text, pos, "WITH", "LOCK"))) {
            Locking = pos;
        }
    }

    static bool WordPairAt(std::string_view text, int pos, std::string_view first, std::string_view second) {
        if (!SqlWordAt(text, pos, first, TWordFollow::Blank))
            return false;
        return SqlWordAt(text, SkipBlanksAndComments(text, pos + Len(first)), second, TWordFollow::WordEnd);
    }
};

// The select list of the first select: its columns and whether one of them is a star.
struct TSelectList {
    int Columns = 0;
    bool Star = false;
    bool Aggregate = false;
};

class TCountStatementBuilder {
  public:
    TCountStatementBuilder(TSQLParser& parser, int fromStart)
        : parser_(parser), text_(parser.SQLText()), fromStart_(fromStart) {}

    bool CountsDerivedTable() {
        head_ = ReadSelectHead(text_, parser_.TextStart() + 6);
        ReadTopLevelClauses();
        ReadSelectList();
        return head_.LimitsRows || head_.Distinct || clauses_.Union || clauses_.Grouped ||
               clauses_.RowLimit || list_.Aggregate;
    }

    std::string DerivedTableCount() const {
        std::string inner;
        std::string columns;
        if (list_.Star && !head_.Distinct && !clauses_.Union) {
            // No DISTINCT, no UNION: the columns do not change the count, and "*" over a join may
            // bring the same name twice.
            AppendKept(inner, parser_.TextStart(), head_.ListStart - 1);
            inner += "1 AS C ";
            AppendKept(inner, fromStart_, Len(text_));
        } else {
            AppendKept(inner, parser_.TextStart(), Len(text_));
            if (!list_.Star && list_.Columns > 0)
                columns = ColumnList();
        }
        return "Select Count(*) FROM (\r\n" + inner + "\r\n) COUNTED_ROWS" + columns;
    }

  private:
    void ReadTopLevelClauses() {
        parser_.ResetBracketDepth();
        parser_.Scan(parser_.TextStart(), [this](int pos) {
            if (parser_.BracketDepth() == 0)
                clauses_.Note(text_, pos);
            return false;
        });
    }

    // Items end at commas at depth 0; each scan stops at one, and LastCodePos tells the item's last
    // character.
    void ReadSelectList() {
        parser_.ResetBracketDepth();
        int pos = head_.ListStart;
        while (pos < fromStart_) {
            parser_.Scan(pos, [this](int p) {
                if (p >= fromStart_)
                    return true;
                if (parser_.BracketDepth() == 0 && AggregateCallAt(text_, p))
                    list_.Aggregate = true;
                return parser_.BracketDepth() == 0 && parser_.ScanState() == TSQLScanState::Normal &&
                       CharAt(text_, p) == ',';
            });
            if (parser_.FoundPos() == 0)
                break;
            ++list_.Columns;
            const int last = parser_.LastCodePos();
            if (last > 0 && CharAt(text_, last) == '*')
                list_.Star = true;
            pos = parser_.FoundPos() + 1;
        }
    }

    std::string ColumnList() const {
        std::string columns = " (";
        for (int i = 1; i <= list_.Columns; ++i) columns += (i > 1 ? ", C" : "C") + std::to_string(i);
        return columns + ")";
    }

    // Positions from..to without ORDER BY (up to a ROWS, OFFSET or FETCH behind it) and without
    // FOR UPDATE / WITH LOCK.
    void AppendKept(std::string& out, int from, int to) const {
        if (clauses_.Locking > 0)
            to = std::min(to, clauses_.Locking - 1);
        if (clauses_.Order > 0) {
            const int orderEnd = clauses_.AfterOrder > 0 ? clauses_.AfterOrder : Len(text_) + 1;
            AppendRange(out, from, std::min(to, clauses_.Order - 1));
            from = std::max(from, orderEnd);
        }
        AppendRange(out, from, to);
    }

    void AppendRange(std::string& out, int from, int to) const {
        if (to >= from)
            out.append(text_, static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1));
    }

    TSQLParser& parser_;
    const std::string& text_;
    int fromStart_;
    TSelectHead head_;
    TTopLevelClauses clauses_;
    TSelectList list_;
};
}  // namespace

std::string TSQLParser::GetCountSQL() {
    if (statementKind_ != TSQLStatementKind::Select)
        return {};
    int fromStart = 0, fromEnd = 0;
    GetFromBounds(fromStart, fromEnd);
    if (fromStart == 0)
        return {};
    TCountStatementBuilder builder(*this, fromStart);
    if (builder.CountsDerivedTable())
        return builder.DerivedTableCount();
    std::string sql = "Select Count(*) " + Copy(fromStart, fromEnd);
    int whereStart = 0, whereEnd = 0;
    std::string cond;
    GetMainWhere(whereStart, whereEnd, cond);
    if (!cond.empty())
        sql += "\r\n WHERE " + cond;
    return sql;
}
