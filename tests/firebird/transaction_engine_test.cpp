// Transactions on the embedded engine: over one or two databases, committed and rolled back,
// fully or retaining, ended by their idle timer, and failing at commit.
#include <gtest/gtest.h>

#include "firebird/database.h"
#include "firebird/pfib_transaction.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/transaction.h"
#include "platform/os/clock.h"
#include "platform/rtl/runtime.h"
#include "tests/firebird/embedded_query.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::ExecSQL;
using fbtest::TConnection;
using fbtest::TEngineFolder;

class TransactionOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (auto [file, name] : {std::pair{&first_, "tr_first"}, std::pair{&second_, "tr_second"}}) {
            *file = TEngineFolder::Get().CreateDatabase(name);
            TConnection setup(*file);
            setup.db->SetConnected(true);
            setup.tr->StartTransaction();
            ExecSQL(*setup.tr, "CREATE TABLE ITEMS (ID INTEGER)");
            setup.tr->Commit();
        }
    }

    void SetUp() override {
        for (const std::string* file : {&first_, &second_}) {
            TConnection c(*file);
            c.db->SetConnected(true);
            c.tr->StartTransaction();
            ExecSQL(*c.tr, "DELETE FROM ITEMS");
            c.tr->Commit();
        }
    }

    // Rows of ITEMS as another connection sees them.
    static std::int64_t CountSeenFromOutside(const std::string& file) {
        TConnection other(file);
        other.db->SetConnected(true);
        other.tr->StartTransaction();
        return fbtest::TEmbeddedQuery(other.db->GetClientLibrary(), *other.db->HandleAddress(),
                                      *other.tr->HandleAddress(), "SELECT COUNT(*) FROM ITEMS")
            .ReadInteger();
    }

    static inline std::string first_, second_;
};

TEST_F(TransactionOnEngine, OneTransactionOverTwoDatabasesCommitsOrRollsBackBoth) {
    for (const TTransactionAction action : {TACommit, TARollback}) {
        TConnection a(first_), b(second_);
        a.db->SetConnected(true);
        b.db->SetConnected(true);
        TObjectPtr<TFIBTransaction> both = MakeComponent<TFIBTransaction>(nullptr);
        both->SetDefaultDatabase(a.db.get());
        EXPECT_EQ(both->AddDatabase(b.db.get()), 1);
        both->StartTransaction();
        ASSERT_TRUE(both->Active());
        ExecSQL(*both, "INSERT INTO ITEMS VALUES (1)", a.db.get());
        ExecSQL(*both, "INSERT INTO ITEMS VALUES (2)", b.db.get());
        EXPECT_EQ(CountSeenFromOutside(first_), 0);
        both->EndTransaction(action, false);
        EXPECT_FALSE(both->Active());
        EXPECT_EQ(both->State(), tsInactive);
        const std::int64_t expected = action == TACommit ? 1 : 0;
        EXPECT_EQ(CountSeenFromOutside(first_), expected) << action;
        EXPECT_EQ(CountSeenFromOutside(second_), expected) << action;
        if (action == TACommit) {
            both->StartTransaction();
            ExecSQL(*both, "DELETE FROM ITEMS", a.db.get());
            ExecSQL(*both, "DELETE FROM ITEMS", b.db.get());
            both->Commit();
        }
    }
}

TEST_F(TransactionOnEngine, RetainingKeepsTheTransactionRunning) {
    TConnection c(first_);
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    const isc_tr_handle handle = c.tr->Handle();
    const std::int64_t id = c.tr->TransactionID();
    Variant current;
    ASSERT_TRUE(c.db->SelectValue("SELECT CURRENT_TRANSACTION FROM RDB$DATABASE", 0, current, c.tr.get()));
    EXPECT_EQ(id, current.AsInt64());

    std::vector<int> statesWhileEnding;
    c.tr->AddEndingHandler(
        tlEnding, MakeMethod<void(TFIBTransaction*, TTransactionAction, bool)>(
                      nullptr, &statesWhileEnding, [&](TFIBTransaction* tr, TTransactionAction, bool) {
                          statesWhileEnding.push_back(tr->State());
                      }));
    ExecSQL(*c.tr, "INSERT INTO ITEMS VALUES (1)");
    c.tr->CommitRetaining();
    EXPECT_EQ(c.tr->State(), tsActive);
    EXPECT_TRUE(c.tr->Active());
    EXPECT_EQ(c.tr->Handle(), handle);
    // The handle stays; the server numbers the transaction that goes on anew, and the id read
    // afterwards is that new number, not the one cached before.
    ASSERT_TRUE(c.db->SelectValue("SELECT CURRENT_TRANSACTION FROM RDB$DATABASE", 0, current, c.tr.get()));
    EXPECT_GT(current.AsInt64(), id);
    EXPECT_EQ(c.tr->TransactionID(), current.AsInt64());
    EXPECT_EQ(CountSeenFromOutside(first_), 1) << "committed";
    ExecSQL(*c.tr, "INSERT INTO ITEMS VALUES (2)");
    c.tr->RollbackRetaining();
    EXPECT_TRUE(c.tr->Active());
    EXPECT_EQ(c.tr->Handle(), handle);
    EXPECT_EQ(CountSeenFromOutside(first_), 1) << "the second row was rolled back";
    EXPECT_EQ(statesWhileEnding, (std::vector<int>{tsDoCommitRetaining, tsDoRollbackRetaining}));
    c.tr->Commit();
    EXPECT_EQ(c.tr->TransactionID(), 0);
}

TEST_F(TransactionOnEngine, AFailedCommitLeavesTheTransactionActiveOrForcedRollsBack) {
    // Building a unique index over duplicates is work the server defers to the commit.
    for (const bool force : {false, true}) {
        TConnection c(first_);
        c.db->SetConnected(true);
        c.tr->StartTransaction();
        ExecSQL(*c.tr, "INSERT INTO ITEMS VALUES (5)");
        ExecSQL(*c.tr, "INSERT INTO ITEMS VALUES (5)");
        c.tr->CommitRetaining();
        ExecSQL(*c.tr, "CREATE UNIQUE INDEX ITEMS_ID ON ITEMS (ID)");
        if (force) {
            EXPECT_NO_THROW(c.tr->EndTransaction(TACommit, true));
            EXPECT_FALSE(c.tr->Active());
            EXPECT_EQ(c.tr->State(), tsInactive);
        } else {
            EXPECT_THROW(c.tr->Commit(), EFIBInterBaseError);
            EXPECT_TRUE(c.tr->Active());
            EXPECT_EQ(c.tr->State(), tsActive) << "not left ending";
            c.tr->Rollback();
        }
        c.tr->StartTransaction();
        ExecSQL(*c.tr, "DELETE FROM ITEMS");
        c.tr->Commit();
    }
}

TEST_F(TransactionOnEngine, TheIdleTimerEndsTheTransactionByItsAction) {
    platform::ManualClock clock;
    platform::ScopedClock useClock(clock);
    auto tick = [&] {
        clock.Advance(500);
        platform::Runtime().Timers.ProcessDueTimers();
    };
    TConnection c(first_);
    c.db->SetConnected(true);
    c.tr->TimeoutAction = TACommitRetaining;
    int timeouts = 0;
    c.tr->OnTimeout = [&](TObject*) { ++timeouts; };
    c.tr->SetTimeout(500);
    c.tr->StartTransaction();
    ExecSQL(*c.tr, "INSERT INTO ITEMS VALUES (1)");
    tick();
    EXPECT_EQ(timeouts, 0);
    tick();
    EXPECT_EQ(timeouts, 1);
    EXPECT_TRUE(c.tr->Active()) << "retaining keeps it running";
    EXPECT_EQ(CountSeenFromOutside(first_), 1);
    c.tr->TimeoutAction = TARollback;
    ExecSQL(*c.tr, "INSERT INTO ITEMS VALUES (2)");
    tick();
    tick();
    EXPECT_EQ(timeouts, 2);
    EXPECT_FALSE(c.tr->Active());
    EXPECT_EQ(CountSeenFromOutside(first_), 1);
}

TEST_F(TransactionOnEngine, TheTraceHookHearsEachStep) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    ASSERT_NE(hook, nullptr);
    std::vector<std::string> heard;
    auto database = [&](const char* step) {
        return [&heard, step](ITracedDatabase& db) { heard.push_back(db.TraceName() + " " + step); };
    };
    auto transaction = [&](const char* step) {
        return [&heard, step](ITracedTransaction& tr) { heard.push_back(tr.TraceName() + " " + step); };
    };
    hook->OnConnect = database("connect");
    hook->OnDisconnect = database("disconnect");
    hook->OnStartTransaction = [&](ITracedTransaction& tr) {
        EXPECT_GT(tr.TransactionID(), 0) << "a started transaction has its server id";
        transaction("start")(tr);
    };
    hook->OnCommit = transaction("commit");
    hook->OnCommitRetaining = transaction("commit retaining");
    hook->OnRollback = transaction("rollback");
    hook->OnRollbackRetaining = transaction("rollback retaining");
    {
        TConnection c(first_);
        c.db->SetName("Clinic");
        c.tr->SetName("Work");
        c.db->SynchronizeTime = false;
        c.db->SetConnected(true);
        c.tr->StartTransaction();
        c.tr->CommitRetaining();
        c.tr->RollbackRetaining();
        c.tr->Commit();
        c.tr->StartTransaction();
        c.db->SetConnected(false);
    }
    for (auto* handler : {&hook->OnStartTransaction, &hook->OnCommit, &hook->OnCommitRetaining,
                          &hook->OnRollback, &hook->OnRollbackRetaining})
        *handler = nullptr;
    hook->OnConnect = nullptr;
    hook->OnDisconnect = nullptr;
    EXPECT_EQ(heard, (std::vector<std::string>{"Clinic connect", "Work start", "Work commit retaining",
                                               "Work rollback retaining", "Work commit", "Work start",
                                               "Work rollback", "Clinic disconnect"}));
}

TEST_F(TransactionOnEngine, StartingNeedsConnectedDatabases) {
    TConnection c(first_);
    try {
        c.tr->StartTransaction();
        ADD_FAILURE() << "started on a closed database";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceDatabaseClosed);
    }
    EXPECT_FALSE(c.tr->Active());
    TObjectPtr<TFIBTransaction> lonely = MakeComponent<TFIBTransaction>(nullptr);
    lonely->SetName("Lonely");
    try {
        lonely->StartTransaction();
        ADD_FAILURE() << "started without databases";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceNoDatabasesInTransaction);
        EXPECT_EQ(e.Message, "Lonely :No databases are listed in transaction component.");
    }
}

TEST_F(TransactionOnEngine, ParameterBlockModesSetTheIsolation) {
    const struct {
        TTPBMode mode;
        const char* lines;
        int isolation;
    } cases[] = {
        {tpbReadCommitted, "", isc_info_tra_read_committed},
        {tpbRepeatableRead, "read_committed", isc_info_tra_concurrency},
        {tpbDefault, "write\nconsistency", isc_info_tra_consistency},
    };
    for (const auto& k : cases) {
        TConnection c(first_);
        c.db->SetConnected(true);
        auto tr = MakeComponent<TpFIBTransaction>(nullptr);
        tr->SetDefaultDatabase(c.db.get());
        tr->TPBMode = k.mode;
        tr->TRParams().SetText(k.lines);
        std::vector<std::string> heard;
        tr->BeforeStart = [&](TObject*) { heard.push_back("BeforeStart " + std::to_string(tr->Active())); };
        tr->AfterStart = [&](TObject*) { heard.push_back("AfterStart " + std::to_string(tr->Active())); };
        tr->BeforeEnd = [&](TFIBTransaction*, TTransactionAction a, bool) {
            heard.push_back("BeforeEnd " + std::to_string(a));
        };
        tr->AfterEnd = [&](TFIBTransaction*, TTransactionAction, bool) {
            heard.push_back("AfterEnd " + std::to_string(tr->Active()));
        };
        tr->StartTransaction();
        tr->StartTransaction();  // already running: nothing
        const char items[] = {isc_info_tra_isolation, isc_info_end};
        char reply[32] = {};
        ASSERT_EQ(c.db->GetClientLibrary().isc_transaction_info(StatusVector(), tr->HandleAddress(),
                                                                sizeof items, items, sizeof reply, reply),
                  0);
        EXPECT_EQ(reply[3], k.isolation) << k.mode;
        tr->Commit();
        EXPECT_EQ(heard,
                  (std::vector<std::string>{"BeforeStart 0", "AfterStart 1", "BeforeEnd 2", "AfterEnd 0"}))
            << k.mode;
    }
}

}  // namespace
