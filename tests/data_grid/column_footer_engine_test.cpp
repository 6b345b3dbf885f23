// Footers of a grid over a TpFIBDataSet on the embedded engine: the sum, average and count of a
// NUMERIC(18,4) column equal what the server's SUM, AVG and COUNT(*) say, after posts and deletes too.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/headless.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

class FooterEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        // The averages stay exact to four places, so the server's truncation and our rounding agree.
        Exec({"RECREATE TABLE AMOUNTS (ID INTEGER NOT NULL PRIMARY KEY, V NUMERIC(18,4))",
              "INSERT INTO AMOUNTS VALUES (1, 10.5)", "INSERT INTO AMOUNTS VALUES (2, 20.25)",
              "INSERT INTO AMOUNTS VALUES (3, NULL)", "INSERT INTO AMOUNTS VALUES (4, 0.0001)"});
    }
    void TearDown() override {
        grid_.reset();
        GeneratedSQLEngine::TearDown();
    }

    TpFIBDataSet& Amounts() {
        auto& ds = Clients("SELECT ID, V FROM AMOUNTS ORDER BY ID", "AMOUNTS", "ID");
        ds.AutoUpdateOptions().SetCanChangeSQLs(true);
        source_.SetDataSet(&ds);
        ds.Open();
        ds.AutoGenerateSQLs();
        return ds;
    }

    // A grid column over V with a sum footer and average and count footer rows.
    void ShowFooters() {
        grid_ = MakeComponent<TCustomDBGridEh>(nullptr);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        TColumnEh* column = columns.Add();
        column->SetFieldName("V");
        static_cast<TColumnFooterEh*>(column->Footer())->SetValueType(fvtSum);
        for (TFooterValueType type : {fvtAvg, fvtCount})
            static_cast<TColumnFooterEh*>(column->Footers()->Add())->SetValueType(type);
        grid_->SetDataSource(&source_);
        grid_->SumList()->SetActive(true);
        column_ = column;
    }

    // "sum|avg|count" in units of 1/10000, as the footers have them.
    std::string Footers() const {
        std::string text;
        for (int row = 0; row < 3; ++row) {
            const TDBSum* sum =
                static_cast<TColumnFooterEh*>(column_->FooterAt(row == 0 ? 2 : row - 1))->SumItem();
            text += (row > 0 ? "|" : "") + std::to_string(sum != nullptr ? sum->AggregateValue : -1);
        }
        return text;
    }

    // The same from the server's SUM and counts, the count scaled like the footers': a count footer
    // counts records. The server's AVG cuts its last digit off; the footer rounds the exact
    // quotient to the nearest unit, halves to even, so the average is worked out here from the sum.
    std::string Server() {
        const std::string row = ServerRows("SELECT SUM(V), COUNT(V), COUNT(*) FROM AMOUNTS").at(0);
        std::vector<std::string> parts;
        std::string rest = row;
        for (std::size_t bar; (bar = rest.find('|')) != std::string::npos; rest = rest.substr(bar + 1))
            parts.push_back(rest.substr(0, bar));
        parts.push_back(rest);
        const std::int64_t sum = Variant(parts.at(0)).AsCurrency();
        const std::int64_t counted = Variant(parts.at(1)).AsInt64();
        std::int64_t average = sum / counted;
        const std::int64_t twice = 2 * (sum % counted);
        if (twice > counted || (twice == counted && average % 2 != 0))
            ++average;
        return std::to_string(sum) + "|" + std::to_string(average) + "|" +
               std::to_string(Variant(parts.at(2)).AsCurrency());
    }

    platform::ui::HeadlessSession ui_;
    TDataSource source_{nullptr};
    TObjectPtr<TCustomDBGridEh> grid_;
    TColumnEh* column_ = nullptr;
};

TEST_F(FooterEngine, SumAverageAndCountEqualTheServersAfterPostsAndDeletes) {
    auto& ds = Amounts();
    ShowFooters();
    EXPECT_EQ(Footers(), Server());
    EXPECT_EQ(Footers(), "307501|102500|40000");

    ASSERT_TRUE(ds.Locate("ID", Variant(2), {}));
    ds.Edit();
    ds.FieldByName("V")->SetAsFloat(98765.4321);
    ds.Post();
    EXPECT_EQ(Footers(), Server());

    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(5);
    ds.FieldByName("V")->SetAsFloat(7.7777);
    ds.Post();
    EXPECT_EQ(Footers(), Server());

    ASSERT_TRUE(ds.Locate("ID", Variant(1), {}));
    ds.Delete();
    EXPECT_EQ(Footers(), Server());
}

}  // namespace
