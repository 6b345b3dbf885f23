// Blobs of a dataset on the engine, through CreateBlobStream: reading each kind, the record's slot
// keeping its stream's number through moves, writing only while editing, finishing or cancelling
// the written streams, and reading after the read transaction ended with cached updates.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "firebird/blob_stream.h"
#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

using namespace std::string_literals;

// Editable (the editing work of later issues is not needed to fill a blob) and showing the slots.
class TBlobProbe : public TFIBDataSet {
  public:
    using TFIBDataSet::TFIBDataSet;
    bool CanEdit() const override { return true; }
    std::int32_t SlotOf(const char* field) const {
        return *BlobStreamSlot(ActiveBuffer(), FieldByName(field));
    }
    std::size_t StreamCount() const { return blobStreams_.size(); }
    TFIBBlobStream* StreamOf(const char* field) const { return BlobStreamAt(SlotOf(field)); }
    void Release(bool finish) { ReleaseBlobStreams(ActiveBuffer(), finish, TACommit); }
    // Reads a field of the window's buffer as a filter would, in a buffer other than the active one.
    std::string ReadInBuffer(int index, const char* field) {
        std::string text;
        ReadRecord(Buffer(index), [&] { text = FieldByName(field)->AsString(); });
        return text;
    }
};

std::string ReadAll(TStream& stream) {
    std::string text(static_cast<std::size_t>(stream.Size()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    return text;
}

class BlobsOnEngine : public dstest::DatasetEngine {
  protected:
    TBlobProbe& AllTypes() {
        auto& ds = DataSet<TBlobProbe>("SELECT ID, MEMO_V, BLOB_V FROM ALL_TYPES ORDER BY ID");
        ds.Open();
        return ds;
    }
    std::string Read(TBlobProbe& ds, const char* field) {
        return ReadAll(*ds.CreateBlobStream(ds.FieldByName(field), bmRead));
    }
    // What the server holds under the identifier, read apart from the dataset.
    std::string OnServer(const ISC_QUAD& id) {
        TFIBBlobStream blob;
        blob.SetDatabase(&Database());
        blob.SetTransaction(&Transaction());
        blob.SetBlobID(id);
        return ReadAll(blob);
    }
};

TEST_F(BlobsOnEngine, EachBlobKindReadsItsContentAndNullReadsNothing) {
    const struct {
        int id;
        const char* field;
        std::string content;
    } cases[] = {
        {1, "MEMO_V", "memo text"}, {1, "BLOB_V", "\x00\xFF\x10"s}, {2, "MEMO_V", ""}, {2, "BLOB_V", ""}};
    auto& ds = AllTypes();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + c.field);
        ds.SetRecNo(c.id);  // ordered by ID
        ASSERT_EQ(ds.FieldByName("ID")->AsInteger(), c.id);
        EXPECT_EQ(Read(ds, c.field), c.content);
    }
    EXPECT_EQ(ds.StreamCount(), 2u) << "a NULL blob read needs no stream";
}

TEST_F(BlobsOnEngine, TheSlotKeepsItsStreamNumberThroughMoves) {
    auto& ds = AllTypes();
    EXPECT_EQ(ds.SlotOf("MEMO_V"), 0);
    EXPECT_EQ(Read(ds, "BLOB_V"), "\x00\xFF\x10"s);
    EXPECT_EQ(Read(ds, "MEMO_V"), "memo text");
    EXPECT_EQ(ds.SlotOf("BLOB_V"), 1);
    EXPECT_EQ(ds.SlotOf("MEMO_V"), 2);
    ds.Next();
    EXPECT_EQ(ds.SlotOf("MEMO_V"), 0);
    ds.Prior();
    EXPECT_EQ(ds.SlotOf("BLOB_V"), 1);
    EXPECT_EQ(ds.SlotOf("MEMO_V"), 2);
    EXPECT_EQ(Read(ds, "MEMO_V"), "memo text");
    EXPECT_EQ(ds.StreamCount(), 2u) << "the record's streams are found again, not made anew";
}

TEST_F(BlobsOnEngine, AStreamKeptAcrossCloseAndOpenNeverReachesAnotherRecordsBlob) {
    auto& ds = AllTypes();
    auto kept = ds.CreateBlobStream(ds.FieldByName("MEMO_V"), bmRead);
    ds.Close();
    ds.Open();
    EXPECT_EQ(Read(ds, "BLOB_V"), "\x00\xFF\x10"s);  // the first stream after the reopen
    EXPECT_EQ(kept->Size(), 0) << "the kept stream's own blob was freed with the close";
    EXPECT_NE(ds.SlotOf("BLOB_V"), 1) << "numbers are not given out again";
}

TEST_F(BlobsOnEngine, WritingOutsideEditingRaisesNotEditing) {
    auto& ds = AllTypes();
    TField* memo = ds.FieldByName("MEMO_V");
    try {
        ds.CreateBlobStream(memo, bmWrite);
        FAIL() << "no error for a writable field";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceNotEditing);
    }
    memo->ReadOnly = true;  // a read-only field gets its stream, but no write goes through
    auto stream = ds.CreateBlobStream(memo, bmReadWrite);
    EXPECT_THROW(stream->Write("x", 1), EFIBClientError);
    EXPECT_EQ(ReadAll(*stream), "memo text");
}

TEST_F(BlobsOnEngine, FinishingWritesANewServerBlobIntoTheRecord) {
    auto& ds = AllTypes();
    const std::string before = Read(ds, "MEMO_V");
    const ISC_QUAD oldId = ds.StreamOf("MEMO_V")->BlobID();
    ds.Edit();
    {
        auto stream = ds.CreateBlobStream(ds.FieldByName("MEMO_V"), bmWrite);
        stream->WriteBuffer("a new memo", 10);
    }
    EXPECT_TRUE(dynamic_cast<TBlobField*>(ds.FieldByName("MEMO_V"))->Modified);
    ds.Release(true);
    const ISC_QUAD newId = ds.StreamOf("MEMO_V")->BlobID();
    EXPECT_NE(std::memcmp(&oldId, &newId, sizeof oldId), 0);
    EXPECT_EQ(OnServer(newId), "a new memo");
    EXPECT_EQ(OnServer(oldId), before);
    EXPECT_EQ(ds.FieldByName("MEMO_V")->AsString(), "a new memo");
    ds.Cancel();
}

TEST_F(BlobsOnEngine, CancellingBringsTheOldContentBack) {
    auto& ds = AllTypes();
    ds.Edit();
    ds.CreateBlobStream(ds.FieldByName("MEMO_V"), bmWrite)->WriteBuffer("scratch", 7);
    EXPECT_EQ(Read(ds, "MEMO_V"), "scratch");
    ds.Release(false);
    EXPECT_EQ(Read(ds, "MEMO_V"), "memo text");
    EXPECT_FALSE(ds.FieldByName("MEMO_V")->IsNull());
    ds.Cancel();
}

TEST_F(BlobsOnEngine, AnEmptiedBlobBecomesNull) {
    auto& ds = AllTypes();
    ds.Edit();
    ds.CreateBlobStream(ds.FieldByName("BLOB_V"), bmWrite);  // opening for writing empties it
    ds.Release(true);
    EXPECT_TRUE(ds.FieldByName("BLOB_V")->IsNull());
    EXPECT_FALSE(ds.FieldByName("MEMO_V")->IsNull());
    ds.Cancel();
}

TEST_F(BlobsOnEngine, WithCachedUpdatesABlobIsReadAfterTheReadTransactionEnded) {
    auto& ds = DataSet<TBlobProbe>("SELECT ID, MEMO_V, BLOB_V FROM ALL_TYPES ORDER BY ID");
    ds.SetCachedUpdates(true);
    ds.Open();
    Transaction().Commit();
    ASSERT_TRUE(ds.Active());
    ds.First();
    EXPECT_EQ(Read(ds, "MEMO_V"), "memo text");
    EXPECT_FALSE(Transaction().Active()) << "the transaction started for the read ends with it";
    EXPECT_EQ(Read(ds, "MEMO_V"), "memo text");
}

TEST_F(BlobsOnEngine, ARecordReadInAnotherBufferFindsItsStreamAgain) {
    auto& ds = AllTypes();
    ds.SetBufferCount(2);
    ds.Last();  // the window holds both rows, the first in a buffer that is not the active one
    ASSERT_EQ(ds.ActiveRecord(), 1);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_EQ(ds.ReadInBuffer(0, "MEMO_V"), "memo text");
        ds.Resync({});  // the buffers are read from the cache again
    }
    EXPECT_EQ(ds.StreamCount(), 1u) << "each read through a fresh buffer made a stream of its own";
}

}  // namespace
