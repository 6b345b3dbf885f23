#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "firebird/client_library.h"
#include "firebird/number_utils.h"
#include "platform/os/os_error.h"

namespace {
size_t CacheSize() {
    return ClientLibraryCache().size();
}

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(nothing raised)";
}

TEST(ClientLibrary, WithoutRollbackRetainingTheLibraryIsLevelFive) {
    IIBClientLibraryPtr lib = GetClientLibrary(FBSTUB_V5);
    EXPECT_EQ(lib->GetLibraryName(), FBSTUB_V5);
    EXPECT_EQ(lib->ClientMajorVersion(), 5);
    EXPECT_EQ(lib->ClientMinorVersion(), 0);
    EXPECT_EQ(lib->isc_vax_integer("ab", 2), 4202);  // resolved entry points are called through
    const std::string name = FBSTUB_V5;
    EXPECT_EQ(MessageOf([&] { lib->isc_service_attach(nullptr, 0, "", nullptr, 0, ""); }),
              "Can't find procedure isc_service_attach in " + name);
    EXPECT_EQ(MessageOf([&] { lib->isc_encode_sql_date(nullptr, nullptr); }),
              "Can't find procedure isc_encode_sql_date in " + name);
    EXPECT_EQ(MessageOf([&] { lib->isc_rollback_retaining(nullptr, nullptr); }),
              "Can't find procedure isc_rollback_retaining in " + name);
    // Entry points that are never looked up, whatever the library offers.
    EXPECT_EQ(MessageOf([&] { lib->isc_add_user(nullptr, nullptr); }),
              "Can't find procedure isc_add_user in " + name);
    EXPECT_EQ(MessageOf([&] { lib->isc_prepare_transaction(nullptr, nullptr); }),
              "Can't find procedure isc_prepare_transaction in " + name);
    EXPECT_EQ(MessageOf([&] { lib->isc_cancel_blob(nullptr, nullptr); }),
              "Can't find procedure isc_cancel_blob in " + name);
}

TEST(ClientLibrary, EventBlockTakesAtMostFifteenNames) {
    IIBClientLibraryPtr lib = GetClientLibrary(FBSTUB_V5);
    const char* names[16] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P"};
    ISC_UCHAR *events = nullptr, *results = nullptr;
    EXPECT_EQ(lib->isc_event_block(&events, &results, 15, names), 0);
    // The client would read a sixteenth variable argument that was never passed.
    EXPECT_EQ(MessageOf([&] { lib->isc_event_block(&events, &results, 16, names); }),
              "isc_event_block takes at most 15 event names, not 16");
}

TEST(ClientLibrary, LevelSixAndTheClientsOwnVersion) {
    IIBClientLibraryPtr v6 = GetClientLibrary(FBSTUB_V6);
    EXPECT_EQ(v6->ClientMajorVersion(), 6);
    EXPECT_EQ(v6->ClientMinorVersion(), 0);
    EXPECT_EQ(v6->isc_service_start(nullptr, nullptr, nullptr, 0, ""), 77);
    IIBClientLibraryPtr versioned = GetClientLibrary(FBSTUB_V6_VERSION);
    EXPECT_EQ(versioned->ClientMajorVersion(), 7);
    EXPECT_EQ(versioned->ClientMinorVersion(), 3);
}

TEST(ClientLibrary, MissingRequiredEntryPointFailsWithTheLoadersText) {
    const size_t before = CacheSize();
    const struct {
        const char* file;
        const char* symbol;
    } cases[] = {{FBSTUB_NO_FETCH, "isc_dsql_fetch"}, {FBSTUB_NO_SERVICE_START, "isc_service_start"}};
    for (const auto& c : cases) {
        try {
            GetClientLibrary(c.file);
            ADD_FAILURE() << c.file;
        } catch (const EOSError& e) {
            EXPECT_NE(e.Message.find("undefined symbol: " + std::string(c.symbol)), std::string::npos)
                << e.Message;
        }
    }
    EXPECT_EQ(CacheSize(), before);
}

TEST(ClientLibrary, MissingFileLeavesTheCacheAsItWas) {
    const size_t before = CacheSize();
    for (int attempt = 0; attempt < 2; ++attempt) {  // each request tries again
        try {
            GetClientLibrary("/nonexistent/libfbclient.so.2");
            ADD_FAILURE();
        } catch (const EOSError&) {
            ADD_FAILURE() << "not a system error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Can't load library /nonexistent/libfbclient.so.2 ");
        }
    }
    EXPECT_EQ(CacheSize(), before);
}

TEST(ClientLibrary, CacheKeysOnTheExactName) {
    IIBClientLibraryPtr a = GetClientLibrary(FBSTUB_V5);
    EXPECT_EQ(GetClientLibrary(FBSTUB_V5), a);
    // The same file under another spelling is another binding of the same module.
    std::string other = FBSTUB_V5;
    other.insert(other.rfind('/'), "/.");
    IIBClientLibraryPtr b = GetClientLibrary(other);
    EXPECT_NE(b, a);
    EXPECT_EQ(b->isc_vax_integer("", 1), 4201);
    const auto cache = ClientLibraryCache();
    EXPECT_EQ(std::count(cache.begin(), cache.end(), a), 1);
    EXPECT_EQ(std::count(cache.begin(), cache.end(), b), 1);
}

TEST(ClientLibrary, UnloadingTwiceIsHarmlessAndLaterCallsRaise) {
    TIBClientLibrary lib(FBSTUB_V6);
    lib.FreeClientLibrary();
    lib.FreeClientLibrary();
    EXPECT_EQ(lib.ClientMajorVersion(), 6);
    // The entry points lay in the unloaded module: a call raises instead of jumping there.
    EXPECT_EQ(MessageOf([&] { lib.isc_vax_integer("", 0); }),
              "Can't find procedure isc_vax_integer in " + std::string(FBSTUB_V6));
}

#if defined(__i386__) || defined(__x86_64__)
TEST(ClientLibrary, LoadingRestoresExtendedX87Precision) {
    std::uint16_t cw = static_cast<std::uint16_t>((GetFPUControlWord() & ~0x300) | 0x200);  // 53-bit mantissa
    __asm__ __volatile__("fldcw %0" : : "m"(cw));
    TIBClientLibrary lib(FBSTUB_V5);
    EXPECT_EQ(GetFPUControlWord(), cw | 0x300);
}
#endif

TEST(ClientLibrary, DescriptorAreaLengthFollowsTheAbi) {
    EXPECT_EQ(XSQLDALength(1), sizeof(XSQLDA));
    EXPECT_EQ(XSQLDALength(3), XSQLDA_LENGTH(3));
    EXPECT_EQ(XSQLDALength(0), sizeof(XSQLDA) - sizeof(XSQLVAR));
    EXPECT_EQ(DefaultClientLibraryName, "libfbclient.so.2");
}
}  // namespace
