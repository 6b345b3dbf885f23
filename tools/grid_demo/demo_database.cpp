#include "tools/grid_demo/demo_database.h"

#include <filesystem>

#include "firebird/client_library.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/fib_query.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"

namespace grid_demo {

namespace {

// Each group is committed before the next, so the rows see the tables and the generator.
constexpr const char* kSchema[] = {
    "CREATE TABLE CUSTOMERS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40) NOT NULL, CITY VARCHAR(40))",
    "CREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY,"
    " CUSTOMER_ID INTEGER NOT NULL REFERENCES CUSTOMERS (ID), VISIT_DATE DATE, ROOM VARCHAR(10),"
    " AMOUNT NUMERIC(18,4), PAID BOOLEAN DEFAULT FALSE NOT NULL, NOTE VARCHAR(100))",
    "CREATE SEQUENCE GEN_VISITS_ID",
};

constexpr const char* kRows[] = {
    "INSERT INTO CUSTOMERS VALUES (1, 'Ivanova Anna', 'Moscow')",
    "INSERT INTO CUSTOMERS VALUES (2, 'Petrov Boris', 'Omsk')",
    "INSERT INTO CUSTOMERS VALUES (3, 'Sidorov Pavel', 'Tver')",
    ("INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 1, '2024-03-04', '101', 1500, TRUE, "
     "'first visit')"),
    "INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 2, '2024-03-05', '205', 700.5, FALSE, NULL)",
    "INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 3, '2024-03-05', '101', 250.25, FALSE, NULL)",
    "INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 1, '2024-03-06', '102', 3000, TRUE, NULL)",
    "INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 2, '2024-03-07', '101', 99.99, TRUE, 'repeat')",
    "INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 3, '2024-03-11', '205', 1200, FALSE, NULL)",
    "INSERT INTO VISITS VALUES (NEXT VALUE FOR GEN_VISITS_ID, 1, '2024-03-12', '101', 640, FALSE, NULL)",
};

void CreateEmptyDatabase(const std::string& path) {
    IIBClientLibraryPtr library = GetClientLibrary(DefaultClientLibraryName);
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    const std::string create = "CREATE DATABASE '" + path + "' USER 'SYSDBA'";
    if (library->isc_dsql_execute_immediate(StatusVector(), &db, &tr, 0, create.c_str(), 3, nullptr) != 0)
        RaiseServerError(*library, nullptr);
    library->isc_detach_database(StatusVector(), &db);
}

template <std::size_t N>
void RunCommitted(TFIBDatabase& db, TFIBTransaction& tr, const char* const (&statements)[N]) {
    tr.StartTransaction();
    for (const char* sql : statements) {
        TObjectPtr<TFIBQuery> query = MakeComponent<TFIBQuery>(nullptr);
        query->SetDatabase(&db);
        query->SetTransaction(&tr);
        query->SQL().SetText(sql);
        query->Execute();
    }
    tr.Commit();
}

}  // namespace

bool EnsureDemoDatabase(const std::string& path) {
    if (std::filesystem::exists(path))
        return false;
    CreateEmptyDatabase(path);
    TObjectPtr<TFIBDatabase> db = MakeComponent<TFIBDatabase>(nullptr);
    TObjectPtr<TFIBTransaction> tr = MakeComponent<TFIBTransaction>(nullptr);
    db->SetDBName(path);
    db->DBParams().SetText("user_name=SYSDBA");
    db->SetSQLDialect(3);
    tr->SetDefaultDatabase(db.get());
    db->SetConnected(true);
    for (const char* sql : kSchema) {
        const char* const one[] = {sql};
        RunCommitted(*db, *tr, one);
    }
    RunCommitted(*db, *tr, kRows);
    db->SetConnected(false);
    return true;
}

}  // namespace grid_demo
