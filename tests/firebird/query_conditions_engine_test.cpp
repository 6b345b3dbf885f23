// Conditions applied to statements on the embedded engine change the rows they return.
#include <gtest/gtest.h>

#include "firebird/database.h"
#include "firebird/pfib_query.h"
#include "firebird/query_conditions.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::ExecSQL;
using fbtest::TConnection;
using fbtest::TEngineFolder;

struct TFilterCase {
    std::string Sql;
    std::string Conditions;  // the conditions' text form
    std::vector<int> Ids;
};

class ConditionsOnEngine : public ::testing::TestWithParam<TFilterCase> {
  protected:
    static void SetUpTestSuite() {
        file_ = TEngineFolder::Get().CreateDatabase("conditions_engine");
        TConnection setup(file_);
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr,
                "CREATE TABLE GOODS (ID INTEGER NOT NULL PRIMARY KEY, KIND VARCHAR(5), PRICE INTEGER)");
        setup.tr->Commit();
        setup.tr->StartTransaction();
        for (const char* row : {"1, 'A', 5", "2, 'B', 50", "3, 'B', 7", "4, 'C', 1"})
            ExecSQL(*setup.tr, std::string("INSERT INTO GOODS VALUES (") + row + ")");
        setup.tr->Commit();
    }

    void SetUp() override {
        c_.db->SetConnected(true);
        c_.tr->StartTransaction();
        q_->SetDatabase(c_.db.get());
        q_->SetTransaction(c_.tr.get());
    }

    std::vector<int> Ids() {
        q_->Execute();
        std::vector<int> ids;
        for (; !q_->Eof(); q_->Next()) ids.push_back(q_->FieldByName("ID").ReadAsInteger());
        q_->Close();
        return ids;
    }

    static inline std::string file_;
    TConnection c_{file_};
    TObjectPtr<TpFIBQuery> q_ = MakeComponent<TpFIBQuery>(nullptr);
    TConditions conditions_{q_.get()};
};

TEST_P(ConditionsOnEngine, AppliedConditionsFilterTheRowsAndCancellingBringsThemBack) {
    q_->SQL().SetText(GetParam().Sql);
    const std::vector<int> all = Ids();
    conditions_.SetAsText(GetParam().Conditions);
    conditions_.Apply();
    EXPECT_EQ(Ids(), GetParam().Ids) << q_->SQL().Text();
    conditions_.CancelApply();
    EXPECT_EQ(Ids(), all);
}

// A text set from outside becomes the new base: applying again must not bring the old one back.
TEST_P(ConditionsOnEngine, TheQuerysOwnConditionsFollowATextSetFromOutside) {
    TConditions& own = q_->Conditions();
    q_->SQL().SetText(GetParam().Sql);
    const std::string base = q_->SQL().Text();
    const std::vector<int> all = Ids();
    own.SetAsText(GetParam().Conditions);
    own.Apply();
    EXPECT_TRUE(own.Applied());
    EXPECT_EQ(own.BaseSQLText(), base);
    EXPECT_EQ(Ids(), GetParam().Ids) << q_->SQL().Text();
    own.CancelApply();
    EXPECT_EQ(q_->SQL().Text(), base);
    EXPECT_EQ(Ids(), all);

    own.Apply();
    std::string descending = GetParam().Sql;
    descending.replace(descending.rfind("ORDER BY ID"), 11, "ORDER BY ID DESC");
    q_->SQL().SetText(descending);
    EXPECT_FALSE(own.Applied());
    EXPECT_EQ(own.BaseSQLText(), "");
    EXPECT_NE(q_->SQL().Text().find("DESC"), std::string::npos) << q_->SQL().Text();
    own.Apply();
    EXPECT_EQ(Ids(), std::vector<int>(GetParam().Ids.rbegin(), GetParam().Ids.rend())) << q_->SQL().Text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConditionsOnEngine,
    ::testing::Values(
        TFilterCase{"SELECT ID FROM GOODS ORDER BY ID", "kind#$#$KIND = 'B'#$#$1", {2, 3}},
        TFilterCase{
            "SELECT ID FROM GOODS ORDER BY ID", "kind#$#$KIND = 'B'#$#$1\ncheap#$#$PRICE < 10#$#$1", {3}},
        TFilterCase{"SELECT ID FROM GOODS ORDER BY ID", "kind#$#$KIND = 'B'#$#$0", {1, 2, 3, 4}},
        // The statement's own OR stays bracketed under the added condition.
        TFilterCase{
            "SELECT ID FROM GOODS WHERE ID = 1 OR ID = 2 ORDER BY ID", "kind#$#$KIND = 'B'#$#$1", {2}},
        TFilterCase{"SELECT ID FROM GOODS G WHERE G.PRICE > 2 ORDER BY ID",
                    "either#$#$G.KIND = 'A' OR G.KIND = 'C'#$#$1",
                    {1}}));

}  // namespace
