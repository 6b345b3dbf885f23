#pragma once
// What the trace texts need to know of the objects they describe. Statements, databases,
// transactions and their values implement these so the trace channel does not depend on them.
#include <cstdint>
#include <functional>
#include <string>

// A parameter of a statement or a column of its current row.
class ITracedValue {
  public:
    virtual ~ITracedValue() = default;
    virtual const std::string& Name() const = 0;
    virtual bool IsNull() const = 0;
    virtual int SqlType() const = 0;  // the SQL type without its null flag (448, 520 ...)
    // The value's text appended to out; may raise when the value has no text, after appending a
    // part of it.
    virtual void AppendText(std::string& out) const = 0;
};

// Called for each value in order; the value lives only for the call.
using TTracedValueVisitor = std::function<void(const ITracedValue&)>;

class ITracedStatement {
  public:
    virtual ~ITracedStatement() = default;
    virtual const std::string& TraceName() const = 0;  // the owning dataset's name, else the statement's own
    virtual const std::string& SQLText() const = 0;
    virtual std::string PlanText() const = 0;  // may raise when the plan cannot be read
    virtual void ForEachParam(const TTracedValueVisitor& visit) const = 0;
    virtual void ForEachColumn(const TTracedValueVisitor& visit) const = 0;
    virtual bool ChangesRows() const = 0;  // INSERT, UPDATE or DELETE
    virtual std::int64_t RowsAffected() const = 0;
    virtual std::uint64_t ExecuteMillis() const = 0;  // how long the last execution took
    virtual bool Eof() const = 0;                     // the cursor has reached its end
};

class ITracedDatabase {
  public:
    virtual ~ITracedDatabase() = default;
    virtual std::string TraceName() const = 0;
};

class ITracedTransaction {
  public:
    virtual ~ITracedTransaction() = default;
    virtual std::string TraceName() const = 0;
    virtual std::int64_t TransactionID() const = 0;  // the server's id
    virtual bool HasDefaultDatabase() const = 0;
};

// The savepoint steps, in the order their numbers are stored.
enum class TSavepointKind { Set = 0, RollbackTo = 1, Release = 2 };

// The trace categories; the block keeps a listener counter for each but Service.
enum TMonitorCategory : int {
    mcPrepare = 0,
    mcExecute = 1,
    mcFetch = 2,
    mcConnect = 3,
    mcTransaction = 4,
    mcService = 5,
};
constexpr int MonitorCategoryCount = 6;
