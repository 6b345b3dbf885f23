// The two libraries as a clinic application uses them: connect, open a dataset that writes its own
// modify statements, show it in a grid with columns, footers and the filter row and in edit
// controls, post and commit, and handle a refused post. Each step prints what it got.
//   library_guide <database file>
// The database is the grid demo's; it is made and filled when the file is missing.
#include <exception>
#include <iostream>
#include <string>

#include "data_controls/db_edit.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_unit.h"
#include "data_grid/sum_list_grid.h"
#include "data_grid_fib/fib_dataset_features.h"
#include "firebird/database.h"
#include "firebird/transaction.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "tools/grid_demo/demo_database.h"
#include "tools/grid_demo/visit_filter.h"

namespace {

// Step 1: a connection and a transaction; nothing else needs wiring.
void Connect(TFIBDatabase& db, TFIBTransaction& tr, const std::string& path) {
    db.SetDBName(path);
    db.DBParams().SetText("user_name=SYSDBA");
    db.SetSQLDialect(3);
    tr.SetDefaultDatabase(&db);
    tr.TRParams().SetText("write\nread_committed\nrec_version\nnowait");
    db.SetConnected(true);
}

// Step 2: the dataset reads the table's metadata through its database and writes its own
// insert, update, delete and refresh statements; the key is the table's primary key.
void OpenVisits(TpFIBDataSet& visits, TFIBDatabase& db, TFIBTransaction& tr) {
    visits.SetName("Visits");
    visits.SetDatabase(&db);
    visits.SetTransaction(&tr);
    visits.SetUpdateTransaction(&tr);
    visits.SetAutoCommit(true);  // each post is committed
    visits.SelectSQL().SetText("SELECT ID, VISIT_DATE, ROOM, AMOUNT, NOTE FROM VISITS ORDER BY ID");
    TAutoUpdateOptions& update = visits.AutoUpdateOptions();
    update.SetUpdateTableName("VISITS");
    update.SetGeneratorName("GEN_VISITS_ID");
    update.SetWhenGetGenID(wgOnNewRecord);
    update.SetAutoReWriteSqls(true);
    update.SetCanChangeSQLs(true);
    visits.Open();
    std::cout << "update statement:\n" << visits.UpdateSQL().Text();
}

// Step 3: a grid with its columns, the count and the sum in the footer, and the filter row.
TCustomDBGridEh& ShowInGrid(TForm& form, TDataSource& source, TpFIBDataSet& visits) {
    auto* grid = NewComponent<TCustomDBGridEh>(&form);
    grid->SetParent(&form);
    grid->SetBounds(8, 8, 600, 300);
    grid->SetFooterRowCount(1);
    TDBGridColumnsEh& columns = *grid->Columns();
    for (const char* field : {"ID", "VISIT_DATE", "ROOM", "AMOUNT", "NOTE"}) {
        TColumnEh* column = columns.Add();
        column->SetFieldName(field);
        column->Title()->SetTitleButton(true);  // a click sorts by the column
    }
    columns.ColumnAt(0)->Footer()->SetValueType(fvtCount);
    columns.ColumnAt(3)->Footer()->SetValueType(fvtSum);
    grid->STFilter()->SetVisible(true);
    // What is typed into the filter row becomes the dataset's record filter.
    grid->OnFilterApply = [grid, &visits](TObject*) { grid_demo::ApplyColumnFilters(*grid, visits); };
    grid->SetDataSource(&source);
    grid->SumList()->SetActive(true);
    return *grid;
}

void PrintFooter(TCustomDBGridEh& grid, const std::string& when) {
    std::cout << when << ": " << grid.GetFooterText(0, 0) << " visits, amount " << grid.GetFooterText(3, 0)
              << '\n';
}

// Step 4: a condition in a filter cell, applied as the grid's OnFilterApply does on Enter.
void FilterByAmount(TCustomDBGridEh& grid, TpFIBDataSet& visits) {
    TDBGridColumnsEh& columns = *grid.Columns();
    TSTColumnFilterEh& amount = *ColumnFilterOf(columns.ColumnAt(3));
    amount.ParseExpressionText(">500");
    grid_demo::ApplyColumnFilters(grid, visits);
    PrintFooter(grid, "amount > 500");
    amount.ParseExpressionText("");
    grid_demo::ApplyColumnFilters(grid, visits);
}

// Step 5: an edit control writes the current visit; Post sends it and AutoCommit commits it.
void EditNote(TDBEditEh& note, TpFIBDataSet& visits, TFIBDatabase& db) {
    visits.First();
    visits.Edit();
    note.SetText("checked by the guide");
    note.CommitData();
    visits.Post();
    Variant saved;
    db.SelectValue("SELECT NOTE FROM VISITS WHERE ID = :ID", 0, saved, nullptr,
                   {visits.FieldByName("ID")->AsVariant()});
    std::cout << "saved note: " << saved.AsString() << '\n';
}

// Step 6: the server refuses a visit without a customer; the error names the column, the
// insertion is cancelled and the dataset is as before.
void InsertRefusedVisit(TpFIBDataSet& visits) {
    visits.Append();
    visits.FieldByName("ROOM")->SetAsString("101");
    try {
        visits.Post();
    } catch (const Exception& error) {
        visits.Cancel();
        std::cout << "refused: " << error.Message << '\n';
    }
}

int RunGuide(const std::string& path) {
    grid_demo::EnsureDemoDatabase(path);
    TObjectPtr<TFIBDatabase> db = MakeComponent<TFIBDatabase>(nullptr);
    TObjectPtr<TFIBTransaction> tr = MakeComponent<TFIBTransaction>(nullptr);
    Connect(*db, *tr, path);
    TObjectPtr<TpFIBDataSet> visits = MakeComponent<TpFIBDataSet>(nullptr);
    OpenVisits(*visits, *db, *tr);

    TDataSource source(nullptr);
    source.SetDataSet(visits.get());
    TForm* form = nullptr;
    Application->CreateForm(&form);
    TCustomDBGridEh& grid = ShowInGrid(*form, source, *visits);
    auto* note = NewComponent<TDBEditEh>(form);
    note->SetParent(form);
    note->SetBounds(8, 316, 300, 24);
    note->SetDataSource(&source);
    note->SetDataField("NOTE");
    form->Show();
    Application->ProcessMessages();

    PrintFooter(grid, "all visits");
    FilterByAmount(grid, *visits);
    EditNote(*note, *visits, *db);
    InsertRefusedVisit(*visits);
    PrintFooter(grid, "after the edits");

    grid.SetDataSource(nullptr);
    note->SetDataSource(nullptr);
    Application->DestroyForms();
    visits->Close();
    db->SetConnected(false);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: library_guide <database file>\n";
        return 2;
    }
    platform::ui::QtHost host(argc, argv);
    Application->Initialize();
    InitializeDBGridEhUnit();
    InitializeFIBDatasetFeatures();
    int result = 0;
    try {
        result = RunGuide(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "library_guide: " << e.what() << '\n';
        result = 1;
    }
    FinalizeFIBDatasetFeatures();
    FinalizeDBGridEhUnit();
    return result;
}
