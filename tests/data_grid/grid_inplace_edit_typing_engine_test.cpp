// Typing into a grid's lookup cell over TpFIBDataSets on the embedded engine: the letters complete
// to a client of the list dataset whatever their letter case, Cyrillic too, and leaving the row
// commits the client's key to the server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/virtual_keys.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"
#include "tests/support/add_field.h"

namespace {

class TypingEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec({"INSERT INTO CLIENTS VALUES (4, 'Борис', NULL)",
              "RECREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, CLIENT_ID INTEGER)",
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
    std::string EditorText() const { return grid_->InplaceEditor()->Text(); }
    std::string Selected() const { return grid_->InplaceEditor()->SelText(); }

    platform::ui::HeadlessSession ui_;
    TObjectPtr<TpFIBDataSet> clients_ = MakeComponent<TpFIBDataSet>(nullptr);
    TDataSource visitSource_{nullptr};
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
};

TEST_F(TypingEngine, TypedLettersCompleteToAClientAndLeavingTheRowCommitsItsKey) {
    auto& visits = ShowVisits();
    // A letter typed into the grid opens the editor with the whole text to be typed over.
    ui_.TypeText("c");
    EXPECT_EQ(EditorText(), "Cid");
    EXPECT_EQ(Selected(), "id");
    EXPECT_EQ(grid_->EditKeyValue(), Variant(3));
    ui_.PressKey(VK_DOWN);
    ui_.TypeText("бО");
    EXPECT_EQ(EditorText(), "Борис");
    EXPECT_EQ(Selected(), "рис");
    ui_.TypeText("x");
    EXPECT_EQ(EditorText(), "Борис") << "no client starts with the letter";
    ui_.PressKey(VK_UP);
    ASSERT_EQ(visits.State(), dsBrowse);
    EXPECT_EQ(ServerRows("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID"),
              (std::vector<std::string>{"10|3", "11|4"}));
}

}  // namespace
