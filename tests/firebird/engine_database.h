#pragma once
// Databases on the embedded engine for the tests of connections and transactions. The engine runs
// in Classic mode from a root folder of links to the installed one, with its lock and sort files
// in a scratch folder of the test program; both are set before the client library is first loaded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "firebird/client_library.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "tests/support/temp_dir.h"

namespace fbtest {

class TEngineFolder {
  public:
    static TEngineFolder& Get() {
        static TEngineFolder folder;
        return folder;
    }
    const std::filesystem::path& Path() const { return dir_.Path(); }

    // A new database file in dialect 3 or 1; returns its path.
    std::string CreateDatabase(const std::string& name, int dialect = 3) {
        const std::string file = (dir_ / (name + ".fdb")).string();
        std::filesystem::remove(file);
        IIBClientLibraryPtr lib = GetClientLibrary(DefaultClientLibraryName);
        isc_db_handle db = 0;
        isc_tr_handle tr = 0;
        const std::string create = "CREATE DATABASE '" + file + "' USER 'SYSDBA'";
        if (lib->isc_dsql_execute_immediate(StatusVector(), &db, &tr, 0, create.c_str(),
                                            static_cast<unsigned short>(dialect), nullptr) != 0)
            RaiseServerError(*lib, nullptr);
        lib->isc_detach_database(StatusVector(), &db);
        return file;
    }

  private:
    TEngineFolder() : dir_("fibengine") {
        if (!ClientLibraryCache().empty())
            return;
        MakeClassicRoot(dir_ / "root");
        setenv("FIREBIRD_LOCK", dir_.Path().c_str(), 1);
        setenv("FIREBIRD_TMP", dir_.Path().c_str(), 1);
    }

    static void MakeClassicRoot(const std::filesystem::path& root) {
        namespace fs = std::filesystem;
        const fs::path installed = "/usr/lib/x86_64-linux-gnu/firebird/3.0";
        if (!fs::exists(installed / "plugins"))
            return;
        fs::create_directories(root);
        for (const char* entry : {"firebird.msg", "intl", "lib", "plugins", "plugins.conf", "UDF"})
            if (fs::exists(installed / entry))
                fs::create_directory_symlink(installed / entry, root / entry);
        std::ofstream(root / "firebird.conf") << "ServerMode = Classic\n";
        setenv("FIREBIRD", root.c_str(), 1);
    }

    testsupport::TempDir dir_;
};

// Runs a statement without result rows in the transaction, on the transaction's first database.
inline void ExecSQL(TFIBTransaction& tr, const std::string& sql, TFIBDatabase* db = nullptr) {
    TFIBDatabase& on = db != nullptr ? *db : *tr.GetDatabase(0);
    IIBClientLibrary& lib = on.GetClientLibrary();
    on.RaiseIfFailed(on.ResetFpuAndMarkUsed(
        lib.isc_dsql_execute_immediate(StatusVector(), on.HandleAddress(), tr.HandleAddress(), 0, sql.c_str(),
                                       static_cast<unsigned short>(on.SQLDialect()), nullptr)));
}

// A database connected as SYSDBA to the file, with a default transaction of its own.
struct TConnection {
    explicit TConnection(const std::string& file, const std::string& lines = "user_name=SYSDBA") {
        db->SetDBName(file);
        db->DBParams().SetText(lines);
        db->SetSQLDialect(3);
        tr->SetDefaultDatabase(db.get());
        tr->TRParams().SetText("write\nread_committed\nrec_version\nnowait");
    }
    TObjectPtr<TFIBDatabase> db = MakeComponent<TFIBDatabase>(nullptr);
    TObjectPtr<TFIBTransaction> tr = MakeComponent<TFIBTransaction>(nullptr);
};

}  // namespace fbtest
