#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "firebird/fib_errors.h"
#include "firebird/sql_monitor_channel.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/sql_monitor_reader.h"
#include "firebird/sql_monitor_texts.h"
#include "platform/os/clock.h"
#include "platform/os/paths.h"
#include "platform/rtl/datetime.h"
#include "sql_monitor_fakes.h"
#include "sql_monitor_listener.h"

namespace {

using namespace monitor_test;
using namespace std::chrono_literals;

const std::vector<std::string_view> ObjectNames = {
    monitor_names::SharedMem,          monitor_names::Mutex,     monitor_names::WriteEvent,
    monitor_names::WriteFinishedEvent, monitor_names::ReadEvent, monitor_names::ReadFinishedEvent};

class SqlMonitorChannel : public ::testing::Test {
  protected:
    UniqueChannelName name;
};

TEST_F(SqlMonitorChannel, ObjectsAreReadableAndWritableByTheirOwnerOnly) {
    const mode_t previous = umask(0);  // the mode must not depend on the umask
    auto channel = TMonitorChannel::Open(name.Prefix());
    umask(previous);
    for (const std::string_view object : ObjectNames) {
        const int fd = shm_open(MonitorObjectName(name.Prefix(), object).c_str(), O_RDONLY, 0);
        ASSERT_GE(fd, 0) << object;
        struct stat info {};
        ASSERT_EQ(fstat(fd, &info), 0);
        close(fd);
        EXPECT_EQ(info.st_mode & 0777, 0600u) << object;
        EXPECT_EQ(info.st_uid, geteuid());
    }
}

TEST_F(SqlMonitorChannel, NamesAreValidPosixNames) {
    EXPECT_EQ(MonitorObjectName("", monitor_names::SharedMem), "/FIB.SQL.MONITOR.SharedMem");
    EXPECT_EQ(MonitorObjectName("a/b-", monitor_names::Mutex), "/a_b-FIB.SQL.MONITOR.Mutex");
}

TEST_F(SqlMonitorChannel, UntrustworthyObjectsAreRefused) {
    struct Case {
        const char* what;
        mode_t mode;
        off_t size;
    };
    const std::vector<Case> cases = {{"open to everyone", 0666, 2048}, {"shorter than the block", 0600, 100}};
    for (const Case& c : cases) {
        const std::string shm = MonitorObjectName(name.Prefix(), monitor_names::SharedMem);
        const int fd = shm_open(shm.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        fchmod(fd, c.mode);
        ASSERT_EQ(ftruncate(fd, c.size), 0);
        close(fd);
        try {
            TMonitorChannel::Open(name.Prefix());
            ADD_FAILURE() << c.what << " was opened";
        } catch (const EFIBClientError& error) {
            EXPECT_EQ(error.SqlErrorCode, fceCannotCreateSharedResource) << c.what;
        }
        TMonitorChannel::Unlink(name.Prefix());
    }
}

TEST_F(SqlMonitorChannel, ChannelThatCannotOpenDisablesTheHookQuietly) {
    TMonitorModule module(std::string(300, 'x'));  // longer than a name may be
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    ASSERT_NE(hook, nullptr);
    EXPECT_FALSE(hook->Enabled());
    EXPECT_FALSE(hook->ChannelOpen());
    FakeStatement statement;
    EXPECT_NO_THROW(hook->TraceExecute(statement));
    EXPECT_NO_THROW(hook->WriteTrace("text", mcExecute));
    EXPECT_EQ(hook->MonitorCount(), 0);
}

TEST_F(SqlMonitorChannel, WithoutListenersOnlyTheHandlersRun) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    ASSERT_TRUE(hook->ChannelOpen());
    int executes = 0;
    hook->OnExecute = [&](ITracedStatement&) { ++executes; };
    FakeStatement statement;
    hook->TraceExecute(statement);
    hook->WriteTrace("failed", mcExecute);
    EXPECT_EQ(executes, 1);
    EXPECT_FALSE(module.HasWriterThread());
    EXPECT_EQ(module.QueuedCount(), 0u);

    module.MonitorHookEnabled() = false;
    hook->TraceExecute(statement);
    EXPECT_EQ(executes, 1);
}

TEST_F(SqlMonitorChannel, ShutdownDoesNotWaitForTheQueueToDrain) {
    auto module = std::make_unique<TMonitorModule>(name.Prefix());
    TFIBSQLMonitorHook* hook = module->GetMonitorHook();
    EXPECT_EQ(module->GetMonitorHook(), hook);
    auto channel = TMonitorChannel::Open(name.Prefix());
    channel->Block().MonitorCount().fetch_add(1);  // a tool that never answers: a second per chunk
    for (int i = 0; i < 20; ++i) hook->WriteTrace("text " + std::to_string(i), mcExecute);
    const auto start = std::chrono::steady_clock::now();
    module.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST_F(SqlMonitorChannel, ToolReceivesOnlyTheCategoriesItWantsAndEveryServiceText) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    Listener listener(name.Prefix(), {mcExecute});
    FakeStatement statement;
    FakeTransaction transaction;
    hook->TracePrepare(statement);
    hook->TraceStartTransaction(transaction);
    hook->TraceExecute(statement);
    hook->TraceServiceAttach("svcBackup");
    const std::string expected = Traced(ExecuteTraceText(statement)) + Traced("svcBackup: [Attach]");
    EXPECT_EQ(listener.WaitForText(expected.size()), expected);
    const auto chunks = listener.WaitFor([](const auto&) { return false; }, 300ms);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].Category, mcExecute);
    EXPECT_EQ(chunks[1].Category, mcService);
}

TEST_F(SqlMonitorChannel, TransactionStepsNeedADefaultDatabase) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    Listener listener(name.Prefix(), {mcTransaction});
    int commits = 0;
    hook->OnCommit = [&](ITracedTransaction&) { ++commits; };
    FakeTransaction detached;
    detached.name = "trDetached";
    detached.hasDatabase = false;
    FakeTransaction attached;
    hook->TraceCommit(detached);
    hook->TraceSavepoint(detached, "SP", TSavepointKind::Set);
    hook->TraceCommit(attached);
    hook->TraceSavepoint(attached, "SP", TSavepointKind::Release);
    const std::string expected = Traced("trWrite: [Commit (Hard commit)](42)") +
                                 Traced("trWrite: Transaction(42) - [ReleaseSavePoint(\"SP\")]");
    EXPECT_EQ(listener.WaitForText(expected.size()), expected);
    EXPECT_EQ(commits, 2);
}

TEST_F(SqlMonitorChannel, LongTextGoesOutInChunksWithOneCategoryAndTimeStamp) {
    platform::ManualClock clock;
    platform::ScopedClock useClock(clock);
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    Listener listener(name.Prefix(), {mcExecute});
    const std::size_t header = Traced("").size();
    const std::string text = "select\t" + std::string(5000 - header - 7 - 3, 'x');  // the tab grows by 3
    ASSERT_EQ(Traced(text).size(), 5000u);
    hook->WriteTrace(text, mcExecute);
    EXPECT_EQ(listener.WaitForText(5000), Traced(text));
    const auto chunks = listener.WaitFor([](const auto& c) { return c.size() >= 3; });
    ASSERT_EQ(chunks.size(), 3u);
    const std::vector<std::size_t> sizes = {chunks[0].Text.size(), chunks[1].Text.size(),
                                            chunks[2].Text.size()};
    EXPECT_EQ(sizes, (std::vector<std::size_t>{2002, 2002, 996}));
    for (const TMonitorChunk& chunk : chunks) {
        EXPECT_EQ(chunk.Category, mcExecute);
        EXPECT_EQ(chunk.TimeStamp, Now());
    }
    EXPECT_NE(chunks[0].Text.find("select#$09x"), std::string::npos);
}

TEST_F(SqlMonitorChannel, ToolThatNeverAnswersIsDroppedWithinItsTimeOut) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    auto channel = TMonitorChannel::Open(name.Prefix());
    channel->Block().MonitorCount().fetch_add(1);  // a tool that attached, then died
    channel->Block().CategoryListeners(mcConnect)->fetch_add(1);
    FakeDatabase database;
    const auto start = std::chrono::steady_clock::now();
    hook->TraceConnect(database);
    EXPECT_TRUE(module.HasWriterThread());
    EXPECT_TRUE(Eventually([&] { return hook->MonitorCount() == 0 && module.QueuedCount() == 0; }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    hook->WriteTrace("failed", mcExecute);  // a text while nobody listens lets the thread go
    EXPECT_FALSE(module.HasWriterThread());
}

TEST_F(SqlMonitorChannel, LiveToolKeepsReceivingBesideADeadOne) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    auto channel = TMonitorChannel::Open(name.Prefix());
    Listener listener(name.Prefix(), {mcConnect});
    channel->Block().MonitorCount().fetch_add(1);  // the dead one
    FakeDatabase database;
    std::string expected;
    for (int i = 0; i < 3; ++i) {
        database.name = "db" + std::to_string(i);
        hook->TraceConnect(database);
        expected += Traced(database.name + ": [Connect]");
    }
    EXPECT_EQ(listener.WaitForText(expected.size()), expected);
    EXPECT_EQ(hook->MonitorCount(), 1);
}

TEST_F(SqlMonitorChannel, TextDroppedWhileTracingIsOffIsNotAnsweredWithTheLastChunkAgain) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    Listener listener(name.Prefix(), {mcExecute});
    hook->WriteTrace("first", mcExecute);
    ASSERT_EQ(listener.WaitForText(Traced("first").size()), Traced("first"));

    module.MonitorHookEnabled() = false;
    hook->WriteTrace("dropped", mcExecute);
    ASSERT_TRUE(Eventually([&] { return module.QueuedCount() == 0; }));
    module.MonitorHookEnabled() = true;
    hook->WriteTrace("second", mcExecute);
    const std::string expected = Traced("first") + Traced("second");
    EXPECT_EQ(listener.WaitForText(expected.size()), expected);
    EXPECT_EQ(listener.WaitFor([](const auto&) { return false; }, 300ms).size(), 2u);
}

TEST_F(SqlMonitorChannel, DisablingTheHookEndsTheWriterThread) {
    TMonitorModule module(name.Prefix());
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    Listener listener(name.Prefix(), {mcConnect});
    FakeDatabase database;
    int connects = 0;
    hook->OnConnect = [&](ITracedDatabase&) { ++connects; };
    hook->TraceConnect(database);
    EXPECT_TRUE(module.HasWriterThread());
    hook->SetEnabled(false);
    EXPECT_FALSE(module.HasWriterThread());
    hook->TraceConnect(database);
    EXPECT_EQ(connects, 1);
    EXPECT_FALSE(module.HasWriterThread());
}

// A tool that attached and never reads holds the writer at its first chunk for a second: the texts
// traced meanwhile may not take more than the queue's bound.
TEST_F(SqlMonitorChannel, QueueStaysWithinItsBoundWhileAToolNeverReads) {
    constexpr std::size_t bound = 64 * 1024;
    TMonitorModule module(name.Prefix(), bound);
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    TMonitorReader silent(name.Prefix(), {mcPrepare, mcExecute, mcFetch, mcConnect, mcTransaction});
    const std::string text(1000, 'x');
    std::size_t most = 0;
    for (int i = 0; i < 2000; ++i) {
        hook->WriteTrace(text, mcFetch);
        most = std::max(most, module.QueuedBytes());
    }
    EXPECT_LE(most, bound);
    EXPECT_GT(most, bound / 2);
    EXPECT_LT(module.QueuedCount(), 100u);
}

// A tool that keeps up more slowly than the texts come gets the newest texts, and before them
// how many it missed: what it read and what it was told of add up to what was traced.
TEST_F(SqlMonitorChannel, ToolThatFallsBehindIsToldHowManyTextsItMissed) {
    TMonitorModule module(name.Prefix(), 16 * 1024);
    TFIBSQLMonitorHook* hook = module.GetMonitorHook();
    Listener listener(name.Prefix(), {mcFetch});
    constexpr int traced = 3000;
    for (int i = 0; i < traced; ++i)
        hook->WriteTrace("T" + std::to_string(i) + std::string(1000, 'x') + "|", mcFetch);
    const std::string last = "T" + std::to_string(traced - 1) + "x";
    const auto chunks =
        listener.WaitFor([&](const auto& c) { return Listener::Joined(c).find(last) != std::string::npos; });
    const std::string text = Listener::Joined(chunks);
    ASSERT_NE(text.find(last), std::string::npos);
    std::size_t read = 0;
    for (std::size_t at = text.find('|'); at != std::string::npos; at = text.find('|', at + 1)) ++read;
    std::size_t told = 0;
    const std::string mark = "[Dropped] ";
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1))
        told += std::stoul(text.substr(at + mark.size()));
    EXPECT_GT(told, 0u);
    EXPECT_EQ(read + told, static_cast<std::size_t>(traced));
    bool noticeAsServiceText = false;
    for (const TMonitorChunk& chunk : chunks)
        if (chunk.Text.find(mark) != std::string::npos)
            noticeAsServiceText = chunk.Category == mcService;
    EXPECT_TRUE(noticeAsServiceText) << "every tool hears of the gap";
}

}  // namespace
