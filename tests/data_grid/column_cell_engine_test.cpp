// Stepping a grid column over a NUMERIC(18,4) column of a TpFIBDataSet on the embedded engine:
// every one of the 18 digits survives the step and the post (of a NUMERIC(18,0) column too), and a
// Null steps to zero.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/headless.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

class StepEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec({"RECREATE TABLE AMOUNTS (ID INTEGER NOT NULL PRIMARY KEY, V NUMERIC(18,4), W NUMERIC(18,0))",
              "INSERT INTO AMOUNTS VALUES (1, 12345678901234.5678, 123456789012345678)",
              "INSERT INTO AMOUNTS VALUES (2, NULL, NULL)",
              "INSERT INTO AMOUNTS VALUES (3, -99999999999998.9999, -999999999999999998)"});
    }
    void TearDown() override {
        grid_.reset();
        GeneratedSQLEngine::TearDown();
    }

    // A grid with columns over V and W of the AMOUNTS records.
    TpFIBDataSet& ShowAmounts() {
        auto& ds = Clients("SELECT ID, V, W FROM AMOUNTS ORDER BY ID", "AMOUNTS", "ID");
        ds.AutoUpdateOptions().SetCanChangeSQLs(true);
        source_.SetDataSet(&ds);
        ds.Open();
        ds.AutoGenerateSQLs();
        grid_ = MakeComponent<TCustomDBGridEh>(nullptr);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        column_ = columns.Add();
        column_->SetFieldName("V");
        wholeColumn_ = columns.Add();
        wholeColumn_->SetFieldName("W");
        grid_->SetDataSource(&source_);
        return ds;
    }

    std::string ServerValue(int id) {
        return ServerRows("SELECT CAST(V AS VARCHAR(30)), CAST(W AS VARCHAR(30)) FROM AMOUNTS WHERE ID = " +
                          std::to_string(id))
            .at(0);
    }

    platform::ui::HeadlessSession ui_;
    TDataSource source_{nullptr};
    TObjectPtr<TCustomDBGridEh> grid_;
    TColumnEh* column_ = nullptr;
    TColumnEh* wholeColumn_ = nullptr;
};

TEST_F(StepEngine, NumericStepsKeepEveryDigit) {
    auto& ds = ShowAmounts();
    struct Case {
        int id;
        double delta;
        std::string stepped;
    };
    const std::vector<Case> cases = {
        {1, 1, "12345678901235.5678"},   {1, -1, "12345678901233.5678"},  {1, 0.0001, "12345678901234.5679"},
        {1, -25, "12345678901209.5678"}, {3, -1, "-99999999999999.9999"}, {3, 1, "-99999999999997.9999"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ds.Locate("ID", Variant(c.id), {}));
        column_->StepValue(c.delta);
        ASSERT_EQ(ds.State(), dsEdit) << c.id;
        EXPECT_EQ(ds.FieldByName("V")->AsString(), c.stepped) << c.id << " " << c.delta;
        ds.Cancel();
    }
    // Whole numbers of 18 digits step exactly too.
    for (const auto& [id, delta, stepped] : std::vector<std::tuple<int, double, std::string>>{
             {1, 1, "123456789012345679"}, {3, -1, "-999999999999999999"}, {1, -3, "123456789012345675"}}) {
        ASSERT_TRUE(ds.Locate("ID", Variant(id), {}));
        wholeColumn_->StepValue(delta);
        EXPECT_EQ(ds.FieldByName("W")->AsString(), stepped) << id << " " << delta;
        ds.Cancel();
    }
    ASSERT_TRUE(ds.Locate("ID", Variant(1), {}));
    column_->StepValue(1);
    wholeColumn_->StepValue(1);
    ds.Post();
    EXPECT_EQ(ServerValue(1), "12345678901235.5678|123456789012345679");
    // A Null counts as minus the step, so either way it becomes zero.
    for (double delta : {1.0, -1.0}) {
        ASSERT_TRUE(ds.Locate("ID", Variant(2), {}));
        column_->StepValue(delta);
        EXPECT_FALSE(ds.FieldByName("V")->IsNull()) << delta;
        EXPECT_EQ(ds.FieldByName("V")->AsCurrency(), 0) << delta;
        ds.Cancel();
    }
}

}  // namespace
