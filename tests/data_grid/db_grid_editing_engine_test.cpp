// A cell typed into a grid over a TpFIBDataSet on the embedded engine: the row move posts it and
// the server holds it; Esc leaves the server's row as it was.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

class TypedCellEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        unit_.emplace();
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        unit_.reset();
        GeneratedSQLEngine::TearDown();
    }

    // The CLIENTS rows in a focused grid, the NAME column current on the record with this id.
    TpFIBDataSet& ShowClients(int id) {
        auto& ds = Clients();
        ds.AutoUpdateOptions().SetCanChangeSQLs(true);
        source_.SetDataSet(&ds);
        ds.Open();
        ds.AutoGenerateSQLs();
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 400, 300);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 380, 200);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"ID", "NAME", "PHONE"}) columns.Add()->SetFieldName(name);
        grid_->SetDataSource(&source_);
        grid_->DataLink()->SetBufferCount(3);
        grid_->SetColCount(4);
        grid_->SetRowCount(4);
        grid_->SetCol(2);
        EXPECT_TRUE(ds.Locate("ID", Variant(id), {}));
        form_->Show();
        grid_->SetFocus();
        ui_.ProcessMessages();
        return ds;
    }
    void Press(WORD key) {
        ui_.PressKey(key);
        ui_.ProcessMessages();
    }

    platform::ui::HeadlessSession ui_;
    std::optional<GridUnitScope> unit_;
    TDataSource source_{nullptr};
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
};

TEST_F(TypedCellEngine, ACellTypedAndPostedByARowMoveLandsInTheTable) {
    auto& ds = ShowClients(2);
    ui_.TypeText("Вера");
    ui_.ProcessMessages();
    ASSERT_EQ(ds.State(), dsEdit);
    Press(VK_DOWN);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ServerRows(), (std::vector<std::string>{"1|Ann|111", "2|Вера|-", "3|Cid|333"}));
}

TEST_F(TypedCellEngine, EscBeforeThePostLeavesTheTableAsItWas) {
    auto& ds = ShowClients(3);
    ui_.TypeText("Zed");
    ui_.ProcessMessages();
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    Press(VK_UP);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ServerRows(), (std::vector<std::string>{"1|Ann|111", "2|Bob|-", "3|Cid|333"}));
}

}  // namespace
