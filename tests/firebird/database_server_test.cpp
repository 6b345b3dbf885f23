// Connections through the Firebird server on the loopback, as the kiosk's users reach it.
#include <gtest/gtest.h>

#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "platform/os/dynamic_library.h"
#include "tests/firebird/embedded_query.h"
#include "tests/firebird/local_server.h"

namespace {

using fbtest::TLocalServer;

struct TServerConnection {
    TServerConnection(const std::string& target, const std::string& password) {
        db->SetDBName(target);
        db->DBParams().SetText("user_name=SYSDBA\npassword=" + password + "\nlc_ctype=UTF8");
        db->SetSQLDialect(3);
        tr->SetDefaultDatabase(db.get());
        tr->TRParams().SetText("write\nread_committed\nrec_version\nnowait");
    }
    void Exec(const std::string& sql) {
        db->RaiseIfFailed(db->ResetFpuAndMarkUsed(db->GetClientLibrary().isc_dsql_execute_immediate(
            StatusVector(), db->HandleAddress(), tr->HandleAddress(), 0, sql.c_str(), 3, nullptr)));
    }
    std::int64_t Count() {
        return fbtest::TEmbeddedQuery(db->GetClientLibrary(), *db->HandleAddress(), *tr->HandleAddress(),
                                      "SELECT COUNT(*) FROM VISITS")
            .ReadInteger();
    }
    TObjectPtr<TFIBDatabase> db = MakeComponent<TFIBDatabase>(nullptr);
    TObjectPtr<TFIBTransaction> tr = MakeComponent<TFIBTransaction>(nullptr);
};

class DatabaseOnServer : public ::testing::Test {
  protected:
    void SetUp() override {
        TLocalServer& server = TLocalServer::Get();
        if (!server.Unavailable().empty())
            GTEST_SKIP() << "Firebird server unavailable: " << server.Unavailable();
        if (target_.empty()) {
            target_ = server.CreateDatabase("visits");
            TServerConnection setup(target_, server.Password());
            setup.db->SetConnected(true);
            setup.tr->StartTransaction();
            setup.Exec("CREATE TABLE VISITS (ID INTEGER)");
            setup.tr->Commit();
        }
    }
    static inline std::string target_;
};

TEST_F(DatabaseOnServer, AttachesOverTheLoopback) {
    TServerConnection c(target_, TLocalServer::Get().Password());
    c.db->SetConnected(true);
    ASSERT_TRUE(c.db->Connected());
    EXPECT_EQ(c.db->GetServerDialect(), 3);
    EXPECT_TRUE(c.db->GetInfoValue(isc_info_page_size).Returned);
    Variant user;
    ASSERT_TRUE(c.db->SelectValue("SELECT CURRENT_USER FROM RDB$DATABASE", 0, user));
    EXPECT_EQ(user.AsString().substr(0, 6), "SYSDBA");
    c.db->SetConnected(false);
    EXPECT_EQ(c.db->Handle(), 0u);
}

TEST_F(DatabaseOnServer, TwoConnectionsSeeEachOthersCommittedRows) {
    const std::string& password = TLocalServer::Get().Password();
    TServerConnection a(target_, password), b(target_, password);
    a.db->SetConnected(true);
    b.db->SetConnected(true);
    a.tr->StartTransaction();
    b.tr->StartTransaction();
    const std::int64_t before = b.Count();
    a.Exec("INSERT INTO VISITS VALUES (1)");
    EXPECT_EQ(b.Count(), before) << "not yet committed";
    a.tr->Commit();
    EXPECT_EQ(b.Count(), before + 1);
    b.Exec("INSERT INTO VISITS VALUES (2)");
    b.tr->CommitRetaining();
    a.tr->StartTransaction();
    EXPECT_EQ(a.Count(), before + 2);
    a.tr->Commit();
    b.tr->Commit();
}

TEST_F(DatabaseOnServer, AWrongPasswordIsRefusedWithTheServersLoginError) {
    TServerConnection c(target_, TLocalServer::Get().Password() + "x");
    try {
        c.db->SetConnected(true);
        ADD_FAILURE() << "attached with a wrong password";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.ServerErrorCode, isc_login);
        EXPECT_NE(e.Message.find("Your user name and password are not defined"), std::string::npos)
            << e.Message;
        // The client's own reading of the same status vector.
        HMODULE client = LoadLibrary(DefaultClientLibraryName);
        ASSERT_NE(client, nullptr);
        auto sqlState =
            reinterpret_cast<void (*)(char*, const ISC_STATUS*)>(GetProcAddress(client, "fb_sqlstate"));
        ASSERT_NE(sqlState, nullptr);
        char state[6] = {};
        sqlState(state, StatusVector());
        EXPECT_STREQ(state, "28000");
        FreeLibrary(client);
    }
    EXPECT_FALSE(c.db->Connected());
    EXPECT_EQ(c.db->Handle(), 0u);
}

}  // namespace
