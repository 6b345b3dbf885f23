#pragma once
// What the SQL trace channel reads of a statement: a view over the statement, made for one trace.
#include <vector>

#include "firebird/sql_monitor_sources.h"

class TFIBQuery;
class TFIBXSQLVAR;
class TFIBXSQLDA;

class TQueryTraceView final : public ITracedStatement {
  public:
    explicit TQueryTraceView(TFIBQuery& query);

    std::string TraceName() const override;
    const std::string& SQLText() const override;
    std::string PlanText() const override;
    std::vector<const ITracedValue*> Params() const override;
    std::vector<const ITracedValue*> Columns() const override;
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
        std::string ReadAsString() const override;

      private:
        TFIBXSQLVAR& var_;
    };
    static std::vector<TValue> ValuesOf(TFIBXSQLDA& area);
    static std::vector<const ITracedValue*> Pointers(const std::vector<TValue>& values);

    TFIBQuery& query_;
    // Made when the channel asks: a fetch nobody listens to costs no allocation.
    mutable std::vector<TValue> params_;
    mutable std::vector<TValue> columns_;
};

// Sends the statement's step to the trace channel when one is enabled.
enum class TQueryTraceStep { Prepare, Execute, Fetch };
void TraceQuery(TFIBQuery& query, TQueryTraceStep step);
// "Owner.Name: [Prepare] message" or "[Execute]" to the channel, when one is enabled.
void TraceQueryFailure(TFIBQuery& query, const char* step, const std::string& message);
