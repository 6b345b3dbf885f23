// Blob streams and blob filters without a server: modes, the empty start, seeking, the kept data
// that Cancel brings back, and the handle checks.
#include <gtest/gtest.h>

#include <functional>

#include "firebird/blob_filters.h"
#include "firebird/blob_routines.h"
#include "firebird/blob_stream.h"
#include "firebird/fib_errors.h"
#include "platform/rtl/string_stream.h"

namespace {

int ClientErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EFIBClientError& e) {
        return e.SqlErrorCode;
    }
    return -1;
}

TEST(BlobStream, ModesRefuseTheWrongDirection) {
    TFIBBlobStream stream;
    char byte = 'x';
    stream.SetMode(bmRead);
    EXPECT_EQ(ClientErrorOf([&] { stream.Write(&byte, 1); }), fceBlobCannotBeWritten);
    stream.SetMode(bmWrite);
    EXPECT_EQ(ClientErrorOf([&] { stream.Read(&byte, 1); }), fceBlobCannotBeRead);
    EXPECT_EQ(ClientErrorOf([&] { stream.GetAsString(); }), fceBlobCannotBeRead);
}

TEST(BlobStream, ReadWriteWithoutIdentifierStartsEmptyWithoutServer) {
    TFIBBlobStream stream;
    stream.SetMode(bmReadWrite);
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.GetAsString(), "");
    stream.WriteBuffer("abc", 3);
    EXPECT_EQ(stream.GetAsString(), "abc");
    EXPECT_TRUE(stream.Modified());
}

TEST(BlobStream, SeekingAndReadingPastTheEnd) {
    TFIBBlobStream stream;
    stream.SetMode(bmReadWrite);
    stream.WriteBuffer("0123456789", 10);
    EXPECT_EQ(stream.Seek(-3, soEnd), 7);
    EXPECT_EQ(stream.Seek(20, soBeginning), 20);
    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 0);
    EXPECT_EQ(stream.Position(), 20);
    EXPECT_THROW(stream.Seek(-1, soBeginning), EStreamError);
    EXPECT_THROW(stream.Seek(-21, soCurrent), EStreamError);
    EXPECT_THROW(stream.Seek(-11, soEnd), EStreamError);
    EXPECT_EQ(stream.Position(), 20);
    stream.WriteBuffer("!", 1);
    EXPECT_EQ(stream.GetAsString(), std::string("0123456789") + std::string(10, '\0') + "!");
}

TEST(BlobStream, CancelBringsBackTheKeptData) {
    struct Case {
        const char* what;
        std::function<void(TFIBBlobStream&)> change;
    };
    const Case cases[] = {
        {"write", [](TFIBBlobStream& s) { s.WriteBuffer("xyz", 3); }},
        {"load from stream",
         [](TFIBBlobStream& s) {
             TStringStream source("new content");
             s.LoadFromStream(source);
         }},
        {"truncate then write",
         [](TFIBBlobStream& s) {
             s.Truncate();
             s.WriteBuffer("q", 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFIBBlobStream stream;
        stream.SetMode(bmReadWrite);
        stream.WriteBuffer("0123456789", 10);
        stream.WriteToServer(true, false);  // as after a post: the data becomes the one to restore
        EXPECT_FALSE(stream.Modified());
        stream.SetPosition(0);
        c.change(stream);
        EXPECT_NE(stream.GetAsString(), "0123456789");
        stream.Cancel();
        EXPECT_EQ(stream.GetAsString(), "0123456789");
        EXPECT_FALSE(stream.Modified());
    }
}

TEST(BlobStream, WritingOverLoadedDataReplacesIt) {
    TFIBBlobStream stream;
    stream.SetMode(bmReadWrite);
    stream.WriteBuffer("0123456789", 10);
    stream.WriteToServer(true, false);
    stream.SetPosition(0);
    stream.WriteBuffer("abc", 3);
    EXPECT_EQ(stream.GetAsString(), "abc");
}

TEST(BlobStream, ServerWorkNeedsConnectedHandles) {
    isc_db_handle closedDb = 0;
    isc_db_handle openDb = 1;
    isc_tr_handle inactiveTr = 0;
    struct Case {
        isc_db_handle* db;
        isc_tr_handle* tr;
        int error;
    };
    const Case cases[] = {
        {nullptr, &inactiveTr, fceDatabaseNotAssigned},
        {&closedDb, &inactiveTr, fceDatabaseClosed},
        {&openDb, nullptr, fceTransactionNotAssigned},
        {&openDb, &inactiveTr, fceNotInTransaction},
    };
    for (const Case& c : cases) {
        TFIBBlobStream stream;
        stream.SetDatabase(c.db);
        stream.SetTransaction(c.tr);
        stream.SetMode(bmRead);
        stream.SetBlobID(ISC_QUAD{1, 2});
        EXPECT_EQ(ClientErrorOf([&] { stream.GetAsString(); }), c.error);
        stream.SetMode(bmWrite);
        stream.WriteBuffer("a", 1);
        EXPECT_EQ(ClientErrorOf([&] { stream.CommitBlob(); }), c.error);
    }
}

TEST(BlobStream, StreamListKeepsIndexesDense) {
    std::vector<TFIBBlobStream*> list;
    auto first = std::make_unique<TFIBBlobStream>(0, &list);
    auto second = std::make_unique<TFIBBlobStream>(1, &list);
    auto third = std::make_unique<TFIBBlobStream>(2, &list);
    first.reset();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], third.get());
    EXPECT_EQ(third->IndexInList(), 0);
    EXPECT_EQ(list[1], second.get());
}

TEST(BlobInfo, AnswersWalkedItemByItem) {
    struct Case {
        const char* what;
        std::string answer;
        TBlobInfo expected;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"all four",
         "\x04\x01\x00\x02\x05\x02\x00\x00\x40\x06\x04\x00\x01\x40\x00\x00\x07\x01\x00\x01\x01"s,
         {2, 16384, 16385, 1}},
        {"ends at the end item", "\x04\x01\x00\x03\x01\x06\x01\x00\x09"s, {3, 0, 0, 0}},
        {"unknown and long items skipped",
         "\x63\x06\x00\x01\x02\x03\x04\x05\x06\x06\x02\x00\xff\x7f"s,
         {0, 0, 32767, 0}},
        {"an item longer than the answer", "\x06\x04\x00\x01\x02"s, {0, 0, 0, 0}},
        {"cut inside the length", "\x04\x01"s, {0, 0, 0, 0}},
        {"empty", ""s, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const TBlobInfo info = ParseBlobInfo(c.answer);
        EXPECT_EQ(info.Segments, c.expected.Segments) << c.what;
        EXPECT_EQ(info.MaxSegment, c.expected.MaxSegment) << c.what;
        EXPECT_EQ(info.TotalLength, c.expected.TotalLength) << c.what;
        EXPECT_EQ(info.BlobType, c.expected.BlobType) << c.what;
    }
    EXPECT_THROW(ReadBlob(nullptr, nullptr, nullptr, 0), Exception);
}

TEST(BlobFilters, OnlyNegativeSubtypesAreFiltered) {
    TIBBlobFilters filters;
    const auto upper = [](std::string& s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    const auto twice = [](std::string& s) { s += s; };
    for (int subtype : {-5, 0, 1, -2}) filters.Add(subtype, upper, twice);
    struct Case {
        int subtype;
        bool writing;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {-5, false, "abc", "ABC"}, {-5, true, "abc", "abcabc"}, {-2, false, "x", "X"},
        {0, false, "abc", "abc"},  {1, true, "abc", "abc"},     {-7, false, "abc", "abc"},
        {-5, true, "", ""},
    };
    for (const Case& c : cases) {
        std::string data = c.in;
        filters.DoFilter(data, c.writing, c.subtype);
        EXPECT_EQ(data, c.out) << c.subtype << " " << c.writing;
    }
    int index = -1;
    EXPECT_TRUE(filters.Find(-2, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(filters.Find(-3, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(TIBBlobFilters().Find(4, index));
    EXPECT_EQ(index, 0);
}

}  // namespace
