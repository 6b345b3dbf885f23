// Tests against Debian's real client library (libfbclient2) and its embedded engine
// (firebird3.0-server-core, plugin libEngine12.so).
//
// What they need: libfbclient.so.2 on the loader's path, and the engine plugin in the client's
// own directory tree (/usr/lib/x86_64-linux-gnu/firebird/3.0/plugins). The default providers
// "Remote, Engine12, Loopback" open a plain file name with the embedded engine, so no server runs
// and no firebird.conf is needed; without a host in the name no password is checked, only the
// user name SYSDBA is given. Each test gets its own temporary directory for the database files,
// with FIREBIRD_LOCK and FIREBIRD_TMP pointed at it before the client library is first loaded,
// so that the engine's lock and sort files never touch the system's directories.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "firebird/client_library.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "platform/rtl/component.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr ISC_LONG kSqlCodeIoError = -902;

class EmbeddedEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NO_THROW(dir_ = std::make_unique<testsupport::TempDir>("fibtest"));
        setenv("FIREBIRD_LOCK", dir_->Path().c_str(), 1);
        setenv("FIREBIRD_TMP", dir_->Path().c_str(), 1);
        lib_ = GetClientLibrary(DefaultClientLibraryName);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    static std::string DatabaseFile(const std::string& name) { return (*dir_ / name).string(); }

    // Attaches as SYSDBA; returns the client's status.
    static ISC_STATUS Attach(const std::string& file, isc_db_handle& db) {
        std::string dpb{static_cast<char>(isc_dpb_version1), static_cast<char>(isc_dpb_user_name), 6};
        dpb += "SYSDBA";
        return lib_->isc_attach_database(StatusVector(), 0, file.c_str(), &db, static_cast<short>(dpb.size()),
                                         dpb.data());
    }

    static ISC_STATUS Create(const std::string& file, isc_db_handle& db) {
        isc_tr_handle tr = 0;
        const std::string sql = "CREATE DATABASE '" + file + "' USER 'SYSDBA'";
        return lib_->isc_dsql_execute_immediate(StatusVector(), &db, &tr, 0, sql.c_str(), 3, nullptr);
    }

    static inline std::unique_ptr<testsupport::TempDir> dir_;
    static inline IIBClientLibraryPtr lib_;
};

TEST_F(EmbeddedEngine, TheRealClientReportsItsOwnVersion) {
    // The version is the one the library states, e.g. "LI-V6.3.11.33703 Firebird 3.0".
    char text[256] = {};
    lib_->isc_get_client_version(text);
    const std::string stated = text;
    const std::string expected = "V" + std::to_string(lib_->ClientMajorVersion()) + "." +
                                 std::to_string(lib_->ClientMinorVersion()) + ".";
    EXPECT_NE(stated.find(expected), std::string::npos) << stated;
    EXPECT_GE(lib_->ClientMajorVersion(), 6);
    EXPECT_EQ(GetClientLibrary("libfbclient.so.2"), lib_);
    const char bytes[] = {0x01, 0x02};
    EXPECT_EQ(lib_->isc_vax_integer(bytes, 2), 0x0201);  // little-endian on the wire
}

TEST_F(EmbeddedEngine, EventBlockPassesTheNamesToTheClient) {
    const char* names[] = {"A", "BC"};
    ISC_UCHAR *events = nullptr, *results = nullptr;
    // A version byte, then for each name its length, its text and a 4-byte count.
    const ISC_LONG length = lib_->isc_event_block(&events, &results, 2, names);
    ASSERT_EQ(length, 1 + (1 + 1 + 4) + (1 + 2 + 4));
    ASSERT_NE(events, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(events) + 1, 2), std::string("\x01"
                                                                               "A"));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(events) + 7, 3), std::string("\x02"
                                                                               "BC"));
    lib_->isc_free(reinterpret_cast<ISC_SCHAR*>(events));
    lib_->isc_free(reinterpret_cast<ISC_SCHAR*>(results));
}

TEST_F(EmbeddedEngine, CreatesAndAttachesADatabase) {
    const std::string file = DatabaseFile("created.fdb");
    isc_db_handle db = 0;
    ASSERT_EQ(Create(file, db), 0) << StatusVector()[1];
    EXPECT_NE(db, 0u);
    ASSERT_EQ(lib_->isc_detach_database(StatusVector(), &db), 0);
    EXPECT_EQ(db, 0u);
    EXPECT_TRUE(std::filesystem::exists(file));

    ASSERT_EQ(Attach(file, db), 0) << StatusVector()[1];
    const char items[] = {isc_info_page_size, isc_info_end};
    char result[32] = {};
    ASSERT_EQ(lib_->isc_database_info(StatusVector(), &db, sizeof items, items, sizeof result, result), 0);
    ASSERT_EQ(result[0], isc_info_page_size);
    const ISC_LONG length = lib_->isc_vax_integer(result + 1, 2);
    EXPECT_GE(lib_->isc_vax_integer(result + 3, static_cast<short>(length)), 4096);
    ASSERT_EQ(lib_->isc_drop_database(StatusVector(), &db), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(EmbeddedEngine, FailedAttachRaisesTheServersError) {
    auto form = MakeComponent<TComponent>(nullptr);
    form->SetName("Form1");
    auto* db1 = NewComponent<TComponent>(form.get());
    db1->SetName("DB1");
    const std::string file = DatabaseFile("missing.fdb");
    isc_db_handle db = 0;
    ASSERT_NE(Attach(file, db), 0);
    EXPECT_TRUE(StatusHasCode({isc_io_error}));
    try {
        RaiseServerError(*lib_, db1);
        FAIL() << "nothing raised";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.SqlErrorCode, kSqlCodeIoError);
        EXPECT_EQ(e.ServerErrorCode, isc_io_error);
        EXPECT_EQ(e.Sender, db1);
        EXPECT_EQ(e.Message.rfind("Form1.DB1:\r\n", 0), 0u) << e.Message;
        EXPECT_EQ(e.Message, "Form1.DB1:\r\n" + e.SqlMessageText + e.ServerMessage);
        EXPECT_EQ(e.SqlMessageText,
                  "Unsuccessful execution caused by a system error that precludes successful execution of "
                  "subsequent statements.");
        EXPECT_EQ(
            e.ServerMessage.rfind("I/O error during \"open\" operation for file \"" + file + "\".\r\n", 0),
            0u)
            << e.ServerMessage;
        EXPECT_NE(e.ServerMessage.find("No such file or directory.\r\n"), std::string::npos)
            << e.ServerMessage;
        EXPECT_EQ(e.ServerMessage.find(".."), std::string::npos);
    }
}

class Handler : public IFIBErrorHandler {
  public:
    explicit Handler(bool raise, bool replace = false) : raise_(raise), replace_(replace) {}
    void HandleError(TObject*, EFIBInterBaseError& error, bool& raiseIt) override {
        seenCode = error.ServerErrorCode;
        if (replace_)
            throw Exception("replaced");
        raiseIt = raise_;
    }
    ISC_STATUS seenCode = 0;

  private:
    bool raise_, replace_;
};

TEST_F(EmbeddedEngine, ErrorHandlerHookMayKeepOrReplaceTheError) {
    isc_db_handle db = 0;
    ASSERT_NE(Attach(DatabaseFile("missing.fdb"), db), 0);
    Handler quiet(false), replacing(true, true);
    SetErrorHandlerHook(&quiet);
    EXPECT_NO_THROW(RaiseServerError(*lib_, nullptr));
    EXPECT_EQ(quiet.seenCode, isc_io_error);
    SetErrorHandlerHook(&replacing);
    try {
        RaiseServerError(*lib_, nullptr);
        ADD_FAILURE();
    } catch (const EFIBError&) {
        ADD_FAILURE() << "the hook's exception should pass";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "replaced");
    }
    SetErrorHandlerHook(nullptr);
    EXPECT_THROW(RaiseServerError(*lib_, nullptr), EFIBInterBaseError);
}

}  // namespace
