// A lookup grid listing the clients of a TpFIBDataSet on the embedded engine chooses a visit's
// client by typing; the post commits it and the server's row holds the chosen key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/grid_unit.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

class LookupGridEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec({"RECREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, CLIENT_ID INTEGER)",
              "INSERT INTO VISITS VALUES (10, 1)", "INSERT INTO VISITS VALUES (11, 2)"});
        InitializeDBGridEhUnit();
    }
    void TearDown() override {
        if (grid_ != nullptr) {
            grid_->SetDataSource(nullptr);
            grid_->TCustomDBGridEh::SetDataSource(nullptr);
        }
        clients_.reset();
        FinalizeDBGridEhUnit();
        GeneratedSQLEngine::TearDown();
    }

    // The visits as the master, the clients as the list of a focused lookup grid.
    TpFIBDataSet& ShowVisits() {
        auto& visits = Clients("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID", "VISITS", "ID");
        visits.AutoUpdateOptions().SetCanChangeSQLs(true);
        visitSource_.SetDataSet(&visits);
        visits.Open();
        visits.AutoGenerateSQLs();
        clients_->SetDatabase(&Database());
        clients_->SetTransaction(&Transaction());
        clients_->SelectSQL().SetText("SELECT ID, NAME FROM CLIENTS ORDER BY ID");
        clientSource_.SetDataSet(clients_.get());
        clients_->Open();
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 400, 300);
        grid_ = NewComponent<TDBLookupGridEh>(form_);
        grid_->SetParent(form_);
        // Room for more rows than there are clients: the list's window outgrows the dataset.
        grid_->SetBounds(0, 0, 380, 200);
        grid_->SetListSource(&clientSource_);
        grid_->SetKeyField("ID");
        grid_->SetListField("NAME");
        grid_->SetDataSource(&visitSource_);
        grid_->SetDataField("CLIENT_ID");
        form_->Show();
        grid_->SetFocus();
        ui_.ProcessMessages();
        return visits;
    }

    platform::ui::HeadlessSession ui_;
    TObjectPtr<TpFIBDataSet> clients_ = MakeComponent<TpFIBDataSet>(nullptr);
    TDataSource visitSource_{nullptr};
    TDataSource clientSource_{nullptr};
    TForm* form_ = nullptr;
    TDBLookupGridEh* grid_ = nullptr;
};

TEST_F(LookupGridEngine, TypedClientNameStoresItsKeyInTheCommittedVisit) {
    auto& visits = ShowVisits();
    EXPECT_EQ(grid_->KeyValue(), Variant(1));
    EXPECT_EQ(grid_->SelectedText(), "Ann");
    visits.Next();
    EXPECT_EQ(grid_->KeyValue(), Variant(2));
    ui_.TypeText("ci");
    ui_.ProcessMessages();
    ASSERT_EQ(visits.State(), dsEdit);
    EXPECT_EQ(grid_->KeyValue(), Variant(3));
    EXPECT_EQ(grid_->SelectedText(), "Cid");
    visits.Post();
    EXPECT_EQ(ServerRows("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID"),
              (std::vector<std::string>{"10|1", "11|3"}));
}

}  // namespace
