// The dataset's blob stream over an inner stream that needs no server: the edit-state check, what
// a write marks, and what happens once the dataset has freed the inner stream.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "firebird/blob_stream.h"
#include "firebird/fib_errors.h"
#include "firebird_datasets/fib_ds_blob_stream.h"
#include "platform/db/blob_fields.h"
#include "tests/support/memory_dataset.h"

namespace {

class DSBlobStream : public ::testing::Test {
  protected:
    void SetUp() override {
        dataSet.SetColumns({"B"});
        dataSet.SetColumnType(0, ftBlob);
        dataSet.AddRow({Variant::Null()});
        dataSet.Open();
        field = dynamic_cast<TBlobField*>(dataSet.FieldByName("B"));
        ASSERT_NE(field, nullptr);
        inner = std::make_unique<TFIBBlobStream>();
        inner->SetMode(bmReadWrite);  // an empty identifier: a new blob, nothing to load
    }

    std::unique_ptr<TFIBDSBlobStream> Make(TBlobStreamMode mode) {
        TFIBDSBlobStreamOwner owner{
            [this](std::int32_t number) { return number == 1 ? inner.get() : nullptr; },
            [this] { ++modifiedMarks; }, [this](TField* f) { changed.push_back(f); }};
        return std::make_unique<TFIBDSBlobStream>(field, 1, mode, std::move(owner));
    }

    static std::string ReadAll(TStream& stream) {
        std::string text(static_cast<std::size_t>(stream.Size()), '\0');
        stream.SetPosition(0);
        stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        return text;
    }

    TMemoryDataSet dataSet;
    TBlobField* field = nullptr;
    std::unique_ptr<TFIBBlobStream> inner;
    int modifiedMarks = 0;
    std::vector<TField*> changed;
};

TEST_F(DSBlobStream, WritingOutsideEditingRaisesNotEditingAndChangesNothing) {
    inner->WriteBuffer("abc", 3);
    {
        auto stream = Make(bmReadWrite);
        try {
            stream->Write("x", 1);
            FAIL() << "no error";
        } catch (const EFIBClientError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceNotEditing);
            EXPECT_EQ(std::string(e.what()), "Not editing.");
        }
        EXPECT_FALSE(stream->Modified());
    }
    EXPECT_EQ(ReadAll(*inner), "abc");
    EXPECT_EQ(modifiedMarks, 0);
    EXPECT_FALSE(field->Modified);
    EXPECT_TRUE(changed.empty());
}

TEST_F(DSBlobStream, AWriteMarksStreamDataSetAndFieldAndTheEndTellsTheControlsOnce) {
    dataSet.Edit();
    {
        auto stream = Make(bmWrite);
        stream->WriteBuffer("hello", 5);
        stream->WriteBuffer(" world", 6);
        EXPECT_TRUE(stream->Modified());
        EXPECT_EQ(modifiedMarks, 2);
        EXPECT_TRUE(field->Modified);
        EXPECT_TRUE(changed.empty());
        field->Modified = false;  // the dataset may clear it meanwhile; the end sets it again
    }
    EXPECT_TRUE(field->Modified);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], field);
    EXPECT_EQ(ReadAll(*inner), "hello world");
}

TEST_F(DSBlobStream, ReadingLeavesNoMarks) {
    inner->WriteBuffer("abc", 3);
    dataSet.Edit();
    {
        auto stream = Make(bmRead);
        EXPECT_EQ(ReadAll(*stream), "abc");
    }
    EXPECT_TRUE(changed.empty());
    EXPECT_FALSE(field->Modified);
}

TEST_F(DSBlobStream, OpeningStartsAtTheBeginningAndWritingModeEmptiesTheBlob) {
    struct {
        TBlobStreamMode mode;
        std::string seen;
    } const cases[] = {{bmRead, "abc"}, {bmReadWrite, "abc"}, {bmWrite, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        inner->SetSize(0);
        inner->SetPosition(0);
        inner->WriteBuffer("abc", 3);  // leaves the inner stream at its end
        auto stream = Make(c.mode);
        std::string text(3, '\0');
        text.resize(static_cast<std::size_t>(stream->Read(text.data(), 3)));
        EXPECT_EQ(text, c.seen);
    }
}

TEST_F(DSBlobStream, AFreedInnerStreamReadsAndSeeksNothing) {
    inner->WriteBuffer("abc", 3);
    dataSet.Edit();
    auto stream = Make(bmReadWrite);
    inner.reset();  // the dataset closed or refreshed the record
    char byte = 0;
    EXPECT_EQ(stream->Read(&byte, 1), 0);
    EXPECT_EQ(stream->Seek(2, soBeginning), 0);
    EXPECT_EQ(stream->Size(), 0);
    EXPECT_EQ(stream->Write("x", 1), 0);
}

}  // namespace
