// Parameter blocks built from connection and transaction lines, given to the real embedded engine:
// it must accept them and report back what the lines asked for.
//
// The engine runs in Classic mode here, from a root folder of links to the installed one with a
// firebird.conf of its own: in the default Super mode the shared page cache takes no buffer count
// from an attachment, so num_buffers would go unseen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "firebird/client_library.h"
#include "firebird/param_blocks.h"
#include "firebird/status_vector.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kInstalledRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

// One database of isc_start_multiple's list.
struct TransactionExistenceBlock {
    isc_db_handle* database;
    int tpbLength;
    const char* tpb;
};

TStringList Lines(std::initializer_list<const char*> lines) {
    TStringList list;
    for (const char* line : lines) list.Add(line);
    return list;
}

class ParamBlocksOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NO_THROW(dir_ = std::make_unique<testsupport::TempDir>("fibdpb"));
        // The engine takes its root, lock and sort folders when the client library is first loaded;
        // a test program that loaded it earlier keeps its own.
        classic_ = ClientLibraryCache().empty() && MakeClassicRoot(*dir_ / "root");
        if (ClientLibraryCache().empty()) {
            setenv("FIREBIRD_LOCK", dir_->Path().c_str(), 1);
            setenv("FIREBIRD_TMP", dir_->Path().c_str(), 1);
        }
        lib_ = GetClientLibrary(DefaultClientLibraryName);
        file_ = (*dir_ / "blocks.fdb").string();
        isc_db_handle db = 0;
        isc_tr_handle tr = 0;
        const std::string create = "CREATE DATABASE '" + file_ + "' USER 'SYSDBA'";
        ASSERT_EQ(lib_->isc_dsql_execute_immediate(StatusVector(), &db, &tr, 0, create.c_str(), 3, nullptr),
                  0)
            << StatusVector()[1];
        TStringList tpbLines = Lines({"write", "concurrency", "wait"});
        const std::string tpb = BuildTPB(tpbLines);
        TransactionExistenceBlock teb{&db, static_cast<int>(tpb.size()), tpb.data()};
        ASSERT_EQ(lib_->isc_start_multiple(StatusVector(), &tr, 1, &teb), 0);
        ASSERT_EQ(Execute(db, tr, "CREATE TABLE ORDERS (ID INTEGER)"), 0) << StatusVector()[1];
        ASSERT_EQ(lib_->isc_commit_transaction(StatusVector(), &tr), 0);
        ASSERT_EQ(lib_->isc_detach_database(StatusVector(), &db), 0);
    }
    static void TearDownTestSuite() {
        lib_.reset();
        dir_.reset();
    }

    void TearDown() override {
        if (db_ != 0)
            lib_->isc_detach_database(StatusVector(), &db_);
    }

    static bool MakeClassicRoot(const fs::path& root) {
        if (!fs::exists(kInstalledRoot / "plugins"))
            return false;
        fs::create_directories(root);
        for (const char* entry : {"firebird.msg", "intl", "lib", "plugins", "plugins.conf", "UDF"})
            if (fs::exists(kInstalledRoot / entry))
                fs::create_directory_symlink(kInstalledRoot / entry, root / entry);
        std::ofstream(root / "firebird.conf") << "ServerMode = Classic\n";
        setenv("FIREBIRD", root.c_str(), 1);
        return true;
    }

    static ISC_STATUS Execute(isc_db_handle& db, isc_tr_handle& tr, const char* sql) {
        return lib_->isc_dsql_execute_immediate(StatusVector(), &db, &tr, 0, sql, 3, nullptr);
    }

    ISC_STATUS Attach(TStrings& lines) {
        const std::string dpb = BuildDPB(lines);
        return lib_->isc_attach_database(StatusVector(), 0, file_.c_str(), &db_,
                                         static_cast<short>(dpb.size()), dpb.data());
    }

    ISC_STATUS Start(isc_tr_handle& tr, TStrings& lines) {
        const std::string tpb = BuildTPB(lines);
        TransactionExistenceBlock teb{&db_, static_cast<int>(tpb.size()), tpb.data()};
        return lib_->isc_start_multiple(StatusVector(), &tr, 1, &teb);
    }

    // The clusters of an info reply: item, two length bytes, value.
    static ISC_LONG InfoNumber(const std::vector<char>& reply, char item) {
        for (std::size_t at = 0; at + 3 <= reply.size() && reply[at] != isc_info_end;) {
            const auto length = static_cast<short>(lib_->isc_vax_integer(&reply[at + 1], 2));
            if (reply[at] == item)
                return lib_->isc_vax_integer(&reply[at + 3], length);
            at += 3 + static_cast<std::size_t>(length);
        }
        ADD_FAILURE() << "no info item " << int(item);
        return -999;
    }

    std::vector<char> DatabaseInfo(std::initializer_list<char> items) {
        const std::vector<char> asked(items);
        std::vector<char> reply(128);
        EXPECT_EQ(lib_->isc_database_info(StatusVector(), &db_, static_cast<short>(asked.size()),
                                          asked.data(), static_cast<short>(reply.size()), reply.data()),
                  0);
        return reply;
    }

    static inline std::unique_ptr<testsupport::TempDir> dir_;
    static inline IIBClientLibraryPtr lib_;
    static inline std::string file_;
    static inline bool classic_ = false;
    isc_db_handle db_ = 0;
};

TEST_F(ParamBlocksOnEngine, AttachTakesTheConnectionLines) {
    // In one byte, 300 buffers would be 44, and 200 would be -56: the engine then asks for a cache
    // of billions of pages.
    const struct {
        const char* line;
        ISC_LONG buffers;
    } cases[] = {{"num_buffers=300", 300}, {"isc_dpb_num_buffers=200", 200}, {"num_buffers=75", 75}};
    for (const auto& c : cases) {
        TStringList lines = Lines({"user_name=SYSDBA", "password=masterkey", "lc_ctype=UTF8", c.line,
                                   "sql_dialect=3", "force_write=1", "sweep_interval=20000"});
        ASSERT_EQ(Attach(lines), 0) << c.line << ": " << StatusVector()[1];
        const std::vector<char> reply = DatabaseInfo(
            {isc_info_num_buffers, isc_info_sweep_interval, isc_info_forced_writes, isc_info_end});
        if (classic_) {
            EXPECT_EQ(InfoNumber(reply, isc_info_num_buffers), c.buffers) << c.line;
        }
        EXPECT_EQ(InfoNumber(reply, isc_info_sweep_interval), 20000);
        EXPECT_EQ(InfoNumber(reply, isc_info_forced_writes), 1);
        ASSERT_EQ(lib_->isc_detach_database(StatusVector(), &db_), 0);
    }
}

TEST_F(ParamBlocksOnEngine, TheEngineReadsTheValuesItWasGiven) {
    for (const char* line : {"lc_ctype=NO_SUCH_SET", "num_buffers=5"}) {
        TStringList lines = Lines({"user_name=SYSDBA", line});
        if (!classic_ && std::string(line).starts_with("num_buffers"))
            continue;
        EXPECT_NE(Attach(lines), 0) << line;
        EXPECT_EQ(db_, 0u);
    }
}

TEST_F(ParamBlocksOnEngine, TransactionsStartAsTheirLinesSay) {
    TStringList dpb = Lines({"user_name=SYSDBA", "lc_ctype=UTF8"});
    ASSERT_EQ(Attach(dpb), 0) << StatusVector()[1];
    const struct {
        std::initializer_list<const char*> lines;
        int isolation, recVersion, access, lockTimeout;
    } cases[] = {
        {{"write", "read_committed", "rec_version", "nowait"},
         isc_info_tra_read_committed,
         isc_info_tra_rec_version,
         isc_info_tra_readwrite,
         0},
        {{"isc_tpb_write", "ISC_TPB_CONCURRENCY", "wait"},
         isc_info_tra_concurrency,
         -1,
         isc_info_tra_readwrite,
         -1},
        {{"write", "consistency"}, isc_info_tra_consistency, -1, isc_info_tra_readwrite, -1},
        {{"read", "read_committed", "no_rec_version", "wait"},
         isc_info_tra_read_committed,
         isc_info_tra_no_rec_version,
         isc_info_tra_readonly,
         -1},
        {{"write", "concurrency", "wait", "lock_timeout=5"},
         isc_info_tra_concurrency,
         -1,
         isc_info_tra_readwrite,
         5},
        {{"write", "consistency", "lock_write=ORDERS", "protected"},
         isc_info_tra_consistency,
         -1,
         isc_info_tra_readwrite,
         -1},
        {{"read", "concurrency", "  lock_read=ORDERS  ", "", "shared"},
         isc_info_tra_concurrency,
         -1,
         isc_info_tra_readonly,
         -1},
    };
    for (const auto& c : cases) {
        TStringList lines = Lines(c.lines);
        const std::string text = lines.Text();
        isc_tr_handle tr = 0;
        ASSERT_EQ(Start(tr, lines), 0) << text << StatusVector()[1];
        const char items[] = {isc_info_tra_isolation, isc_info_tra_access, isc_info_tra_lock_timeout,
                              isc_info_end};
        std::vector<char> reply(64);
        ASSERT_EQ(lib_->isc_transaction_info(StatusVector(), &tr, sizeof items, items,
                                             static_cast<short>(reply.size()), reply.data()),
                  0);
        // The isolation's value is a byte, for read committed followed by its record-version byte.
        ASSERT_EQ(reply[0], isc_info_tra_isolation);
        EXPECT_EQ(reply[3], c.isolation) << text;
        if (c.recVersion >= 0) {
            EXPECT_EQ(reply[4], c.recVersion) << text;
        }
        EXPECT_EQ(InfoNumber(reply, isc_info_tra_access), c.access) << text;
        EXPECT_EQ(InfoNumber(reply, isc_info_tra_lock_timeout), c.lockTimeout) << text;
        // A read-only transaction is refused the insert; the others make it.
        const bool inserted = Execute(db_, tr, "INSERT INTO ORDERS VALUES (1)") == 0;
        EXPECT_EQ(inserted, c.access == isc_info_tra_readwrite) << text;
        ASSERT_EQ(lib_->isc_commit_transaction(StatusVector(), &tr), 0) << text;
    }
}

TEST_F(ParamBlocksOnEngine, TableReservationsReachTheEngine) {
    TStringList dpb = Lines({"user_name=SYSDBA"});
    ASSERT_EQ(Attach(dpb), 0) << StatusVector()[1];
    TStringList missing = Lines({"write", "consistency", "lock_read=NO_SUCH_TABLE"});
    isc_tr_handle tr = 0;
    EXPECT_NE(Start(tr, missing), 0);

    // A protected write reservation keeps a second one from starting while the first is active.
    TStringList reserve = Lines({"write", "concurrency", "nowait", "lock_write=ORDERS", "protected"});
    isc_tr_handle first = 0, second = 0;
    ASSERT_EQ(Start(first, reserve), 0) << StatusVector()[1];
    EXPECT_NE(Start(second, reserve), 0);
    EXPECT_EQ(second, 0u);
    ASSERT_EQ(lib_->isc_commit_transaction(StatusVector(), &first), 0);
    ASSERT_EQ(Start(second, reserve), 0) << StatusVector()[1];
    ASSERT_EQ(lib_->isc_commit_transaction(StatusVector(), &second), 0);
}

}  // namespace
