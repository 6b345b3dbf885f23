// The demo's filter-row handler on the headless host over the demo database on the embedded
// engine: what a user types into the filter cells becomes the visits' local filter, which keeps the
// visits the condition names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "data_grid_fib/fib_dataset_features.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/application.h"
#include "platform/ui/headless.h"
#include "tests/firebird/engine_database.h"
#include "tools/grid_demo/demo_database.h"
#include "tools/grid_demo/grid_demo_form.h"
#include "tools/grid_demo/visit_filter.h"

namespace {

struct TypedCondition {
    std::string field;
    std::string typed;
};

struct FilterCase {
    std::vector<TypedCondition> typed;
    std::string filterText;
    std::vector<int> kept;
};

class VisitFilterEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const auto file = fbtest::TEngineFolder::Get().Path() / "grid_demo_visits.fdb";
        std::filesystem::remove(file);
        ASSERT_TRUE(grid_demo::EnsureDemoDatabase(file.string()));
        EXPECT_FALSE(grid_demo::EnsureDemoDatabase(file.string())) << "an existing database is kept";
        Database() = file.string();
    }
    void SetUp() override {
        InitializeDBGridEhUnit();
        InitializeFIBDatasetFeatures();
        Application->CreateForm(&form_);
        form_->Open({Database(), (fbtest::TEngineFolder::Get().Path() / "visits.csv").string()});
        form_->Show();
        ui_.ProcessMessages();
    }
    void TearDown() override {
        Application->DestroyForms();
        FinalizeFIBDatasetFeatures();
        FinalizeDBGridEhUnit();
    }
    static std::string& Database() {
        static std::string file;
        return file;
    }

    TSTColumnFilterEh& FilterOf(const std::string& field) {
        auto& columns = static_cast<TDBGridColumnsEh&>(*form_->Grid->Columns());
        for (int i = 0; i < columns.Count(); ++i)
            if (columns.ColumnAt(i)->FieldName() == field)
                return dynamic_cast<TSTColumnFilterEh&>(*columns.ColumnAt(i)->STFilter());
        throw std::runtime_error("no column " + field);
    }
    std::vector<int> Visits() {
        TDataSet& visits = form_->Data().Visits();
        std::vector<int> ids;
        for (visits.First(); !visits.Eof(); visits.Next())
            ids.push_back(visits.FieldByName("ID")->AsInteger());
        return ids;
    }

    platform::ui::HeadlessSession ui_;
    grid_demo::TGridDemoForm* form_ = nullptr;
};

TEST_F(VisitFilterEngine, TypedConditionsKeepTheVisitsTheyName) {
    // Typed as the program's short date format writes it.
    const std::string day = DateToStr(EncodeDate(2024, 3, 11));
    const std::vector<FilterCase> cases = {
        {{{"ROOM", "101"}}, R"("ROOM" LIKE '101')", {1, 3, 5, 7}},
        {{{"AMOUNT", ">1000"}}, R"("AMOUNT" > 1000)", {1, 4, 6}},
        {{{"NOTE", "=Null"}}, R"("NOTE" IS NULL)", {3, 4, 6, 7}},
        {{{"ROOM", "in (102, 205)"}}, R"("ROOM" IN ('102', '205'))", {2, 4, 6}},
        {{{"AMOUNT", ">= 250.25 and < 1000"}}, R"(("AMOUNT" >= 250.25 AND "AMOUNT" < 1000))", {2, 3, 7}},
        {{{"VISIT_DATE", ">=" + day}}, R"("VISIT_DATE" >= ')" + day + "'", {6, 7}},
        {{{"ROOM", "101"}, {"PAID", "True"}}, R"("ROOM" LIKE '101' AND "PAID" = 'True')", {1, 5}},
        // Apostrophes in a value are the value's own, whatever text they form.
        {{{"NOTE", "O'Brien"}}, R"("NOTE" LIKE 'O''Brien')", {2}},
        {{{"NOTE", "x'or'1'='1"}}, R"("NOTE" LIKE 'x''or''1''=''1')", {}},
        {{{"NOTE", "in (O'Brien, repeat)"}}, R"("NOTE" IN ('O''Brien', 'repeat'))", {2, 5}},
        {{}, "", {1, 2, 3, 4, 5, 6, 7}},
    };
    TDataSet& visits = form_->Data().Visits();
    ASSERT_TRUE(visits.Locate("ID", 2, {}));
    visits.Edit();
    visits.FieldByName("NOTE")->SetAsString("O'Brien");
    visits.Post();
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.filterText);
        form_->Grid->ClearAllFilters();
        for (const TypedCondition& typed : c.typed) FilterOf(typed.field).ParseExpressionText(typed.typed);
        form_->Grid->ApplyFilterRow();
        ui_.ProcessMessages();
        EXPECT_EQ(grid_demo::FilterTextOfColumns(*form_->Grid), c.filterText);
        EXPECT_EQ(Visits(), c.kept);
    }
}

}  // namespace
