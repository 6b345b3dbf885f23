#pragma once
// Visits of the clients on the embedded engine, for the grid's lookups: a VISITS table of two visits
// beside the CLIENTS of the generated-SQL fixture, the clients as a list dataset, the grid's unit set
// up for every test, and the visits shown in a grid whose one column looks their client up.
#include <gtest/gtest.h>

#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"
#include "tests/support/add_field.h"

namespace visits_engine {

class VisitsEngine : public gentest::GeneratedSQLEngine {
  protected:
    void SetUp() override {
        GeneratedSQLEngine::SetUp();
        Exec({"RECREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, CLIENT_ID INTEGER)",
              "INSERT INTO VISITS VALUES (10, 1)", "INSERT INTO VISITS VALUES (11, 2)"});
        InitializeDBGridEhUnit();
    }
    void TearDown() override {
        LetGoOfGrid();
        clients_.reset();
        FinalizeDBGridEhUnit();
        GeneratedSQLEngine::TearDown();
    }
    // The grid lets go of its datasets before they go.
    virtual void LetGoOfGrid() = 0;

    // The clients by id, open.
    void OpenClients() {
        clients_->SetDatabase(&Database());
        clients_->SetTransaction(&Transaction());
        clients_->SelectSQL().SetText("SELECT ID, NAME FROM CLIENTS ORDER BY ID");
        clients_->Open();
    }
    // The visits by id, writing their own modify statements; fields are added before OpenVisits.
    TpFIBDataSet& Visits() {
        auto& visits = Clients("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID", "VISITS", "ID");
        visits.AutoUpdateOptions().SetCanChangeSQLs(true);
        return visits;
    }
    void OpenVisits(TpFIBDataSet& visits) {
        visitSource_.SetDataSet(&visits);
        visits.Open();
        visits.AutoGenerateSQLs();
    }
    void CreateForm() {
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 400, 300);
    }
    // The form shown with the grid focused.
    void ShowForm(TWinControl& grid) {
        form_->Show();
        grid.SetFocus();
        ui_.ProcessMessages();
    }

    platform::ui::HeadlessSession ui_;
    TObjectPtr<TpFIBDataSet> clients_ = MakeComponent<TpFIBDataSet>(nullptr);
    TDataSource visitSource_{nullptr};
    TForm* form_ = nullptr;
};

// The visits in a grid whose one column, CLIENT, looks the client up in the clients.
class LookupColumnEngine : public VisitsEngine {
  protected:
    void LetGoOfGrid() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        Application->DestroyForms();
    }
    TpFIBDataSet& ShowVisits() {
        OpenClients();
        auto& visits = Visits();
        AddField<TFIBIntegerField>(visits, "ID");
        AddField<TFIBIntegerField>(visits, "CLIENT_ID");
        AddLookupField<TFIBstringField>(visits, "CLIENT", 20, *clients_, "CLIENT_ID", "ID", "NAME");
        OpenVisits(visits);
        CreateForm();
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 380, 200);
        static_cast<TDBGridColumnsEh&>(*grid_->Columns()).Add()->SetFieldName("CLIENT");
        grid_->SetDataSource(&visitSource_);
        ShowForm(*grid_);
        return visits;
    }

    TCustomDBGridEh* grid_ = nullptr;
};

}  // namespace visits_engine
