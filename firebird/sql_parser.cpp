#include "firebird/sql_parser.h"

#include <algorithm>

#include "firebird/sql_words.h"

namespace {
// Where the table name of an INSERT ends: the first "(" or word SELECT or VALUES from pos, passing
// over quoted names; 0 when none follows.
int InsertTableEnd(std::string_view text, int pos) {
    const int len = static_cast<int>(text.size());
    for (; pos <= len; ++pos) {
        const char c = text[static_cast<std::size_t>(pos - 1)];
        if (c == '"') {
            const std::size_t close = text.find('"', static_cast<std::size_t>(pos));
            if (close == std::string_view::npos)
                return 0;
            pos = static_cast<int>(close) + 1;
        } else if (c == '(') {
            return pos;
        } else if (AfterBlankOrBracket(text, pos) &&
                   (SqlWordAt(text, pos, "SELECT", TWordFollow::BlankOrBracket) ||
                    SqlWordAt(text, pos, "VALUES", TWordFollow::BlankOrBracket))) {
            return pos;
        }
    }
    return 0;
}
}  // namespace

TSQLStatementKind GetStatementKind(std::string_view text, int pos) {
    if (pos < 1 || pos > static_cast<int>(text.size()))
        return TSQLStatementKind::Other;
    // The statement's first word counts as standing at the start, also behind a comment.
    const std::string_view rest = text.substr(static_cast<std::size_t>(pos - 1));
    if (IsSelectAt(rest, 1))
        return TSQLStatementKind::Select;
    if (IsUpdateAt(rest, 1))
        return TSQLStatementKind::Update;
    if (IsDeleteAt(rest, 1))
        return TSQLStatementKind::Delete;
    if (IsInsertAt(rest, 1))
        return TSQLStatementKind::Insert;
    if (IsExecuteAt(rest, 1))
        return TSQLStatementKind::Execute;
    if (IsDDLAt(rest, 1))
        return TSQLStatementKind::DDL;
    return TSQLStatementKind::Other;
}

void TSQLParser::SetSQLText(std::string text) {
    sqlText_ = std::move(text);
    scanState_ = TSQLScanState::Normal;
    bracketDepth_ = scanStartDepth_ = foundPos_ = lastCodePos_ = 0;
    stopAtClosingBracket_ = false;
    whereClausesFound_ = false;
    whereClauses_.clear();
    FindTextStart();
    statementKind_ = GetStatementKind(sqlText_, textStart_);
}

void TSQLParser::FindTextStart() {
    // Any number of comments may head the statement, of both kinds.
    textStart_ = SkipBlanksAndComments(sqlText_, 1);
}

std::string TSQLParser::Copy(int from, int to) const {
    from = std::max(from, 1);
    to = std::min(to, SQLLength());
    if (to < from)
        return {};
    return sqlText_.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1));
}

void TSQLParser::StopScan(int pos, int lastCode) {
    foundPos_ = pos;
    lastCodePos_ = lastCode;
}

void TSQLParser::Scan(int from, const TScanTest& test) {
    scanState_ = TSQLScanState::Normal;
    foundPos_ = 0;
    lastCodePos_ = 0;
    scanStartDepth_ = bracketDepth_;
    TSQLTextStates states(sqlText_);
    const int len = SQLLength();
    int lastCode = 0;
    for (int pos = std::max(from, 1); pos <= len; ++pos) {
        const TSQLCharStep step = states.Step(pos);
        scanState_ = states.State();
        if (step.Role == TSQLCharRole::OpenBracket) {
            ++bracketDepth_;
        } else if (step.Role == TSQLCharRole::CloseBracket) {
            if (stopAtClosingBracket_ && bracketDepth_ - 1 < scanStartDepth_)
                return StopScan(pos, lastCode);
            --bracketDepth_;
        } else if (step.Role == TSQLCharRole::Plain && test(pos)) {
            return StopScan(pos, pos == len && step.IsCode ? pos : lastCode);
        }
        if (step.IsCode)
            lastCode = pos;
    }
    // Only a scan that read something asks about the end, so that a scan resumed behind the last
    // stop cannot find it again.
    if (from <= len && states.EndsInNormalText() && test(len))
        StopScan(len, lastCode);
}

bool TSQLParser::IsFromWord(int pos) const {
    return AfterBlankOrBracket(sqlText_, pos) && SqlWordAt(sqlText_, pos, "FROM", TWordFollow::Blank);
}

bool TSQLParser::IsTopLevelFrom(int pos) const {
    return bracketDepth_ == 0 && IsFromWord(pos);
}

bool TSQLParser::IsFromEnd(int pos) const {
    if (bracketDepth_ > scanStartDepth_)
        return false;
    if (pos == SQLLength())
        return true;
    return IsSqlBlank(At(pos)) && (ClauseEndWordAt(sqlText_, pos + 1) ||
                                   SqlWordAt(sqlText_, pos + 1, "WHERE", TWordFollow::BlankOrBracket));
}

bool TSQLParser::IsSetWord(int pos) const {
    return AfterBlankOrBracket(sqlText_, pos) && SqlWordAt(sqlText_, pos, "SET", TWordFollow::Blank);
}

bool TSQLParser::IsIntoWord(int pos) const {
    return AfterBlankOrBracket(sqlText_, pos) && SqlWordAt(sqlText_, pos, "INTO", TWordFollow::Blank);
}

void TSQLParser::GetFromBounds(int& start, int& end) {
    start = end = 0;
    ResetBracketDepth();
    Scan(textStart_, [this](int pos) { return IsTopLevelFrom(pos); });
    if (foundPos_ == 0)
        return;
    const int fromPos = foundPos_;
    Scan(fromPos + 5, [this](int pos) { return IsFromEnd(pos); });
    if (foundPos_ == 0)
        return;
    start = fromPos;
    end = foundPos_;
}

std::string TSQLParser::GetFromClause() {
    int start = 0, end = 0;
    GetFromBounds(start, end);
    if (start == 0)
        return {};
    return Copy(start + 5, end == SQLLength() ? end : end - 1);
}

std::string TSQLParser::GetTargetTableText() {
    switch (statementKind_) {
        case TSQLStatementKind::Update: {
            ResetBracketDepth();
            Scan(textStart_, [this](int pos) { return IsSetWord(pos); });
            return Copy(textStart_ + 7, foundPos_ == 0 ? SQLLength() : foundPos_ - 2);
        }
        case TSQLStatementKind::Insert: {
            ResetBracketDepth();
            Scan(textStart_, [this](int pos) { return IsIntoWord(pos); });
            if (foundPos_ == 0)
                return "Unknown";
            const int nameStart = foundPos_ + 5;
            int nameEnd = InsertTableEnd(sqlText_, nameStart);
            if (nameEnd == 0)
                return {};
            // The name ends before the blanks in front of the bracket or word, so that T(A) gives T
            // as T (A) does.
            --nameEnd;
            while (nameEnd >= nameStart && IsSqlBlank(At(nameEnd))) --nameEnd;
            return Copy(nameStart, nameEnd);
        }
        case TSQLStatementKind::Delete:
            return GetFromClause();
        default:
            return {};
    }
}
