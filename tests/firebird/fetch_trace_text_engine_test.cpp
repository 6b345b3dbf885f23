// The fetch trace text of real rows, built in place from the statement's descriptor area: every
// column kind the library shows, NULLs and a long text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/sql_monitor_hook.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/sql_monitor_texts.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::ExecSQL;
using fbtest::TConnection;
using fbtest::TEngineFolder;

// 5000 characters: more than two chunks of the shared block, sent whole.
std::string LongText() {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "0123456789";
    return text;
}

class FetchTraceOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        file_ = TEngineFolder::Get().CreateDatabase("fetch_trace_text");
        TConnection setup(file_);
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr,
                "CREATE TABLE K (ID INTEGER NOT NULL, SI SMALLINT, BI BIGINT, N NUMERIC(18,4), "
                "M NUMERIC(9,2), D DOUBLE PRECISION, C CHAR(6), V VARCHAR(6000), DT DATE, TM TIME, "
                "TS TIMESTAMP, B BOOLEAN, NOTE BLOB SUB_TYPE 1)");
        setup.tr->Commit();
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr,
                "INSERT INTO K VALUES (1, -3, -9223372036854775807, 1234.5670, -0.05, 2.5, 'ab', "
                "'Иванов', '2020-02-01', '13:05:07', '2020-02-01 13:05:07', TRUE, 'note text')");
        ExecSQL(*setup.tr, "INSERT INTO K (ID) VALUES (2)");
        ExecSQL(*setup.tr,
                "INSERT INTO K (ID, N, V, TS) VALUES (3, 0, '" + LongText() + "', '1999-12-31 00:00:00')");
        setup.tr->Commit();
    }

    void SetUp() override {
        c_.db->SetConnected(true);
        c_.tr->StartTransaction();
        q_->SetName("qryKinds");
        q_->SetDatabase(c_.db.get());
        q_->SetTransaction(c_.tr.get());
    }

    void TearDown() override {
        if (TFIBSQLMonitorHook* hook = GetMonitorHook())
            hook->OnFetch = nullptr;
    }

    // The fetch text of every row of the select, the one that meets the end of the cursor last.
    std::vector<std::string> FetchTexts(const std::string& sql) {
        TFIBSQLMonitorHook* hook = GetMonitorHook();
        std::vector<std::string> texts;
        hook->OnFetch = [&texts](ITracedStatement& statement) { texts.push_back(FetchTraceText(statement)); };
        q_->SQL().SetText(sql);
        q_->Execute();
        while (q_->Next()) {
        }
        hook->OnFetch = nullptr;
        return texts;
    }

    static std::string file_;
    TConnection c_{file_};
    TObjectPtr<TFIBQuery> q_ = MakeComponent<TFIBQuery>(nullptr);
};

std::string FetchTraceOnEngine::file_;

TEST_F(FetchTraceOnEngine, EachColumnKindNullsAndLongTextsAsTheirTexts) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    ASSERT_NE(hook, nullptr);
    if (!hook->Enabled())
        GTEST_SKIP() << "the trace channel could not open here";
    const std::vector<std::string> texts = FetchTexts("select * from K order by ID");
    ASSERT_EQ(texts.size(), 4u);
    const std::string head = "\r\nqryKinds: [Fetch] select * from K order by ID\r\n";
    const std::vector<std::string> rows = {
        "ID = 1\r\nSI = -3\r\nBI = -9223372036854775807\r\nN = 1234.567\r\nM = -0.05\r\nD = 2.5\r\n"
        "C = ab    \r\nV = Иванов\r\nDT = 01/02/2020\r\nTM = 13:05:07\r\nTS = 01/02/2020 13:05:07\r\n"
        "B = True\r\nNOTE = note text\r\n",
        "ID = 2\r\nSI = NULL\r\nBI = NULL\r\nN = NULL\r\nM = NULL\r\nD = NULL\r\nC = NULL\r\nV = NULL\r\n"
        "DT = NULL\r\nTM = NULL\r\nTS = NULL\r\nB = NULL\r\nNOTE = NULL\r\n",
        "ID = 3\r\nSI = NULL\r\nBI = NULL\r\nN = 0\r\nM = NULL\r\nD = NULL\r\nC = NULL\r\nV = " + LongText() +
            "\r\nDT = NULL\r\nTM = NULL\r\nTS = 31/12/1999\r\nB = NULL\r\nNOTE = NULL\r\n",
    };
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(texts[i], head + rows[i]) << "row " << i + 1;
    const std::string eof = "\r\n  End of file reached";
    EXPECT_EQ(texts.back().substr(0, head.size()), head);
    EXPECT_EQ(texts.back().substr(texts.back().size() - eof.size()), eof);
}

TEST_F(FetchTraceOnEngine, CharColumnsAreTrimmedWhenTheStatementTrimsThem) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    ASSERT_NE(hook, nullptr);
    if (!hook->Enabled())
        GTEST_SKIP() << "the trace channel could not open here";
    q_->Options.Include(qoTrimCharFields);
    const std::vector<std::string> texts = FetchTexts("select C, V from K where ID = 1");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(),
              "\r\nqryKinds: [Fetch] select C, V from K where ID = 1\r\nC = ab\r\nV = Иванов\r\n");
}

}  // namespace
