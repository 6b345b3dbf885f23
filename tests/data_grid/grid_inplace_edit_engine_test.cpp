// A grid's lookup cell over TpFIBDataSets on the embedded engine: the editor drops down the
// clients of the second dataset, a click on a client writes its key into the visit, and leaving the
// row posts it to the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_unit.h"
#include "data_grid/popup_data_grid.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"
#include "tests/support/add_field.h"

namespace {

class DropDownEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec({"RECREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, CLIENT_ID INTEGER)",
              "INSERT INTO VISITS VALUES (10, 1)", "INSERT INTO VISITS VALUES (11, 2)"});
        InitializeDBGridEhUnit();
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        Application->DestroyForms();
        clients_.reset();
        FinalizeDBGridEhUnit();
        GeneratedSQLEngine::TearDown();
    }

    // The visits in a grid whose one column looks their client up in the clients.
    TpFIBDataSet& ShowVisits() {
        clients_->SetDatabase(&Database());
        clients_->SetTransaction(&Transaction());
        clients_->SelectSQL().SetText("SELECT ID, NAME FROM CLIENTS ORDER BY ID");
        clients_->Open();
        auto& visits = Clients("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID", "VISITS", "ID");
        AddField<TFIBIntegerField>(visits, "ID");
        AddField<TFIBIntegerField>(visits, "CLIENT_ID");
        AddLookupField<TFIBstringField>(visits, "CLIENT", 20, *clients_, "CLIENT_ID", "ID", "NAME");
        visits.AutoUpdateOptions().SetCanChangeSQLs(true);
        visitSource_.SetDataSet(&visits);
        visits.Open();
        visits.AutoGenerateSQLs();
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 400, 300);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 380, 200);
        static_cast<TDBGridColumnsEh&>(*grid_->Columns()).Add()->SetFieldName("CLIENT");
        grid_->SetDataSource(&visitSource_);
        form_->Show();
        grid_->SetFocus();
        ui_.ProcessMessages();
        return visits;
    }
    TDBGridInplaceEdit& ShowEditor() {
        grid_->ShowCellEditor();
        ui_.ProcessMessages();
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid_->InplaceEditor());
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    platform::ui::HeadlessSession ui_;
    TObjectPtr<TpFIBDataSet> clients_ = MakeComponent<TpFIBDataSet>(nullptr);
    TDataSource visitSource_{nullptr};
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
};

TEST_F(DropDownEngine, AClientClickedInTheLookupGridIsPostedToTheVisit) {
    auto& visits = ShowVisits();
    visits.Next();
    TDBGridInplaceEdit& editor = ShowEditor();
    ASSERT_EQ(editor.ActiveEditStyle(), esDataListEh);
    EXPECT_EQ(editor.Text(), "Bob");
    ui_.PressKey(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    TPopupDataGridEh& list = *editor.DataList();
    EXPECT_EQ(list.ListSource(), editor.DropDownSource());
    EXPECT_EQ(editor.DropDownSource()->DataSet(), clients_.get()) << "the list is the second dataset";
    EXPECT_EQ(list.KeyValue(), Variant(2));
    const TRect rows = list.DataRowsRect();
    ui_.ClickAt(&list, {rows.Left + 10, rows.Top + list.RowPitch() * 2 + list.RowPitch() / 2});
    ui_.ProcessMessages();
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "Cid");
    EXPECT_EQ(grid_->EditKeyValue(), Variant(3));
    ASSERT_EQ(visits.State(), dsEdit);
    ui_.PressKey(VK_UP);
    ui_.ProcessMessages();
    EXPECT_EQ(visits.State(), dsBrowse);
    EXPECT_EQ(ServerRows("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID"),
              (std::vector<std::string>{"10|1", "11|3"}));
}

}  // namespace
