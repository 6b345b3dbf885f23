// Blob streams over a database and transaction component on the embedded engine.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>

#include "firebird/blob_stream.h"
#include "firebird/database.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace {

TEST(BlobStreamOnEngine, WrittenAndReadThroughTheConnectionComponents) {
    const std::string file = fbtest::TEngineFolder::Get().CreateDatabase("blob_stream");
    fbtest::TConnection c(file);
    c.db->SetConnected(true);
    c.tr->StartTransaction();

    TFIBBlobStream writer;
    writer.SetDatabase(c.db.get());
    writer.SetTransaction(c.tr.get());
    writer.SetMode(bmWrite);
    const std::string data(40000, 'z');
    writer.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    writer.CommitBlob();
    EXPECT_FALSE(writer.Modified());
    ASSERT_FALSE(IsEmptyBlobID(writer.BlobID()));

    TFIBBlobStream reader;
    reader.SetDatabase(c.db.get());
    reader.SetTransaction(c.tr.get());
    reader.SetBlobID(writer.BlobID());
    EXPECT_EQ(reader.GetAsString(), data);
    EXPECT_EQ(reader.BlobNumSegments(), 3);

    // A blob identifier the server never gave is the server's error, not a crash.
    reader.SetBlobID(ISC_QUAD{12345, 678});
    EXPECT_THROW(reader.GetAsString(), EFIBInterBaseError);

    c.tr->Commit();
    reader.SetBlobID(writer.BlobID());
    try {
        reader.GetAsString();
        ADD_FAILURE() << "read without an active transaction";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceNotInTransaction);
        EXPECT_NE(e.Message.find("BlobStream"), std::string::npos) << e.Message;
    }
    c.db->SetConnected(false);
}

void ChangeCase(std::string& data, int (*to)(int)) {
    for (char& ch : data) ch = static_cast<char>(to(static_cast<unsigned char>(ch)));
}

// A stream on a database filters through the database's table unless it is given another one.
TEST(BlobStreamOnEngine, AStreamOnADatabaseUsesItsBlobFilters) {
    const std::string file = fbtest::TEngineFolder::Get().CreateDatabase("blob_stream_filters");
    fbtest::TConnection c(file);
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    constexpr int subtype = -5;
    c.db->BlobFilters().Add(
        subtype, [](std::string& data) { ChangeCase(data, ::tolower); },
        [](std::string& data) { ChangeCase(data, ::toupper); });
    TIBBlobFilters noFilters;
    auto stream = [&](TBlobStreamMode mode, TIBBlobFilters* filters) {
        auto s = std::make_unique<TFIBBlobStream>();
        s->SetDatabase(c.db.get());
        s->SetTransaction(c.tr.get());
        s->SetMode(mode);
        s->SetBlobSubType(subtype);
        if (filters)
            s->SetBlobFilters(filters);
        return s;
    };

    const auto writer = stream(bmWrite, nullptr);
    writer->WriteBuffer("abc", 3);
    writer->CommitBlob();
    const auto raw = stream(bmRead, &noFilters);
    raw->SetBlobID(writer->BlobID());
    EXPECT_EQ(raw->GetAsString(), "ABC") << "the server holds the written filter's data";
    const auto filtered = stream(bmRead, nullptr);
    filtered->SetBlobID(writer->BlobID());
    EXPECT_EQ(filtered->GetAsString(), "abc");

    const auto unfiltered = stream(bmWrite, &noFilters);
    unfiltered->WriteBuffer("def", 3);
    unfiltered->CommitBlob();
    raw->SetBlobID(unfiltered->BlobID());
    EXPECT_EQ(raw->GetAsString(), "def");
    c.tr->Commit();
    c.db->SetConnected(false);
}

}  // namespace
