#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "platform/rtl/component.h"

namespace {
TEST(ComponentPath, NamesOfTheOwnersOutermostFirst) {
    auto form = MakeComponent<TComponent>(nullptr);
    form->SetName("Form1");
    auto* query = NewComponent<TComponent>(form.get());
    EXPECT_EQ(ComponentPath(query), "Form1");  // unnamed components are left out
    query->SetName("Q1");
    EXPECT_EQ(ComponentPath(query), "Form1.Q1");
    EXPECT_EQ(ComponentPath(nullptr), "");
}

TEST(FIBError, SenderPrefixOnlyForComponents) {
    auto form = MakeComponent<TComponent>(nullptr);
    form->SetName("Form1");
    auto* db = NewComponent<TComponent>(form.get());
    db->SetName("DB1");
    EXPECT_EQ(EFIBError(1, db, "boom").Message, "Form1.DB1:\r\nboom");
    auto anonymous = MakeComponent<TComponent>(nullptr);
    auto* child = NewComponent<TComponent>(anonymous.get());
    EXPECT_EQ(EFIBError(1, child, "boom").Message, ":\r\nboom");
    TObject plain;
    EXPECT_EQ(EFIBError(1, &plain, "boom").Message, "boom");
    EXPECT_EQ(EFIBError(1, nullptr, "boom").Message, "boom");
    const EFIBError parts(-902, db, "SQL message.", "Server line.\r\n");
    EXPECT_EQ(parts.Message, "Form1.DB1:\r\nSQL message.Server line.\r\n");
    EXPECT_EQ(parts.SqlMessageText, "SQL message.");
    EXPECT_EQ(parts.ServerMessage, "Server line.\r\n");
    EXPECT_EQ(parts.Sender, db);
}

TEST(FIBError, ClientErrorsCarryTheirNumberAndText) {
    StatusVector()[1] = 335544344;  // whatever the last client call left
    const struct {
        int code;
        std::initializer_list<FormatArg> args;
        const char* expected;
    } cases[] = {
        {23, {}, "XSQLDA index out of range."},
        {9, {"foo"}, "DPB Constant (foo) is unknown."},
        {51, {"Q1", "select"}, "SQL Parse Error in :Q1 \r\n\r\nselect"},
        {55, {5, 255}, "Windows API error. (Windows error 5 [$000000FF])"},
        {37, {"open"}, "Can't open , because  query is empty"},
        {0x80 | 25, {}, "End of file."},  // only the low seven bits choose the text
        {99, {}, "Unknown error."},
    };
    for (const auto& c : cases) {
        try {
            RaiseClientError(c.code, c.args);
            ADD_FAILURE() << c.code;
        } catch (const EFIBClientError& e) {
            EXPECT_EQ(e.Message, c.expected);
            EXPECT_EQ(e.SqlErrorCode, c.code);
            EXPECT_EQ(e.ServerErrorCode, 335544344);
            EXPECT_EQ(e.Sender, nullptr);
            EXPECT_TRUE(e.SqlMessageText.empty());
        }
    }
}

// A deadlock counts by its SQL code alone; -901 is a lock conflict only with the server's code.
TEST(FIBError, LockConflictsByTheirCodes) {
    const struct {
        std::int32_t sqlCode;
        ISC_STATUS serverCode;
        bool conflict;
    } cases[] = {
        {-913, isc_deadlock, true},       {-913, 0, true},
        {-901, isc_lock_conflict, true},  {-901, isc_deadlock, false},
        {-803, isc_lock_conflict, false},
    };
    for (const auto& c : cases) {
        StatusVector()[1] = c.serverCode;
        const EFIBError error(c.sqlCode, nullptr, "conflict");
        EXPECT_EQ(IsLockConflict(error), c.conflict) << c.sqlCode << " " << c.serverCode;
    }
}

TEST(FIBError, ServerErrorTextFromTheClientsInterpreters) {
    // The stub client reads one line per cluster of the vector: line 1 is empty.
    IIBClientLibraryPtr lib = GetClientLibrary(FBSTUB_TEXTS);
    const ISC_STATUS vector[] = {isc_arg_gds, 0, isc_arg_gds, 1, isc_arg_gds, 2, isc_arg_end};
    std::copy(std::begin(vector), std::end(vector), StatusVector());
    try {
        RaiseServerError(*lib, nullptr);
        ADD_FAILURE() << "nothing raised";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.SqlErrorCode, -104);
        EXPECT_EQ(e.SqlMessageText, "Invalid token.");                           // already ends in "."
        EXPECT_EQ(e.ServerMessage, "Dynamic SQL Error.\r\nToken unknown.\r\n");  // the empty line left out
        EXPECT_EQ(e.Message, e.SqlMessageText + e.ServerMessage);
    }
}

TEST(FIBError, ServerErrorWithoutTextsRaisesWithThePrefixAlone) {
    IIBClientLibraryPtr lib = GetClientLibrary(FBSTUB_V6);  // its interpreters write nothing
    auto form = MakeComponent<TComponent>(nullptr);
    form->SetName("Form1");
    StatusVector()[0] = isc_arg_gds;
    StatusVector()[1] = 335544344;
    try {
        RaiseServerError(*lib, form.get());
        ADD_FAILURE() << "nothing raised";
    } catch (const EFIBInterBaseError& e) {
        EXPECT_EQ(e.Message, "Form1:\r\n");
        EXPECT_EQ(e.ServerErrorCode, 335544344);
    }
}

TEST(StatusVector, FindsCodesInErrorAndNumberClustersOnly) {
    ISC_STATUS* v = StatusVector();
    const char text[] = "x";
    const ISC_STATUS vector[] = {isc_arg_gds,
                                 335544569,
                                 isc_arg_cstring,
                                 335544348,
                                 reinterpret_cast<ISC_STATUS>(text),
                                 isc_arg_number,
                                 -104,
                                 isc_arg_string,
                                 reinterpret_cast<ISC_STATUS>(text),
                                 isc_arg_end};
    std::copy(std::begin(vector), std::end(vector), v);
    EXPECT_TRUE(StatusHasCode({335544569}));
    EXPECT_TRUE(StatusHasCode({1, -104}));
    EXPECT_FALSE(StatusHasCode({335544348}));  // the counted string's length
    EXPECT_FALSE(StatusHasCode({reinterpret_cast<ISC_STATUS>(text)}));
    // A vector without its end marker is walked no further than its last entry.
    std::fill(v, v + ISC_STATUS_LENGTH, isc_arg_warning);
    EXPECT_FALSE(StatusHasCode({isc_arg_warning + 1}));
}

TEST(StatusVector, EachThreadHasItsOwn) {
    StatusVector()[1] = 11;
    ISC_STATUS seen = -1;
    std::thread([&] { seen = StatusVector()[1]; }).join();
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(StatusVector()[1], 11);
}

TEST(ReallocZeroed, GrowsKeepingContentsAndZeroesTheRest) {
    auto* block = static_cast<unsigned char*>(ReallocZeroed(nullptr, 0, 4));
    EXPECT_EQ(std::count(block, block + 4, 0), 4);
    block[0] = 7;
    block[3] = 9;
    block = static_cast<unsigned char*>(ReallocZeroed(block, 4, 64));
    EXPECT_EQ(block[0], 7);
    EXPECT_EQ(block[3], 9);
    EXPECT_EQ(std::count(block + 4, block + 64, 0), 60);
    block = static_cast<unsigned char*>(ReallocZeroed(block, 64, 2));
    EXPECT_EQ(block[0], 7);
    std::free(block);
}
}  // namespace
