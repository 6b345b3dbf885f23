#include "tools/grid_demo/demo_data.h"

#include "firebird_datasets/fib_fields.h"
#include "tools/grid_demo/demo_database.h"

namespace grid_demo {

namespace {

template <class F>
F* AddVisitField(TDataSet& visits, const std::string& name, const std::string& label, int size = 0,
                 TFieldKind kind = fkData) {
    auto* field = NewComponent<F>(&visits);
    field->FieldName = name;
    field->FieldKind = kind;
    field->DisplayLabel = label;
    if (size != 0)
        field->SetSize(size);
    field->SetDataSet(&visits);
    return field;
}

}  // namespace

TGridDemoData::TGridDemoData(const std::string& databasePath) {
    db_->SetDBName(databasePath);
    db_->DBParams().SetText("user_name=SYSDBA");
    db_->SetSQLDialect(3);
    tr_->SetDefaultDatabase(db_.get());
    tr_->TRParams().SetText("write\nread_committed\nrec_version\nnowait");
    db_->SetConnected(true);

    customers_->SetDatabase(db_.get());
    customers_->SetTransaction(tr_.get());
    customers_->SelectSQL().SetText("SELECT ID, NAME, CITY FROM CUSTOMERS ORDER BY ID");
    customers_->Open();

    visits_->SetName("Visits");
    visits_->SetDatabase(db_.get());
    visits_->SetTransaction(tr_.get());
    visits_->SetUpdateTransaction(tr_.get());
    visits_->SetAutoCommit(true);
    visits_->SelectSQL().SetText(
        "SELECT ID, CUSTOMER_ID, VISIT_DATE, ROOM, AMOUNT, PAID, NOTE FROM VISITS ORDER BY ID");
    TAutoUpdateOptions& update = visits_->AutoUpdateOptions();
    update.SetUpdateTableName("VISITS");
    update.SetKeyFields("ID");
    update.SetGeneratorName(kVisitsGenerator);
    update.SetWhenGetGenID(wgOnNewRecord);
    update.SetCanChangeSQLs(true);
    DefineVisitFields();
    visitsSource_.SetDataSet(visits_.get());
    visits_->Open();
    visits_->AutoGenerateSQLs();
}

TGridDemoData::~TGridDemoData() {
    visitsSource_.SetDataSet(nullptr);
    visits_.reset();
    customers_.reset();
    if (db_->Connected())
        db_->SetConnected(false);
}

void TGridDemoData::DefineVisitFields() {
    TDataSet& visits = *visits_;
    AddVisitField<TFIBIntegerField>(visits, "ID", "№");
    AddVisitField<TFIBIntegerField>(visits, "CUSTOMER_ID", "Код пациента");
    AddVisitField<TFIBDateField>(visits, "VISIT_DATE", "Дата");
    AddVisitField<TFIBstringField>(visits, "ROOM", "Кабинет", 10);
    AddVisitField<TFIBBCDField>(visits, "AMOUNT", "Сумма", 4);
    AddVisitField<TFIBBooleanField>(visits, "PAID", "Оплачено");
    AddVisitField<TFIBstringField>(visits, "NOTE", "Примечание", 100);
    auto* customer = AddVisitField<TFIBstringField>(visits, "CUSTOMER", "Пациент", 40, fkLookup);
    customer->SetLookupDataSet(customers_.get());
    customer->KeyFields = "CUSTOMER_ID";
    customer->LookupKeyFields = "ID";
    customer->LookupResultField = "NAME";
}

void TGridDemoData::PostPendingVisit() {
    if (visits_->State() == dsEdit || visits_->State() == dsInsert)
        visits_->Post();
}

void TGridDemoData::CancelPendingVisit() {
    if (visits_->State() == dsEdit || visits_->State() == dsInsert)
        visits_->Cancel();
}

}  // namespace grid_demo
