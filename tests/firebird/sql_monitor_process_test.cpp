// The monitor program as a second process, as a person would run it beside the kiosk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "firebird/sql_monitor_module.h"
#include "firebird/sql_monitor_texts.h"
#include "platform/os/paths.h"
#include "sql_monitor_fakes.h"
#include "sql_monitor_listener.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

using namespace monitor_test;
using namespace std::chrono_literals;

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// fib_sql_monitor, built beside the test, writing what it receives to a file; killed at the end.
class MonitorProcess {
  public:
    MonitorProcess(const std::string& prefix, const std::filesystem::path& output) {
        const std::string program = ExtractFilePath(ExecutablePath()) + "fib_sql_monitor";
        if (access(program.c_str(), X_OK) != 0)
            throw std::runtime_error(program + " is missing: build the fib_sql_monitor target");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> args = {program, "--prefix", prefix};
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        const int result = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (result != 0)
            throw std::runtime_error("cannot start " + program);
    }
    ~MonitorProcess() { Kill(); }
    void Kill() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
};

class SqlMonitorProcess : public ::testing::Test {
  protected:
    UniqueChannelName name;
    testsupport::TempDir dir{"sql_monitor"};
    TMonitorModule module{name.Prefix()};
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
};

TEST_F(SqlMonitorProcess, MonitorReceivesEveryTextInOrder) {
    MonitorProcess monitor(name.Prefix(), dir / "received.txt");
    ASSERT_TRUE(Eventually([&] { return hook->MonitorCount() == 1; }));

    FakeDatabase database;
    FakeTransaction transaction;
    FakeStatement statement;
    statement.sql = "select *\tfrom TICKETS\r\nwhere ID = ?\x01";
    statement.params = {{"ID", 496, "7"}, {"NAME", 448, "Иванов"}};
    FakeStatement longStatement;
    longStatement.sql = "insert into LOG values ('" + std::string(4500, 'L') + "\x1b')";
    longStatement.changesRows = true;
    longStatement.rowsAffected = 1;

    hook->TraceConnect(database);
    hook->TraceStartTransaction(transaction);
    hook->TracePrepare(statement);
    hook->TraceExecute(statement);
    hook->TraceExecute(longStatement);
    hook->TraceFetch(statement);
    hook->TraceCommit(transaction);
    hook->TraceServiceStart("svcBackup");
    hook->TraceDisconnect(database);
    const std::string expected = Traced(ConnectTraceText(database)) +
                                 Traced(TransactionTraceText(transaction, TTransactionStep::Start)) +
                                 Traced(PrepareTraceText(statement)) + Traced(ExecuteTraceText(statement)) +
                                 Traced(ExecuteTraceText(longStatement)) + Traced(FetchTraceText(statement)) +
                                 Traced(TransactionTraceText(transaction, TTransactionStep::Commit)) +
                                 Traced("svcBackup: [Start]") + Traced(DisconnectTraceText(database));
    ASSERT_GT(Traced(ExecuteTraceText(longStatement)).size(), MonitorChunkSize);
    ASSERT_NE(expected.find("*#$09from"), std::string::npos);

    Eventually([&] { return FileText(dir / "received.txt").size() >= expected.size(); });
    EXPECT_EQ(FileText(dir / "received.txt"), expected);
}

TEST_F(SqlMonitorProcess, MonitorThatDiesHoldsTheWriterNoLongerThanItsTimeOut) {
    Listener listener(name.Prefix(), {mcExecute});
    MonitorProcess monitor(name.Prefix(), dir / "received.txt");
    ASSERT_TRUE(Eventually([&] { return hook->MonitorCount() == 2; }));
    FakeStatement statement;
    hook->TraceExecute(statement);
    const std::string first = Traced(ExecuteTraceText(statement));
    ASSERT_EQ(listener.WaitForText(first.size()), first);
    Eventually([&] { return FileText(dir / "received.txt").size() >= first.size(); });

    monitor.Kill();
    const auto killed = std::chrono::steady_clock::now();
    std::string expected = first;
    for (int i = 0; i < 3; ++i) {
        statement.sql = "select " + std::to_string(i) + " from RDB$DATABASE";
        hook->TraceExecute(statement);
        expected += Traced(ExecuteTraceText(statement));
    }
    EXPECT_EQ(listener.WaitForText(expected.size()), expected);
    EXPECT_LT(std::chrono::steady_clock::now() - killed, 10s);
    EXPECT_EQ(hook->MonitorCount(), 1);
}

}  // namespace
