#pragma once
// What the SQL trace channel reads of a statement: a view over the statement, made for one trace.
#include "firebird/sql_monitor_sources.h"

class TFIBQuery;
class TFIBXSQLVAR;
class TFIBXSQLDA;

class TQueryTraceView final : public ITracedStatement {
  public:
    explicit TQueryTraceView(TFIBQuery& query);

    const std::string& TraceName() const override;
    const std::string& SQLText() const override;
    std::string PlanText() const override;
    void ForEachParam(const TTracedValueVisitor& visit) const override;
    void ForEachColumn(const TTracedValueVisitor& visit) const override;
    bool ChangesRows() const override;
    std::int64_t RowsAffected() const override;
    std::uint64_t ExecuteMillis() const override;
    bool Eof() const override;

  private:
    class TValue final : public ITracedValue {
      public:
        explicit TValue(TFIBXSQLVAR& var) : var_(var) {}
        const std::string& Name() const override;
        bool IsNull() const override;
        int SqlType() const override;
        void AppendText(std::string& out) const override;

      private:
        TFIBXSQLVAR& var_;
    };
    // Read in place from the descriptor area, one value at a time: tracing a row allocates nothing.
    static void ForEachValue(TFIBXSQLDA& area, const TTracedValueVisitor& visit);

    TFIBQuery& query_;
};

// Sends the statement's step to the trace channel when one is enabled.
enum class TQueryTraceStep { Prepare, Execute, Fetch };
void TraceQuery(TFIBQuery& query, TQueryTraceStep step);
// "Owner.Name: [Prepare] message" or "[Execute]" to the channel, when one is enabled.
void TraceQueryFailure(TFIBQuery& query, const char* step, const std::string& message);
