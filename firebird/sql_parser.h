#pragma once
// TSQLParser finds and edits the clauses of one SQL statement as plain text, without a grammar: the
// kind of statement, its FROM clause, its WHERE clauses, and statements derived from it (a record
// count, an added or replaced condition). It scans character by character, passing over quoted
// strings and comments and counting brackets. Positions are 1-based; 0 means none.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "firebird/sql_text_states.h"

enum class TSQLStatementKind : std::uint8_t {
    Other = 0,
    Select = 1,
    Update = 2,
    Insert = 3,
    Delete = 4,
    Execute = 5,
    DDL = 6,  // ALTER, CREATE, DROP, RECREATE
};

// The kind by the word at pos: SELECT, UPDATE, DELETE, INSERT, EXECUTE, then the DDL words.
TSQLStatementKind GetStatementKind(std::string_view text, int pos);

// One WHERE clause: the word WHERE at Start, its condition from CondStart to End (the last
// character of the condition that belongs to the statement; a trailing comment is not part of it).
// End is 0 when the clause has no end (the text stops inside a string, a comment or a bracket).
struct TWhereClauseBounds {
    int Start = 0;
    int CondStart = 0;
    int End = 0;
    int Depth = 0;  // bracket depth of the word WHERE
};

class TSQLParser {
  public:
    // Answers whether the scan stops at a position.
    using TScanTest = std::function<bool(int pos)>;

    TSQLParser() = default;
    explicit TSQLParser(std::string text) { SetSQLText(std::move(text)); }

    // Stores the text, finds where the statement's first word stands and its kind.
    void SetSQLText(std::string text);
    const std::string& SQLText() const { return sqlText_; }
    int SQLLength() const { return static_cast<int>(sqlText_.size()); }
    // The statement's first word: behind leading blanks and comments.
    int TextStart() const { return textStart_; }
    TSQLStatementKind StatementKind() const { return statementKind_; }

    // Scan state of the last scan and where it stopped.
    TSQLScanState ScanState() const { return scanState_; }
    int BracketDepth() const { return bracketDepth_; }
    int ScanStartDepth() const { return scanStartDepth_; }
    int FoundPos() const { return foundPos_; }
    // The last character before the stop that belongs to the statement (no blank, no comment);
    // at a stop at the text's end, the last one of the text. 0 when the scan saw none.
    int LastCodePos() const { return lastCodePos_; }
    bool StopAtClosingBracket() const { return stopAtClosingBracket_; }
    void SetStopAtClosingBracket(bool stop) { stopAtClosingBracket_ = stop; }
    // Scans that continue a previous one keep its depth; operations that read the statement from
    // its start begin at depth 0.
    void ResetBracketDepth() { bracketDepth_ = 0; }

    // Walks from `from` to the end, asking `test` about every character of normal text at any depth
    // (not about brackets, quotes, "*", "-", strings or comments); FoundPos receives the stop. With
    // StopAtClosingBracket, a ")" that would take the depth below the depth at the start stops the scan
    // there. When the text ends outside strings and block comments, `test` is asked once more about the last
    // position, as the end of the text (ScanState then tells whether that position is in a line comment).
    void Scan(int from, const TScanTest& test);

    // Scan tests.
    bool IsFromWord(int pos) const;      // FROM after a blank or ")", followed by a blank
    bool IsTopLevelFrom(int pos) const;  // IsFromWord at depth 0
    bool IsFromEnd(int pos) const;       // where a FROM clause ends
    bool IsSetWord(int pos) const;       // SET after a blank or ")", followed by a blank
    bool IsIntoWord(int pos) const;      // INTO likewise

    // Start: the first FROM at depth 0; end: the blank in front of the word that ends the clause,
    // or the text's length. Both 0 when there is no such FROM or no end.
    void GetFromBounds(int& start, int& end);
    // The text after "FROM " up to the clause's end; empty without a FROM.
    std::string GetFromClause();
    // The table part of an UPDATE, INSERT or DELETE; "Unknown" for an INSERT without INTO.
    std::string GetTargetTableText();

    // Every WHERE clause in text order, found in one pass (computed once per text).
    const std::vector<TWhereClauseBounds>& WhereClauses();
    // The n-th WHERE clause (n = 0: the first). For n below 0: empty text, both positions 0; when
    // there is no such clause the positions keep the caller's values; when it has no end, start
    // is 0.
    void GetWhereClause(int n, int& start, std::string& text, int& end);
    void GetMainWhere(int& start, int& end, std::string& text);
    int WhereCount();
    // The number (from 1) of the first WHERE at depth 0; -1 when there is none.
    int MainWhereIndex();

    // New texts; the parser's own text stays as it is.
    std::string AddToWhere(std::string_view cond, bool indent);
    std::string ReplaceWhere(int n, std::string_view cond);
    std::string SetWhereText(std::string_view cond);
    // A statement counting the rows the select returns; empty for other statements.
    std::string GetCountSQL();

  private:
    char At(int pos) const { return sqlText_[static_cast<std::size_t>(pos - 1)]; }
    std::string Copy(int from, int to) const;  // positions from..to, empty when to < from
    void FindTextStart();
    void StopScan(int pos, int lastCode);
    std::vector<TWhereClauseBounds> FindWhereClauses() const;
    int InsertPointAfterFrom(int fromEnd);

    std::string sqlText_;
    int textStart_ = 1;
    TSQLStatementKind statementKind_ = TSQLStatementKind::Other;
    TSQLScanState scanState_ = TSQLScanState::Normal;
    int bracketDepth_ = 0;
    int scanStartDepth_ = 0;
    int foundPos_ = 0;
    int lastCodePos_ = 0;
    bool stopAtClosingBracket_ = false;
    bool whereClausesFound_ = false;
    std::vector<TWhereClauseBounds> whereClauses_;
};
