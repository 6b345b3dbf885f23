#pragma once
// Stand-ins for the statements, values and transactions the trace channel describes, and a
// channel name prefix of each test's own so tests running at once never share a channel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "firebird/sql_monitor_channel.h"
#include "firebird/sql_monitor_sources.h"

namespace monitor_test {

struct FakeValue : ITracedValue {
    FakeValue(std::string name, int sqlType, std::string text, bool isNull = false, bool fails = false)
        : name(std::move(name)), sqlType(sqlType), text(std::move(text)), isNull(isNull), fails(fails) {}
    const std::string& Name() const override { return name; }
    bool IsNull() const override { return isNull; }
    int SqlType() const override { return sqlType; }
    // A failing value appends a part of its text before it raises.
    void AppendText(std::string& out) const override {
        if (fails) {
            out += text;
            throw std::runtime_error("no text");
        }
        out += text;
    }
    std::string name;
    int sqlType;
    std::string text;
    bool isNull;
    bool fails;
};

struct FakeStatement : ITracedStatement {
    const std::string& TraceName() const override { return name; }
    const std::string& SQLText() const override { return sql; }
    std::string PlanText() const override {
        if (planFails)
            throw std::runtime_error("no plan");
        return plan;
    }
    void ForEachParam(const TTracedValueVisitor& visit) const override {
        for (const FakeValue& param : params) visit(param);
    }
    void ForEachColumn(const TTracedValueVisitor& visit) const override {
        for (const FakeValue& column : columns) visit(column);
    }
    bool ChangesRows() const override { return changesRows; }
    std::int64_t RowsAffected() const override { return rowsAffected; }
    std::uint64_t ExecuteMillis() const override { return executeMillis; }
    bool Eof() const override { return eof; }

    std::string name = "qryTickets";
    std::string sql = "select * from TICKETS";
    std::string plan = "PLAN (TICKETS NATURAL)";
    bool planFails = false;
    std::vector<FakeValue> params;
    std::vector<FakeValue> columns;
    bool changesRows = false;
    std::int64_t rowsAffected = 0;
    std::uint64_t executeMillis = 0;
    bool eof = false;
};

struct FakeDatabase : ITracedDatabase {
    std::string TraceName() const override { return name; }
    std::string name = "dbClinic";
};

struct FakeTransaction : ITracedTransaction {
    std::string TraceName() const override { return name; }
    std::int64_t TransactionID() const override { return id; }
    bool HasDefaultDatabase() const override { return hasDatabase; }
    std::string name = "trWrite";
    std::int64_t id = 42;
    bool hasDatabase = true;
};

// A channel prefix no other test process or test uses; its objects are removed afterwards.
class UniqueChannelName {
  public:
    UniqueChannelName() {
        static std::atomic<int> next{0};
        prefix_ = "kiosk-test-" + std::to_string(getpid()) + "-" + std::to_string(next++) + "-";
    }
    ~UniqueChannelName() { TMonitorChannel::Unlink(prefix_); }
    const std::string& Prefix() const { return prefix_; }

  private:
    std::string prefix_;
};

}  // namespace monitor_test
