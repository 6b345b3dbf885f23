// Connections and transactions without a server: their checks, links, defaults, the login and
// the process's list of databases.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "firebird/database.h"
#include "firebird/fib_base.h"
#include "firebird/fib_errors.h"
#include "firebird/pfib_transaction.h"
#include "firebird/transaction.h"
#include "platform/os/registry.h"
#include "tests/support/temp_dir.h"

namespace {

TObjectPtr<TFIBDatabase> NamedDatabase(const std::string& name) {
    auto db = MakeComponent<TFIBDatabase>(nullptr);
    db->SetName(name);
    return db;
}

TObjectPtr<TFIBTransaction> NamedTransaction(const std::string& name) {
    auto tr = MakeComponent<TFIBTransaction>(nullptr);
    tr->SetName(name);
    return tr;
}

template <class F>
void ExpectClientError(F&& f, int code, const std::string& text) {
    try {
        f();
        ADD_FAILURE() << "no error " << code;
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, code);
        EXPECT_EQ(e.Message, text);
    }
}

TEST(Database, ChecksRaiseTheirClientErrors) {
    auto db = NamedDatabase("Clinic");
    auto tr = NamedTransaction("Work");
    TObjectPtr<TComponent> owner = MakeComponent<TComponent>(nullptr);
    owner->SetName("Query");
    TFIBBase link(owner.get());
    EXPECT_NO_THROW(db->Close()) << "closing a closed database does nothing";
    ExpectClientError([&] { db->CloseConnection(false); }, fceDatabaseClosed,
                      "Clinic: Cannot perform operation -- DB is not open.");
    ExpectClientError([&] { db->OpenConnection(); }, fceDatabaseNameMissing, "Database name is missing.");
    ExpectClientError([&] { db->SetSQLDialect(0); }, fceSQLDialectInvalid, "SQL Dialect invalid");
    ExpectClientError([&] { db->SetTimeout(-5); }, fceTimeoutNegative, "Timeout values cannot be negative.");
    ExpectClientError([&] { tr->Commit(); }, fceNotInTransaction, "Work :Transaction is not active.");
    ExpectClientError([&] { tr->StartTransaction(); }, fceNoDatabasesInTransaction,
                      "Work :No databases are listed in transaction component.");
    ExpectClientError([&] { tr->SetTimeout(-1); }, fceTimeoutNegative, "Timeout values cannot be negative.");
    ExpectClientError([&] { link.CheckDatabase(); }, fceDatabaseNotAssigned,
                      "Database not assigned for Query.");
    ExpectClientError([&] { link.CheckTransaction(); }, fceTransactionNotAssigned,
                      "Transaction not assigned for Query.");
    link.SetDatabase(db.get());
    ExpectClientError([&] { link.GetDBHandle(); }, fceDatabaseClosed,
                      "Clinic: Cannot perform operation -- DB is not open.");
    EXPECT_EQ(db->SQLDialect(), 1);
    db->SetSQLDialect(3);
    EXPECT_EQ(db->SQLDialect(), 3);
}

TEST(Database, LinksKeepTheirIndexesWhenOthersLeave) {
    auto db = NamedDatabase("Clinic");
    TFIBBase a(nullptr), b(nullptr), c(nullptr);
    for (TFIBBase* link : {&a, &b, &c}) link->SetDatabase(db.get());
    ASSERT_EQ(db->FIBBaseCount(), 3);
    a.SetDatabase(nullptr);
    // The last link moved into the gap and still finds its own slot.
    EXPECT_EQ(db->GetFIBBase(0), &c);
    EXPECT_EQ(db->GetFIBBase(1), &b);
    c.SetDatabase(nullptr);
    EXPECT_EQ(db->FIBBaseCount(), 1);
    EXPECT_EQ(db->GetFIBBase(0), &b);
    EXPECT_EQ(c.Database(), nullptr);
}

TEST(Database, LinksTakeTheDefaultsOfTheirDatabaseAndTransaction) {
    auto db = NamedDatabase("Clinic");
    auto tr = NamedTransaction("Work");
    db->SetDefaultTransaction(tr.get());
    EXPECT_EQ(tr->DefaultDatabase(), db.get()) << "a transaction without a database takes this one";
    EXPECT_EQ(tr->FindDatabase(db.get()), 0);

    TObjectPtr<TComponent> owner = MakeComponent<TComponent>(nullptr);
    TFIBBase owned(owner.get());
    owned.SetDatabase(db.get());
    EXPECT_EQ(owned.Transaction(), tr.get());
    TFIBBase ownerless(nullptr);
    ownerless.SetDatabase(db.get());
    EXPECT_EQ(ownerless.Transaction(), nullptr) << "only links with an owner take the default";

    TFIBBase byTransaction(nullptr);
    byTransaction.SetTransaction(tr.get());
    EXPECT_EQ(byTransaction.Database(), db.get()) << "the transaction's main database";

    // Freeing the transaction unlinks it everywhere.
    std::vector<std::string> heard;
    TFIBTransaction* freed = tr.get();
    owned.OnTransactionFreeing = [&](TFIBBase* link) {
        heard.push_back("owned");
        EXPECT_EQ(link->Transaction(), freed);
    };
    byTransaction.OnTransactionFreeing = [&](TFIBBase*) { heard.push_back("byTransaction"); };
    tr.reset();
    EXPECT_EQ(heard, (std::vector<std::string>{"byTransaction", "owned"})) << "last link first";
    EXPECT_EQ(owned.Transaction(), nullptr);
    EXPECT_EQ(byTransaction.Transaction(), nullptr);
    EXPECT_EQ(db->DefaultTransaction(), nullptr);
    // Freeing the database unlinks its links.
    owned.OnDatabaseFreeing = [&](TFIBBase*) { heard.push_back("database"); };
    db.reset();
    EXPECT_EQ(owned.Database(), nullptr);
    EXPECT_EQ(byTransaction.Database(), nullptr);
    EXPECT_EQ(heard.back(), "database");
}

TEST(Database, ATransactionWorksWithOneClientLibrary) {
    auto first = NamedDatabase("First");
    auto second = NamedDatabase("Second");
    first->SetLibraryName("gds32.dll");
    second->SetLibraryName("fbclient.dll");
    auto owner = MakeComponent<TComponent>(nullptr);
    owner->SetName("Form");
    auto* tr = NewComponent<TFIBTransaction>(owner.get());
    tr->SetName("Work");
    EXPECT_EQ(tr->AddDatabase(first.get()), 0);
    EXPECT_EQ(tr->AddDatabase(first.get()), 0);
    try {
        tr->AddDatabase(second.get());
        ADD_FAILURE() << "a second client library was taken";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Form.Work.\r\nTransaction can't work with different client library.");
    }
    EXPECT_EQ(tr->DatabaseCount(), 1);
    EXPECT_EQ(second->FindTransaction(tr), -1);
    EXPECT_THROW(second->SetDefaultTransaction(tr), Exception);
    EXPECT_EQ(second->DefaultTransaction(), nullptr);
}

TEST(Database, TransactionsAndDatabasesForgetEachOther) {
    auto db = NamedDatabase("Clinic");
    auto other = NamedDatabase("Other");
    auto tr = NamedTransaction("Work");
    tr->SetDefaultDatabase(db.get());
    EXPECT_EQ(db->FindTransaction(tr.get()), 2) << "after the two internal transactions";
    tr->SetDefaultDatabase(other.get());
    EXPECT_EQ(db->FindTransaction(tr.get()), -1);
    EXPECT_EQ(tr->DatabaseCount(), 1);
    EXPECT_EQ(tr->MainDatabase(), other.get());
    other.reset();
    EXPECT_EQ(tr->DatabaseCount(), 0);
    EXPECT_EQ(tr->DefaultDatabase(), nullptr);
    EXPECT_EQ(tr->MainDatabase(), nullptr);
}

TEST(Database, ParameterChangesAreRefusedOnlyWhileOpen) {
    auto tr = NamedTransaction("Work");
    tr->TRParams().Add("write");
    EXPECT_EQ(tr->TRParams().Count(), 1);
    auto db = NamedDatabase("Clinic");
    db->DBParams().Add("user_name=SYSDBA");
    db->SetDBName("clinic.fdb");
    EXPECT_EQ(db->DBName(), "clinic.fdb");
}

TEST(Database, OneDatabaseIsTheDefault) {
    auto a = NamedDatabase("A");
    auto b = NamedDatabase("B");
    a->SetDesignDBOptions({ddoIsDefaultDatabase});
    EXPECT_EQ(GlobalDefaultDatabase(), a.get());
    b->SetDesignDBOptions({ddoIsDefaultDatabase, ddoStoreConnected});
    EXPECT_EQ(GlobalDefaultDatabase(), b.get());
    EXPECT_FALSE(a->DesignDBOptions().Contains(ddoIsDefaultDatabase));
    b.reset();
    EXPECT_EQ(GlobalDefaultDatabase(), nullptr);
}

TEST(Database, EveryDatabaseIsListedWhileItExists) {
    auto a = NamedDatabase("A");
    TFIBDatabase* seen = nullptr;
    {
        auto b = NamedDatabase("B");
        seen = b.get();
        const std::vector<TFIBDatabase*> items = DatabaseList().Items();
        EXPECT_NE(std::find(items.begin(), items.end(), a.get()), items.end());
        EXPECT_NE(std::find(items.begin(), items.end(), seen), items.end());
    }
    const std::vector<TFIBDatabase*> items = DatabaseList().Items();
    EXPECT_EQ(std::find(items.begin(), items.end(), seen), items.end());
    EXPECT_NO_THROW(CloseAllDatabases());
}

TEST(Database, BlobFiltersWorkOnTheirOwnSubtypes) {
    auto db = NamedDatabase("Clinic");
    db->BlobFilters().Add(
        -5, [](std::string& data) { data += " read"; }, [](std::string& data) { data += " written"; });
    EXPECT_TRUE(db->HasBlobFilter(-5));
    EXPECT_FALSE(db->HasBlobFilter(-6));
    std::string data = "note";
    db->FilterBlob(data, false, -5);
    db->FilterBlob(data, true, -5);
    db->FilterBlob(data, true, -6);
    EXPECT_EQ(data, "note read written");
}

class DatabaseLogin : public ::testing::Test {
  protected:
    void TearDown() override { SetLoginDialogHook(previous_); }
    TLoginDialogHook previous_ = SetLoginDialogHook({});
};

TEST_F(DatabaseLogin, WritesWhatTheDialogReturnsIntoTheParameters) {
    const struct {
        const char* before;
        bool ok;
        const char* after;
    } cases[] = {
        {"isc_dpb_user_name=guest\r\nlc_ctype=UTF8\r\n", true,
         "user_name=ADMIN\r\nlc_ctype=UTF8\r\npassword=secret\r\nsql_role_name=NURSE\r\n"},
        {"", true, "user_name=ADMIN\r\npassword=secret\r\nsql_role_name=NURSE\r\n"},
        {"user_name=guest\r\n", false, "user_name=guest\r\n"},
    };
    for (const auto& c : cases) {
        auto db = NamedDatabase("Clinic");
        db->SetDBName("server:/data/clinic.fdb");
        db->DBParams().SetText(c.before);
        std::string shownName, shownUser;
        SetLoginDialogHook(
            [&](const std::string& name, std::string& user, std::string& password, std::string& role) {
                shownName = name;
                shownUser = user;
                user = "ADMIN";
                password = "secret";
                role = "NURSE";
                return c.ok;
            });
        EXPECT_EQ(db->Login(), c.ok) << c.before;
        EXPECT_EQ(shownName, "server:/data/clinic.fdb");
        EXPECT_EQ(shownUser, std::string(c.before).empty() ? "" : "guest");
        EXPECT_EQ(db->DBParams().Text(), c.after) << c.before;
    }
}

TEST_F(DatabaseLogin, AnEmptyPasswordStillGetsItsLine) {
    auto db = NamedDatabase("Clinic");
    db->DBParams().SetText("user_name=guest\r\npassword=old\r\n");
    SetLoginDialogHook([](const std::string&, std::string&, std::string& password, std::string&) {
        password.clear();
        return true;
    });
    ASSERT_TRUE(db->Login());
    EXPECT_EQ(db->DBParams().Text(), "user_name=guest\r\npassword=\r\nsql_role_name=\r\n");
}

TEST_F(DatabaseLogin, ACancelledOrMissingDialogStopsTheConnect) {
    auto db = NamedDatabase("Clinic");
    db->SetDBName("/nowhere/clinic.fdb");
    db->UseLoginPrompt = true;
    try {
        db->Login();
        ADD_FAILURE() << "logged in without a dialog";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message,
                  "Unable to find Database login dialog. Please, add FIBDBLoginDlg into USES statement "
                  "of your project.");
    }
    SetLoginDialogHook([](const std::string&, std::string&, std::string&, std::string&) { return false; });
    ExpectClientError([&] { db->SetConnected(true); }, fceOperationCancelled,
                      "Operation cancelled at user's request.");
    EXPECT_FALSE(db->Connected());
}

class TStatement : public TObject, public IFIBStatementKind {
  public:
    TFIBSQLTypes SQLType() const override { return SQLInsert; }
};

TEST(PFIBTransaction, StatementEventsCarryTheStatementsKind) {
    auto tr = MakeComponent<TpFIBTransaction>(nullptr);
    EXPECT_EQ(tr->TPBMode, tpbReadCommitted);
    EXPECT_EQ(tr->UserKindTransaction(), "NoUserKind");
    EXPECT_EQ(tr->About(), "5.3.0");
    std::vector<std::string> heard;
    tr->BeforeSQLExecute = [&](TObject*, TFIBSQLTypes kind) {
        heard.push_back("before " + std::to_string(kind));
    };
    tr->AfterSQLExecute = [&](TObject*, TFIBSQLTypes kind) {
        heard.push_back("after " + std::to_string(kind));
    };
    TStatement statement;
    TObject other;
    tr->SQLExecuted(&statement, 0);
    tr->SQLExecuted(&statement, 1);
    tr->SQLExecuted(&other, 1);
    tr->SQLExecuted(&statement, 2);
    EXPECT_EQ(heard, (std::vector<std::string>{"before 2", "after 2", "after 0"}));
}

TEST(PFIBTransaction, UserKindsComeFromTheRegistry) {
    testsupport::TempDir temp("fbkinds");
    const std::string previous = DefaultRegistryStore().Directory();
    SetRegistryDirectory((temp / "registry").string());
    {
        TRegistry reg;
        reg.OpenKey(std::string("\\") + TransactionKindsKey + "\\First", true);
        reg.WriteString("Name", "Reports");
        reg.WriteString("Params", "read\r\nread_committed\r\nrec_version");
        reg.OpenKey(std::string("\\") + TransactionKindsKey + "\\Second", true);
        reg.WriteString("Name", "Empty");
        reg.CloseKey();
    }
    const struct {
        const char* kind;
        bool found;
        const char* lines;
    } cases[] = {
        {"Reports", true, "read\r\nread_committed\r\nrec_version\r\n"},
        {"reports", false, "write\r\n"},
        {"Empty", false, "write\r\n"},
        {"Missing", false, "write\r\n"},
    };
    for (const auto& c : cases) {
        TStringList params;
        params.Add("write");
        EXPECT_EQ(ReadUserTransactionKind(c.kind, params), c.found) << c.kind;
        EXPECT_EQ(params.Text(), c.lines) << c.kind;
    }
    // Outside design time the setter only keeps the name.
    auto tr = MakeComponent<TpFIBTransaction>(nullptr);
    tr->SetUserKindTransaction("Reports");
    EXPECT_EQ(tr->UserKindTransaction(), "Reports");
    EXPECT_EQ(tr->TRParams().Count(), 0);
    EXPECT_EQ(tr->TPBMode, tpbReadCommitted);
    SetRegistryDirectory(previous);
}

}  // namespace
