#pragma once
// The kinds of SQL statement, numbered as the server reports them, and what a transaction may ask
// of a statement that runs in it.
enum TFIBSQLTypes {
    SQLUnknown = 0,
    SQLSelect = 1,
    SQLInsert = 2,
    SQLUpdate = 3,
    SQLDelete = 4,
    SQLDDL = 5,
    SQLGetSegment = 6,
    SQLPutSegment = 7,
    SQLExecProcedure = 8,
    SQLStartTransaction = 9,
    SQLCommit = 10,
    SQLRollback = 11,
    SQLSelectForUpdate = 12,
    SQLSetGenerator = 13,
    SQLSavePointOperation = 14,
};

class IFIBStatementKind {
  public:
    virtual ~IFIBStatementKind() = default;
    virtual TFIBSQLTypes SQLType() const = 0;
};
