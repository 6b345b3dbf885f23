// Connections on the embedded engine: attach and detach, information items, the dialect, the
// server time, single-row selects, generator values, the idle timer and the server's errors.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "firebird/database.h"
#include "firebird/fib_base.h"
#include "firebird/transaction.h"
#include "platform/os/clock.h"
#include "platform/rtl/runtime.h"
#include "tests/firebird/embedded_query.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::ExecSQL;
using fbtest::TConnection;
using fbtest::TEngineFolder;

class DatabaseOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        file_ = TEngineFolder::Get().CreateDatabase("connection");
        TConnection setup(file_);
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr, "CREATE TABLE NOTES (ID INTEGER, TITLE VARCHAR(20), BODY BLOB SUB_TYPE TEXT)");
        ExecSQL(*setup.tr, "CREATE SEQUENCE NOTE_IDS");
        setup.tr->Commit();
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr, "INSERT INTO NOTES VALUES (7, 'first', 'a longer text')");
        ExecSQL(*setup.tr, "ALTER SEQUENCE NOTE_IDS RESTART WITH 40");
        setup.tr->Commit();
    }
    static inline std::string file_;
};

TEST_F(DatabaseOnEngine, AttachesReadsInformationAndDetaches) {
    TConnection c(file_);
    int connected = 0;
    c.db->OnConnect = [&](TObject* sender) {
        EXPECT_EQ(sender, c.db.get());
        ++connected;
    };
    c.db->SetConnected(true);
    ASSERT_TRUE(c.db->Connected());
    EXPECT_NE(c.db->Handle(), 0u);
    EXPECT_EQ(connected, 1);
    EXPECT_EQ(c.db->GetServerDialect(), 3);
    const TDBInfoValue pageSize = c.db->GetInfoValue(isc_info_page_size);
    EXPECT_TRUE(pageSize.Returned);
    EXPECT_GE(pageSize.Value, 4096);
    // The server's clock is this machine's: the measured offset is well under a minute.
    EXPECT_LT(std::fabs(c.db->ServerTimeOffset()), 1.0 / 1440);
    // What the connection was made with stays put while it lasts.
    for (auto change : std::initializer_list<std::function<void()>>{
             [&] { c.db->SetDBName("other.fdb"); }, [&] { c.db->DBParams().Add("lc_ctype=UTF8"); },
             [&] { c.db->SetLibraryName("libfbclient.so.3"); }, [&] { c.db->OpenConnection(); }}) {
        try {
            change();
            ADD_FAILURE() << "changed while connected";
        } catch (const EFIBClientError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceDatabaseOpen);
        }
    }
    EXPECT_EQ(c.db->DBName(), file_);
    EXPECT_EQ(c.db->DBParams().Text(), "user_name=SYSDBA\r\n");
    c.db->SetConnected(false);
    EXPECT_FALSE(c.db->Connected());
    EXPECT_EQ(c.db->Handle(), 0u);
    EXPECT_NO_THROW(c.db->Close());
    EXPECT_THROW(c.db->CloseConnection(false), EFIBClientError);
}

TEST_F(DatabaseOnEngine, TheServersDialectCapsTheConnections) {
    const std::string dialect1 = TEngineFolder::Get().CreateDatabase("dialect1", 1);
    const struct {
        const std::string* file;
        int asked, kept;
    } cases[] = {{&dialect1, 3, 1}, {&dialect1, 1, 1}, {&file_, 3, 3}, {&file_, 1, 1}};
    for (const auto& c : cases) {
        TConnection conn(*c.file);
        conn.db->SetSQLDialect(c.asked);
        conn.db->SetConnected(true);
        EXPECT_EQ(conn.db->SQLDialect(), c.kept) << *c.file << " asked " << c.asked;
        EXPECT_EQ(conn.db->GetServerDialect(), c.file == &dialect1 ? 1 : 3);
        try {
            conn.db->SetSQLDialect(conn.db->GetServerDialect() + 1);
            ADD_FAILURE() << "a dialect above the server's was taken";
        } catch (const EFIBClientError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceSQLDialectInvalid);
        }
    }
}

TEST_F(DatabaseOnEngine, SelectsOneValueOrAWholeRow) {
    TConnection c(file_);
    c.db->SetConnected(true);
    Variant value;
    ASSERT_TRUE(c.db->SelectValue("SELECT TITLE FROM NOTES WHERE ID = 7", 0, value));
    EXPECT_EQ(value.AsString(), "first");
    ASSERT_TRUE(c.db->SelectValue("SELECT ID, TITLE, BODY FROM NOTES", -1, value));
    ASSERT_EQ(value.DimCount(), 1);
    EXPECT_EQ(value.LowBound(1), 0);
    EXPECT_EQ(value.HighBound(1), 2);
    EXPECT_EQ(value[0].AsInteger(), 7);
    EXPECT_EQ(value[1].AsString(), "first");
    EXPECT_EQ(value[2].AsString(), "a longer text");
    ASSERT_TRUE(c.db->SelectValue("SELECT TITLE FROM NOTES WHERE ID = ?", 0, value, nullptr, {Variant(7)}));
    EXPECT_EQ(value.AsString(), "first");
    // The internal transaction was started for each select and committed after it.
    EXPECT_FALSE(c.db->InternalWriteTransaction().Active());
}

// A database given no pool makes its own, which reads the library's named parameters.
TEST_F(DatabaseOnEngine, NamedParametersRunWithoutAPoolGiven) {
    TConnection c(file_);
    c.db->SetConnected(true);
    for (const char* sql :
         {"SELECT TITLE FROM NOTES WHERE ID = :ID", "SELECT TITLE FROM NOTES WHERE ID = ?ID"}) {
        Variant value;
        ASSERT_TRUE(c.db->SelectValue(sql, 0, value, nullptr, {Variant(7)})) << sql;
        EXPECT_EQ(value.AsString(), "first") << sql;
    }
    IFIBQueryPool& own = c.db->QueryPool();
    EXPECT_EQ(&c.db->QueryPool(), &own) << "made once, kept for the next statements";
    EXPECT_GE(c.db->GenerateID("NOTE_IDS", nullptr, 0), 40);
    EXPECT_FALSE(c.db->InternalWriteTransaction().Active());
}

TEST_F(DatabaseOnEngine, GeneratorValuesCommitOnlyWhatTheyStarted) {
    TConnection c(file_);
    c.db->SetConnected(true);
    const std::int64_t current = c.db->GenerateID("NOTE_IDS", nullptr, 0);
    EXPECT_EQ(c.db->GenerateID("NOTE_IDS", nullptr, 0), current);
    EXPECT_EQ(c.db->GenerateID("NOTE_IDS", nullptr, 5), current + 5);
    EXPECT_FALSE(c.db->InternalReadTransaction().Active());
    // A transaction already running is used and left running.
    c.tr->StartTransaction();
    EXPECT_EQ(c.db->GenerateID("NOTE_IDS", nullptr, 1), current + 6);
    EXPECT_TRUE(c.tr->Active());
    EXPECT_FALSE(c.db->InternalReadTransaction().Active());
    c.tr->Rollback();
}

TEST_F(DatabaseOnEngine, GeneratorNamesFollowTheDialectsCase) {
    // Under dialect 3 a lower-case name is another generator unless old names are upper-cased.
    const struct {
        int dialect;
        bool upperOldNames;
        bool found;
    } cases[] = {{3, false, false}, {3, true, true}, {1, false, true}};
    for (const auto& k : cases) {
        TConnection c(file_);
        c.db->SetSQLDialect(k.dialect);
        c.db->UpperOldNames = k.upperOldNames;
        c.db->SetConnected(true);
        bool found = true;
        try {
            c.db->GenerateID("note_ids", nullptr, 0);
        } catch (const EFIBInterBaseError& e) {
            found = false;
            EXPECT_NE(e.Message.find("note_ids"), std::string::npos) << e.Message;
        }
        EXPECT_EQ(found, k.found) << "dialect " << k.dialect << " upper " << k.upperOldNames;
        EXPECT_FALSE(c.db->InternalReadTransaction().Active());
    }
}

TEST_F(DatabaseOnEngine, FailuresRaiseTheServersError) {
    TConnection missing(TEngineFolder::Get().Path() / "no_such.fdb");
    try {
        missing.db->SetConnected(true);
        ADD_FAILURE() << "attached to a missing file";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.Sender, missing.db.get());
        EXPECT_NE(e.ServerMessage.find("no_such.fdb"), std::string::npos) << e.Message;
    }
    EXPECT_FALSE(missing.db->Connected());
    EXPECT_EQ(missing.db->Handle(), 0u);

    TConnection c(file_);
    c.db->SetConnected(true);
    Variant value;
    try {
        c.db->SelectValue("SELECT NOTHING FROM NOTES", 0, value);
        ADD_FAILURE() << "an unknown column was selected";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.SqlErrorCode, -206);
        EXPECT_NE(e.Message.find("NOTHING"), std::string::npos) << e.Message;
    }
    // The transaction started for the failed select was rolled back.
    EXPECT_FALSE(c.db->InternalWriteTransaction().Active());
}

TEST_F(DatabaseOnEngine, LinksHearTheConnectionChangeInOrder) {
    TConnection c(file_);
    std::vector<std::string> heard;
    TFIBBase first(nullptr), second(nullptr);
    for (auto [link, name] : {std::pair{&first, "1"}, std::pair{&second, "2"}}) {
        link->SetDatabase(c.db.get());
        const std::string n = name;
        link->OnBeforeConnect = [&heard, n](TFIBBase*) { heard.push_back("before connect " + n); };
        link->OnAfterConnect = [&heard, n](TFIBBase*) { heard.push_back("after connect " + n); };
        link->OnBeforeDisconnect = [&heard, n](TFIBBase*) { heard.push_back("before disconnect " + n); };
        link->OnAfterDisconnect = [&heard, n](TFIBBase*) { heard.push_back("after disconnect " + n); };
    }
    c.db->BeforeDisconnect = [&](TObject*) { heard.push_back("BeforeDisconnect"); };
    c.db->AfterDisconnect = [&](TObject*) { heard.push_back("AfterDisconnect"); };
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    c.db->SetConnected(false);
    EXPECT_FALSE(c.tr->Active()) << "the disconnect ended the transaction";
    const std::vector<std::string> expected = {
        "before connect 1",   "before connect 2",    "after connect 1",     "after connect 2",
        "BeforeDisconnect",   "before disconnect 1", "before disconnect 2", "after disconnect 1",
        "after disconnect 2", "AfterDisconnect"};
    EXPECT_EQ(heard, expected);
}

TEST_F(DatabaseOnEngine, TheIdleTimerClosesOnItsSecondTickWithoutClientCalls) {
    platform::ManualClock clock;
    platform::ScopedClock useClock(clock);
    auto tick = [&] {
        clock.Advance(1000);
        platform::Runtime().Timers.ProcessDueTimers();
    };
    TConnection c(file_);
    c.db->SetConnected(true);
    bool connectedInHandler = true;
    int timeouts = 0;
    c.db->OnTimeout = [&](TObject*) {
        connectedInHandler = c.db->Connected();
        ++timeouts;
    };
    c.db->SetTimeout(1000);
    tick();
    EXPECT_TRUE(c.db->Connected());
    // A client call between ticks counts as use.
    c.db->GetServerDialect();
    tick();
    EXPECT_TRUE(c.db->Connected());
    tick();
    ASSERT_FALSE(c.db->Connected());
    EXPECT_EQ(timeouts, 1);
    EXPECT_FALSE(connectedInHandler) << "OnTimeout fires after the close";
    tick();
    EXPECT_EQ(timeouts, 1);
    try {
        c.db->SetTimeout(-1);
        ADD_FAILURE() << "a negative timeout was taken";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceTimeoutNegative);
    }
}

TEST_F(DatabaseOnEngine, ShutDownClosesEveryConnectedDatabase) {
    TConnection a(file_), b(file_), idle(file_);
    a.db->SetConnected(true);
    b.db->SetConnected(true);
    b.tr->StartTransaction();
    CloseAllDatabases();
    EXPECT_FALSE(a.db->Connected());
    EXPECT_FALSE(b.db->Connected());
    EXPECT_FALSE(b.tr->Active());
    EXPECT_FALSE(idle.db->Connected());
}

TEST_F(DatabaseOnEngine, DisconnectHandlerFailuresNameTheDatabase) {
    auto owner = MakeComponent<TComponent>(nullptr);
    owner->SetName("Form");
    auto* db = NewComponent<TFIBDatabase>(owner.get());
    db->SetName("Clinic");
    db->SetDBName(file_);
    db->DBParams().SetText("user_name=SYSDBA");
    db->SetConnected(true);
    db->BeforeDisconnect = [](TObject*) { throw Exception("boom"); };
    try {
        db->Close();
        ADD_FAILURE() << "the handler's failure was lost";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Error of Form.Clinic.BeforeDisconnect. boom");
    }
    EXPECT_TRUE(db->Connected()) << "a refused disconnect keeps the connection";

    // While the database is freed the failure goes to the program's report, and the
    // attachment goes with the database all the same.
    std::vector<std::string> reported;
    auto previous = platform::Runtime().Exceptions.SetHandler([&](TObject*, std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            reported.push_back(e.Message);
        }
    });
    Free(db);
    platform::Runtime().Exceptions.SetHandler(previous);
    EXPECT_EQ(reported, (std::vector<std::string>{
                            "Error of Form.Clinic.BeforeDisconnect. Probably you are trying to get access to "
                            "destroyed components. boom"}));
}

}  // namespace
