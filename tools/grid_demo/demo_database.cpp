#include "tools/grid_demo/demo_database.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "firebird/client_library.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/fib_query.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "platform/os/os_error.h"

namespace grid_demo {

namespace {

namespace fs = std::filesystem;

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

std::string QuotedLiteral(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

void CreateEmptyDatabase(const std::string& path) {
    IIBClientLibraryPtr library = GetClientLibrary(DefaultClientLibraryName);
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    const std::string create = "CREATE DATABASE " + QuotedLiteral(path) + " USER 'SYSDBA'";
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

void FillDatabase(const std::string& path) {
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
}

// The database is made under a name of its own, "<folder>/.<name>.<pid>.building", and takes its
// real name only once filled, so a start cut short never leaves a half-made database there.
constexpr std::string_view kBuildingEnd = ".building";

std::string BuildingPrefix(const fs::path& path) {
    return "." + path.filename().string() + ".";
}

fs::path BuildingName(const fs::path& path) {
    return path.parent_path() /
           (BuildingPrefix(path) + std::to_string(::getpid()) + std::string(kBuildingEnd));
}

// The process that was building, when the name is a building name of the path.
std::optional<pid_t> BuilderOf(const fs::path& path, const std::string& name) {
    const std::string prefix = BuildingPrefix(path);
    if (name.size() <= prefix.size() + kBuildingEnd.size() || name.rfind(prefix, 0) != 0 ||
        !name.ends_with(kBuildingEnd))
        return std::nullopt;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - kBuildingEnd.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return static_cast<pid_t>(std::stol(digits));
}

// Builds left by starts that were killed; one still running (another first start) is let be.
void RemoveAbandonedBuilds(const fs::path& path) {
    std::error_code ec;
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::optional<pid_t> builder = BuilderOf(path, entry.path().filename().string());
        if (builder && (*builder == ::getpid() || (::kill(*builder, 0) != 0 && errno == ESRCH)))
            fs::remove(entry.path(), ec);
    }
}

}  // namespace

bool EnsureDemoDatabase(const std::string& path) {
    if (fs::exists(path))
        return false;
    RemoveAbandonedBuilds(path);
    const fs::path building = BuildingName(path);
    std::error_code ec;
    try {
        CreateEmptyDatabase(building.string());
        FillDatabase(building.string());
    } catch (...) {
        fs::remove(building, ec);
        throw;
    }
    // Another first start may have put its database in place meanwhile: that one stays.
    if (::renameat2(AT_FDCWD, building.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
        const int error = errno;
        fs::remove(building, ec);
        if (error == EEXIST)
            return false;
        throw EOSError("Cannot put the database in place as \"" + path + "\". " + std::strerror(error),
                       error);
    }
    return true;
}

}  // namespace grid_demo
