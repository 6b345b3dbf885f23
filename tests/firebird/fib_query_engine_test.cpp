// Statements on the embedded engine: selects, changes and procedure calls with named parameters,
// NULLs and macros; plans, row counts, the server's errors, auto-commit and the retry loop.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/pfib_query.h"
#include "firebird/sql_monitor_hook.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/transaction.h"
#include "tests/firebird/embedded_query.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::ExecSQL;
using fbtest::TConnection;
using fbtest::TEngineFolder;

class QueryOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        file_ = TEngineFolder::Get().CreateDatabase("query_engine");
        TConnection setup(file_);
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr,
                "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40), CODE VARCHAR(10), "
                "AMOUNT NUMERIC(18,4), NOTE BLOB SUB_TYPE 1)");
        ExecSQL(*setup.tr,
                "CREATE PROCEDURE P_SUM (A INTEGER, B INTEGER) RETURNS (S INTEGER, D INTEGER) AS "
                "BEGIN S = A + B; D = A - B; END");
        setup.tr->Commit();
    }

    void SetUp() override {
        c_.db->SetConnected(true);
        c_.db->SetDefaultTransaction(c_.tr.get());
        c_.tr->StartTransaction();
        ExecSQL(*c_.tr, "DELETE FROM T");
        ExecSQL(*c_.tr,
                "INSERT INTO T (ID, NAME, CODE, AMOUNT, NOTE) VALUES (1, 'ONE', 'A', 1.5, 'first note')");
        ExecSQL(*c_.tr, "INSERT INTO T (ID, NAME, CODE, AMOUNT) VALUES (2, 'TWO', 'B', 2.25)");
        ExecSQL(*c_.tr, "INSERT INTO T (ID, NAME, CODE, AMOUNT) VALUES (3, 'O''BRIEN', NULL, NULL)");
        c_.tr->CommitRetaining();
        q_->SetDatabase(c_.db.get());
        q_->SetTransaction(c_.tr.get());
    }

    void Run(const std::string& sql) {
        q_->SQL().SetText(sql);
        q_->Execute();
    }

    // The integer column of every row from the current one on.
    std::vector<int> Column(const std::string& name) {
        std::vector<int> values;
        for (; !q_->Eof(); q_->Next()) values.push_back(q_->FieldByName(name).ReadAsInteger());
        return values;
    }

    static std::int64_t CountSeenFromOutside() {
        TConnection other(file_);
        other.db->SetConnected(true);
        other.tr->StartTransaction();
        return fbtest::TEmbeddedQuery(other.db->GetClientLibrary(), *other.db->HandleAddress(),
                                      *other.tr->HandleAddress(), "SELECT COUNT(*) FROM T")
            .ReadInteger();
    }

    static inline std::string file_;
    TConnection c_{file_};
    TObjectPtr<TpFIBQuery> q_ = MakeComponent<TpFIBQuery>(nullptr);
};

TEST_F(QueryOnEngine, SelectLeavesTheFirstRowInFieldsAndEndsWithNil) {
    q_->SQL().SetText("select ID, NAME, AMOUNT from T where ID >= :LOW order by ID");
    q_->ParamByName("LOW").WriteAsInteger(2);
    q_->Execute();
    ASSERT_FALSE(q_->Eof());
    EXPECT_EQ(q_->FetchedCount(), 1);
    EXPECT_EQ(q_->FieldByName("NAME").ReadAsString(), "TWO");
    EXPECT_EQ(q_->FieldByName("AMOUNT").ReadAsCurrency(), 22500);
    ASSERT_NE(q_->Next(), nullptr);
    EXPECT_EQ(q_->FieldByName("NAME").ReadAsString(), "O'BRIEN");
    EXPECT_TRUE(q_->FieldByName("AMOUNT").ReadIsNull());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(q_->Next(), nullptr);
    EXPECT_TRUE(q_->Eof());
    EXPECT_EQ(q_->FetchedCount(), 2);
    EXPECT_EQ(q_->RowsAffected(), -1);
}

TEST_F(QueryOnEngine, EmptyResultIsAtTheEndAtOnce) {
    Run("select ID from T where ID > 100");
    EXPECT_TRUE(q_->Eof());
    EXPECT_EQ(q_->FetchedCount(), 0);
    EXPECT_TRUE(q_->FieldByName("ID").ReadIsNull());
}

TEST_F(QueryOnEngine, PositionalAndRepeatedNamedParameters) {
    q_->SQL().SetText("select ID from T where ID = :P or ID = :P + 1 or NAME = :\"Mixed Name\" order by ID");
    ASSERT_EQ(q_->GetParams().Count(), 3);
    q_->ParamByName("P").WriteAsInteger(1);
    q_->ParamByName("Mixed Name").WriteAsString("O'BRIEN");
    EXPECT_EQ(q_->GetParams()[1].ReadAsInteger(), 1);
    q_->Execute();
    EXPECT_EQ(Column("ID"), (std::vector<int>{1, 2, 3}));
    EXPECT_NE(q_->ServerSQL().find("ID = ? OR ID = ? + 1 OR NAME = ?"), std::string::npos) << q_->ServerSQL();
}

TEST_F(QueryOnEngine, NullParametersTurnComparisonsIntoIsNull) {
    struct Case {
        const char* sql;
        bool nullValue;
        std::vector<int> ids;
        const char* serverPart;
    };
    const Case cases[] = {
        {"select ID from T where CODE = :C order by ID", true, {3}, "CODE IS NULL"},
        {"select ID from T where CODE <> :C order by ID", true, {1, 2}, "CODE IS NOT NULL"},
        {"select ID from T where CODE = :C order by ID", false, {2}, "CODE = ?"},
        // An operator after the parameter keeps the comparison: NULL matches nothing.
        {"select ID from T where CODE = :C || '' order by ID", true, {}, "CODE = ? ||"},
    };
    for (const Case& c : cases) {
        q_->Close();
        q_->SQL().SetText(c.sql);
        if (c.nullValue)
            q_->ParamByName("C").WriteIsNull(true);
        else
            q_->ParamByName("C").WriteAsString("B");
        q_->Execute();
        EXPECT_EQ(Column("ID"), c.ids) << c.sql;
        EXPECT_NE(q_->ServerSQL().find(c.serverPart), std::string::npos)
            << c.sql << " -> " << q_->ServerSQL();
    }
}

TEST_F(QueryOnEngine, NullStateChangeRebuildsTheSentText) {
    q_->SQL().SetText("select ID from T where CODE = :C order by ID");
    q_->ParamByName("C").WriteIsNull(true);
    q_->Execute();
    EXPECT_EQ(Column("ID"), std::vector<int>{3});
    q_->ParamByName("C").WriteAsString("A");
    q_->Execute();
    EXPECT_EQ(Column("ID"), std::vector<int>{1});
    q_->ParamByName("C").WriteIsNull(true);
    q_->Execute();
    EXPECT_EQ(Column("ID"), std::vector<int>{3});
}

TEST_F(QueryOnEngine, NoForceIsNullSendsTheComparisonAsWritten) {
    q_->Options.Include(qoNoForceIsNull);
    q_->SQL().SetText("select ID from T where CODE = :C");
    q_->ParamByName("C").WriteIsNull(true);
    q_->Execute();
    EXPECT_TRUE(q_->Eof());
}

TEST_F(QueryOnEngine, MacrosPutTheirValuesIntoTheText) {
    struct Case {
        const char* sql;
        const char* macro;
        const char* value;  // nullptr: the default
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"select @FIELDS%ID from T order by 1", "FIELDS", nullptr, {1, 2, 3}},
        {"select @@FIELDS%ID@ from T order by 1", "FIELDS", "ID, NAME", {1, 2, 3}},
        {"select ID from T where NAME = @N%#ONE", "N", nullptr, {1}},
        // A quoted value keeps its own apostrophes.
        {"select ID from T where NAME = @N%#ONE", "N", "O'BRIEN", {3}},
        // A value naming its own macro is inserted once, as text.
        {"select ID from T where NAME = @N%#ONE", "N", "@N", {}},
        {"select ID from T @W% order by ID", "W", "where ID < 3", {1, 2}},
    };
    for (const Case& c : cases) {
        q_->Close();
        q_->SQL().SetText(c.sql);
        if (c.value)
            q_->ParamByName(c.macro).WriteAsString(c.value);
        auto done = std::async(std::launch::async, [&] { q_->Execute(); });
        ASSERT_EQ(done.wait_for(std::chrono::seconds(20)), std::future_status::ready) << c.sql;
        done.get();
        EXPECT_EQ(Column("ID"), c.ids) << c.sql << " -> " << q_->ServerSQL();
    }
    EXPECT_EQ(q_->GetFields().Count(), 1);
}

TEST_F(QueryOnEngine, MacroValueOfSeveralColumnsWidensTheRow) {
    q_->SQL().SetText("select @@FIELDS%ID@ from T where ID = 1");
    q_->ParamByName("FIELDS").WriteAsString("NAME, CODE");
    q_->Execute();
    ASSERT_EQ(q_->GetFields().Count(), 2);
    EXPECT_EQ(q_->FieldByName("NAME").ReadAsString(), "ONE");
    EXPECT_EQ(q_->FieldByName("CODE").ReadAsString(), "A");
    EXPECT_NE(q_->ServerSQL().find("NAME, CODE"), std::string::npos);
}

TEST_F(QueryOnEngine, ParameterValuesSurviveAChangeOfText) {
    q_->SQL().SetText("select ID from T where ID = :X");
    q_->ParamByName("X").WriteAsInteger(2);
    q_->Execute();
    q_->Close();
    q_->SQL().SetText("select NAME from T where ID = :X or ID = :X + 100");
    EXPECT_EQ(q_->ParamByName("X").ReadAsInteger(), 2);
    EXPECT_EQ(q_->GetParams()[1].ReadAsInteger(), 2);
    q_->Execute();
    EXPECT_EQ(q_->FieldByName("NAME").ReadAsString(), "TWO");
}

TEST_F(QueryOnEngine, ChangingTheTextOfAnOpenStatementFails) {
    Run("select ID from T");
    try {
        q_->SQL().SetText("select NAME from T");
        FAIL() << "no error";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceDatasetOpen);
        EXPECT_NE(std::string(e.what()).find("change sql text"), std::string::npos) << e.what();
    }
    EXPECT_EQ(q_->SQL().Text(), "select ID from T\r\n");
    EXPECT_TRUE(q_->Open());
}

TEST_F(QueryOnEngine, ChangesReportTheirRowCounts) {
    struct Case {
        const char* sql;
        int id;  // 0: no parameter
        int rows;
    };
    const Case cases[] = {
        {"update T set CODE = 'Z'", 0, 3},
        {"insert into T (ID, NAME) values (:ID, 'FOUR')", 4, 1},
        {"update T set CODE = 'Y' where ID = :ID", 4, 1},
        {"update T set CODE = 'Y' where ID = :ID", 40, 0},
        {"delete from T where ID >= :ID", 3, 2},
    };
    for (const Case& c : cases) {
        q_->SQL().SetText(c.sql);
        if (c.id != 0)
            q_->ParamByName("ID").WriteAsInteger(c.id);
        q_->Execute();
        EXPECT_EQ(q_->RowsAffected(), c.rows) << c.sql << " " << c.id;
    }
}

TEST_F(QueryOnEngine, ProcedureCallFillsFieldsWithoutAFetch) {
    q_->SQL().SetText("execute procedure P_SUM(:A, :B)");
    q_->ParamByName("A").WriteAsInteger(7);
    q_->ParamByName("B").WriteAsInteger(5);
    q_->Execute();
    EXPECT_EQ(q_->SQLType(), SQLExecProcedure);
    EXPECT_FALSE(q_->FieldByName("S").ReadIsNull());
    EXPECT_EQ(q_->FieldByName("S").ReadAsInteger(), 12);
    EXPECT_EQ(q_->ParamByName("D").ReadAsInteger(), 2);
    EXPECT_THROW(q_->ParamByName("NOPE"), Exception);
}

TEST_F(QueryOnEngine, PlanOfAPreparedSelect) {
    q_->SQL().SetText("select NAME from T where ID = :ID");
    EXPECT_EQ(q_->GetPlanText(), "");
    q_->Prepare();
    EXPECT_EQ(q_->GetPlanText().rfind("PLAN (T INDEX (", 0), 0u) << q_->GetPlanText();
    q_->SQL().SetText("commit");
    EXPECT_EQ(q_->GetModifyTableName(), "");
}

TEST_F(QueryOnEngine, ServerErrorsCarryTheServerTextAndLeaveNoHandle) {
    q_->SQL().SetText("select * from MISSING_TABLE");
    try {
        q_->Prepare();
        FAIL() << "no error";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_NE(std::string(e.what()).find("MISSING_TABLE"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Table unknown"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(q_->Prepared());
    q_->SQL().SetText("insert into T (ID) values (1)");
    EXPECT_THROW(q_->Execute(), EFIBInterBaseError);
    EXPECT_TRUE(q_->Prepared());
}

TEST_F(QueryOnEngine, EmptyTextFailsOnPrepare) {
    for (const char* text : {"", "   \r\n  "}) {
        q_->SQL().SetText(text);
        try {
            q_->Execute();
            FAIL() << "no error for '" << text << "'";
        } catch (const EFIBClientError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceEmptyQuery);
            EXPECT_NE(std::string(e.what()).find("Prepare"), std::string::npos);
        }
    }
}

TEST_F(QueryOnEngine, ParamCheckOffSendsTheTextUnchanged) {
    q_->ParamCheck = false;
    q_->SQL().SetText("select ID from T where ID = ?");
    EXPECT_EQ(q_->GetParams().Count(), 0);
    EXPECT_NE(q_->ServerSQL().find("where ID = ?"), std::string::npos);
    q_->Prepare();
    EXPECT_EQ(q_->SQLType(), SQLSelect);
}

TEST_F(QueryOnEngine, ScannerErrorsKeepThePreviousParameters) {
    q_->SQL().SetText("select ID from T where ID = :ID");
    q_->ParamByName("ID").WriteAsInteger(1);
    EXPECT_THROW(q_->SQL().SetText("select ID from T where ID = :ID and NAME = 'open"), EFIBClientError);
    EXPECT_EQ(q_->ParamByName("ID").ReadAsInteger(), 1);
}

TEST_F(QueryOnEngine, AutoCommitRetainingCommitsOnlySuccess) {
    c_.tr->TimeoutAction = TACommitRetaining;
    q_->Options.Include(qoAutoCommit);
    q_->SQL().SetText("insert into T (ID, NAME) values (:ID, 'NEW')");
    q_->ParamByName("ID").WriteAsInteger(10);
    q_->Execute();
    EXPECT_TRUE(c_.tr->Active());
    EXPECT_EQ(CountSeenFromOutside(), 4);
    q_->ParamByName("ID").WriteAsInteger(1);
    EXPECT_THROW(q_->Execute(), EFIBInterBaseError);
    EXPECT_EQ(CountSeenFromOutside(), 4);
}

TEST_F(QueryOnEngine, StartTransactionOptionStartsAnInactiveOne) {
    c_.tr->Commit();
    q_->Options.Include(qoStartTransaction);
    Run("select count(*) from T");
    EXPECT_TRUE(c_.tr->Active());
    EXPECT_EQ(q_->GetFieldByIndex(0).ReadAsInteger(), 3);
}

TEST_F(QueryOnEngine, ExecuteErrorHandlerRetriesUntilItFails) {
    int executions = 0;
    q_->BeforeExecute = [&](TObject*) { executions = 0; };
    q_->OnExecuteError = [&](TpFIBQuery*, EFIBError&, TDataAction& action) {
        ++executions;
        action = executions < 3 ? daRetry : daFail;
    };
    q_->SQL().SetText("insert into T (ID) values (1)");
    EXPECT_THROW(q_->Execute(), EFIBInterBaseError);
    EXPECT_EQ(executions, 3);
    q_->OnExecuteError = [](TpFIBQuery*, EFIBError&, TDataAction& action) { action = daAbort; };
    EXPECT_THROW(q_->Execute(), EAbort);
}

TEST_F(QueryOnEngine, CursorClosedByTheServerClosesQuietly) {
    q_->CloseOnTransactionEnd = false;
    Run("select ID from T");
    c_.tr->Commit();
    EXPECT_NO_THROW(q_->Close());
    EXPECT_FALSE(q_->Open());
}

TEST_F(QueryOnEngine, FullCommitClosesTheCursor) {
    Run("select ID from T");
    c_.tr->Commit();
    EXPECT_FALSE(q_->Open());
}

TEST_F(QueryOnEngine, FailedFetchWithoutTransactionIsNotARow) {
    q_->GoToFirstRecordOnExecute = false;
    Run("select 1 / (ID - ID) from T");
    q_->SetTransaction(nullptr);
    EXPECT_THROW(q_->Next(), EFIBInterBaseError);
    EXPECT_EQ(q_->FetchedCount(), 0);
    EXPECT_TRUE(q_->Eof());
}

// The cursor closes between the failed fetch and the error: the error is still the fetch's.
TEST_F(QueryOnEngine, FailedFetchRaisesItsOwnErrorAfterTheCursorCloses) {
    Run("select 1 / (ID - 2) from T order by ID");
    try {
        q_->Next();
        FAIL() << "no error";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.ServerErrorCode, isc_arith_except);
        EXPECT_NE(std::string(e.what()).find("divide by zero"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(q_->Open());
    EXPECT_EQ(q_->FetchedCount(), 1);
}

TEST_F(QueryOnEngine, TextBlobsAndTheAccessInterface) {
    Run("select ID, NOTE from T where ID = 1");
    EXPECT_EQ(GetTextBlobField(*q_, "NOTE"), "first note");
    EXPECT_EQ(GetTextBlobField(*q_, "ID"), "");
    IParamFieldAccess& access = *q_;
    int index = -1;
    EXPECT_TRUE(access.FindFieldIndex("NOTE", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(access.FindFieldIndex("NONE", index));
    EXPECT_EQ(access.GetFieldValue(0).AsInteger(), 1);
    q_->Close();
    q_->SQL().SetText("select NAME from T where ID = :A");
    access.SetParamValue(0, Variant(2));
    EXPECT_EQ(access.GetParamName(0), "A");
    q_->Execute();
    EXPECT_EQ(access.GetFieldValueByName("NAME").AsString(), "TWO");
}

TEST_F(QueryOnEngine, DisconnectFreesTheStatement) {
    Run("select ID from T");
    c_.db->SetConnected(false);
    EXPECT_FALSE(q_->Prepared());
    EXPECT_FALSE(q_->Open());
}

}  // namespace

namespace {

TEST_F(QueryOnEngine, TraceChannelSeesPrepareExecuteAndEveryFetch) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    ASSERT_NE(hook, nullptr);
    if (!hook->Enabled())
        GTEST_SKIP() << "the trace channel could not open here";
    std::vector<std::string> steps;
    auto note = [&](const char* step) {
        return [&steps, step](ITracedStatement& statement) {
            steps.push_back(step + (": " + statement.SQLText()));
            if (std::string(step) == "prepare") {
                EXPECT_EQ(statement.PlanText().rfind("PLAN", 0), 0u);
            }
        };
    };
    hook->OnPrepare = note("prepare");
    hook->OnExecute = note("execute");
    hook->OnFetch = note("fetch");
    q_->SQL().SetText("select ID from T where ID < :N");
    q_->ParamByName("N").WriteAsInteger(3);
    q_->Execute();
    while (q_->Next()) {
    }
    hook->OnPrepare = hook->OnExecute = hook->OnFetch = nullptr;
    const std::string text = " SELECT ID FROM T WHERE ID < ? ";
    // The first row is fetched within the execution, which is traced when it is over.
    EXPECT_EQ(steps, (std::vector<std::string>{"prepare: " + text, "fetch: " + text, "execute: " + text,
                                               "fetch: " + text, "fetch: " + text}));
}

}  // namespace
