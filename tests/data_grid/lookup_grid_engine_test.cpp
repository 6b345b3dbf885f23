// A lookup grid listing the clients of a TpFIBDataSet on the embedded engine chooses a visit's
// client by typing; the post commits it and the server's row holds the chosen key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/lookup_grid.h"
#include "tests/data_grid/visits_engine_fixture.h"

namespace {

class LookupGridEngine : public visits_engine::VisitsEngine {
  protected:
    void LetGoOfGrid() override {
        if (grid_ != nullptr) {
            grid_->SetDataSource(nullptr);
            grid_->TCustomDBGridEh::SetDataSource(nullptr);
        }
    }

    // The visits as the master, the clients as the list of a focused lookup grid.
    TpFIBDataSet& ShowVisits() {
        auto& visits = Visits();
        OpenVisits(visits);
        clientSource_.SetDataSet(clients_.get());
        OpenClients();
        CreateForm();
        grid_ = NewComponent<TDBLookupGridEh>(form_);
        grid_->SetParent(form_);
        // Room for more rows than there are clients: the list's window outgrows the dataset.
        grid_->SetBounds(0, 0, 380, 200);
        grid_->SetListSource(&clientSource_);
        grid_->SetKeyField("ID");
        grid_->SetListField("NAME");
        grid_->SetDataSource(&visitSource_);
        grid_->SetDataField("CLIENT_ID");
        ShowForm(*grid_);
        return visits;
    }

    TDataSource clientSource_{nullptr};
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
