// Streams: the same seek and read rules over memory, text and files; growth of memory streams;
// file modes and share flags on real files; the texts of stream errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/replacing_file_stream.h"
#include "platform/rtl/string_stream.h"
#include "tests/support/temp_dir.h"

namespace {

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadUpTo(TStream& stream, std::int64_t count) {
    std::string text(static_cast<std::size_t>(count), '\0');
    text.resize(static_cast<std::size_t>(stream.Read(text.data(), count)));
    return text;
}

// Each kind of stream, made holding "abcdef" with the position at 0.
struct StreamKind {
    const char* name;
    std::function<std::unique_ptr<TStream>(const testsupport::TempDir&)> make;
};

const StreamKind kKinds[] = {
    {"memory",
     [](const testsupport::TempDir&) {
         auto s = std::make_unique<TMemoryStream>();
         s->WriteBuffer("abcdef", 6);
         s->SetPosition(0);
         return std::unique_ptr<TStream>(std::move(s));
     }},
    {"string",
     [](const testsupport::TempDir&) { return std::unique_ptr<TStream>(new TStringStream("abcdef")); }},
    {"file",
     [](const testsupport::TempDir& dir) {
         WriteFile(dir / "kind.bin", "abcdef");
         return std::unique_ptr<TStream>(new TFileStream((dir / "kind.bin").string(), fmOpenReadWrite));
     }},
    {"replacing_file",
     [](const testsupport::TempDir& dir) {
         auto s = std::make_unique<TReplacingFileStream>((dir / "kind.bin").string());
         s->WriteBuffer("abcdef", 6);
         s->SetPosition(0);
         return std::unique_ptr<TStream>(std::move(s));
     }},
};

class StreamKinds : public ::testing::TestWithParam<StreamKind> {
  protected:
    testsupport::TempDir dir_{"rtl_stream"};
};

TEST_P(StreamKinds, SeeksAndReadsAtAndPastTheEnd) {
    struct Case {
        std::int64_t offset;
        TSeekOrigin origin;
        std::int64_t position;
        std::int64_t count;
        std::string read;
    };
    const Case cases[] = {
        {2, soBeginning, 2, 3, "cde"},        {-2, soEnd, 4, 10, "ef"},       {0, soEnd, 6, 1, ""},
        {10, soBeginning, 10, 4, ""},         {3, soFromBeginning, 3, 0, ""}, {-1, soFromEnd, 5, 1, "f"},
        {0, soFromBeginning, 0, 6, "abcdef"},
    };
    auto stream = GetParam().make(dir_);
    for (const Case& c : cases) {
        EXPECT_EQ(stream->Seek(c.offset, c.origin), c.position) << c.offset;
        EXPECT_EQ(ReadUpTo(*stream, c.count), c.read) << c.offset;
        EXPECT_EQ(stream->Position(), c.position + static_cast<std::int64_t>(c.read.size()));
    }
    stream->Seek(1, soBeginning);
    EXPECT_EQ(stream->Seek(2, soCurrent), 3);
    EXPECT_EQ(stream->Seek(-1, soFromCurrent), 2);
    EXPECT_EQ(stream->Size(), 6);
    EXPECT_EQ(stream->Position(), 2);  // Size does not move the position
}

TEST_P(StreamKinds, WritingPastTheEndFillsTheGapWithZeros) {
    auto stream = GetParam().make(dir_);
    stream->Seek(8, soBeginning);
    stream->WriteBuffer("Z", 1);
    EXPECT_EQ(stream->Size(), 9);
    stream->SetPosition(0);
    EXPECT_EQ(ReadUpTo(*stream, 20), std::string("abcdef\0\0Z", 9));

    stream->SetPosition(1);
    stream->WriteBuffer("XY", 2);  // inside: overwrites, keeps the rest
    stream->SetPosition(0);
    EXPECT_EQ(ReadUpTo(*stream, 4), "aXYd");
}

TEST_P(StreamKinds, SetSizeCutsOrExtendsAndKeepsThePositionInside) {
    auto stream = GetParam().make(dir_);
    stream->SetPosition(5);
    stream->SetSize(3);
    EXPECT_EQ(stream->Size(), 3);
    EXPECT_EQ(stream->Position(), 3);
    stream->SetSize(5);
    stream->SetPosition(0);
    EXPECT_EQ(ReadUpTo(*stream, 10), std::string("abc\0\0", 5));
}

TEST_P(StreamKinds, BufferHelpersRaiseWhenShortAndCopyFromTakesTheWholeSourceForZero) {
    auto stream = GetParam().make(dir_);
    char buffer[8] = {};
    stream->SetPosition(4);
    try {
        stream->ReadBuffer(buffer, 3);
        FAIL() << "read past the end";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }

    TMemoryStream copy;
    stream->SetPosition(3);
    EXPECT_EQ(copy.CopyFrom(*stream, 0), 6);
    EXPECT_EQ(std::string(static_cast<const char*>(copy.Memory()), 6), "abcdef");
    stream->SetPosition(2);
    EXPECT_EQ(copy.CopyFrom(*stream, 3), 3);
    EXPECT_EQ(std::string(static_cast<const char*>(copy.Memory()), 9), "abcdefcde");
    EXPECT_THROW(copy.CopyFrom(*stream, 5), EReadError);  // one byte left
}

INSTANTIATE_TEST_SUITE_P(Kinds, StreamKinds, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryStream, CapacityGrowsInStepsAndClearFreesIt) {
    struct Case {
        const char* step;
        std::function<void(TMemoryStream&)> act;
        std::int64_t size;
        std::int64_t capacity;
    };
    const std::string block(8193, 'x');
    const Case cases[] = {
        {"one byte", [](TMemoryStream& s) { s.WriteBuffer("a", 1); }, 1, 8192},
        {"to the step", [&](TMemoryStream& s) { s.WriteBuffer(block.data(), 8191); }, 8192, 8192},
        {"one past", [](TMemoryStream& s) { s.WriteBuffer("b", 1); }, 8193, 16384},
        {"shrink", [](TMemoryStream& s) { s.SetSize(100); }, 100, 8192},
        {"same size: exact", [](TMemoryStream& s) { s.SetSize(100); }, 100, 100},
        {"grow by size", [](TMemoryStream& s) { s.SetSize(20000); }, 20000, 24576},
        {"clear", [](TMemoryStream& s) { s.Clear(); }, 0, 0},
    };
    TMemoryStream stream;
    for (const Case& c : cases) {
        c.act(stream);
        EXPECT_EQ(stream.Size(), c.size) << c.step;
        EXPECT_EQ(stream.Capacity(), c.capacity) << c.step;
    }
    EXPECT_EQ(stream.Memory(), nullptr);
    EXPECT_EQ(stream.Position(), 0);
}

// Shrinking keeps the block with its old bytes; a later write past the end must not show them.
TEST(MemoryStream, AGapLeftByAWritePastTheEndReadsAsZerosOverOldBytes) {
    TMemoryStream stream;
    const std::string old(100, 'x');
    stream.WriteBuffer(old.data(), 100);
    stream.SetSize(10);
    stream.SetPosition(50);
    stream.WriteBuffer("end", 3);
    ASSERT_EQ(stream.Size(), 53);
    const std::string bytes(static_cast<const char*>(stream.Memory()), 53);
    EXPECT_EQ(bytes, std::string(10, 'x') + std::string(40, '\0') + "end");
}

TEST(MemoryStream, LoadsAndSavesWholeStreamsAndFiles) {
    testsupport::TempDir dir("rtl_stream");
    TStringStream source("0123456789");
    source.SetPosition(7);
    TMemoryStream stream;
    stream.LoadFromStream(source);  // from the beginning, whatever the source's position
    EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()), 10), "0123456789");

    const std::string path = (dir / "saved.bin").string();
    stream.SaveToFile(path);
    EXPECT_EQ(FileText(path), "0123456789");
    WriteFile(path, "abc");
    stream.LoadFromFile(path);
    EXPECT_EQ(stream.Size(), 3);

    TStringStream target("xxxxxxxxxxxx");
    target.SetPosition(2);
    stream.SaveToStream(target);
    EXPECT_EQ(target.DataString(), "xxabcxxxxxxx");
}

TEST(StringStream, ReadStringStopsAtTheEnd) {
    TStringStream stream("hello");
    stream.SetPosition(3);
    EXPECT_EQ(stream.ReadString(10), "lo");
    stream.WriteString("!");
    EXPECT_EQ(stream.DataString(), "hello!");
}

TEST(FileStream, ModesOpenCreateAndTruncateAsTheySay) {
    testsupport::TempDir dir("rtl_stream");
    struct Case {
        const char* name;
        unsigned mode;
        bool existing;
        bool canRead;
        bool canWrite;
        std::string contentAfterOpen;
    };
    const Case cases[] = {
        {"create new", fmCreate, false, true, true, ""},
        {"create truncates", fmCreate, true, true, true, ""},
        {"read", fmOpenRead, true, true, false, "old"},
        {"write", fmOpenWrite, true, false, true, "old"},
        {"read and write", fmOpenReadWrite | fmShareDenyNone, true, true, true, "old"},
    };
    for (const Case& c : cases) {
        const auto path = dir / (std::string(c.name) + ".txt");
        if (c.existing)
            WriteFile(path, "old");
        TFileStream stream(path.string(), c.mode);
        EXPECT_EQ(FileText(path), c.contentAfterOpen) << c.name;
        char byte = 0;
        EXPECT_EQ(stream.Read(&byte, 1) == 1, c.canRead && c.existing && c.contentAfterOpen.size() > 0)
            << c.name;
        stream.SetPosition(0);
        if (c.canWrite) {
            stream.WriteBuffer("new", 3);
            EXPECT_EQ(FileText(path), "new") << c.name;
        } else {
            EXPECT_THROW(stream.WriteBuffer("new", 3), EWriteError) << c.name;
        }
        if (!c.canRead) {
            stream.SetPosition(0);
            EXPECT_EQ(stream.Read(&byte, 1), 0) << c.name;
        }
    }
}

TEST(FileStream, OpenAndCreateFailuresNameTheFileAndTheReason) {
    testsupport::TempDir dir("rtl_stream");
    const std::string missing = (dir / "missing.txt").string();
    const std::string inMissingDir = (dir / "no" / "such.txt").string();
    struct Case {
        std::string file;
        unsigned mode;
        std::string message;
        bool create;
    };
    const Case cases[] = {
        {missing, fmOpenRead, "Cannot open file \"" + missing + "\". No such file or directory", false},
        {missing, fmOpenReadWrite, "Cannot open file \"" + missing + "\". No such file or directory", false},
        {inMissingDir, fmCreate, "Cannot create file \"" + inMissingDir + "\". No such file or directory",
         true},
        {dir.Path().string(), fmCreate, "Cannot create file \"" + dir.Path().string() + "\". Is a directory",
         true},
        {missing, 0x3, "Cannot open file \"" + missing + "\". Invalid argument", false},
    };
    for (const Case& c : cases) {
        try {
            TFileStream stream(c.file, c.mode);
            ADD_FAILURE() << "opened " << c.file;
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(c.create);
            EXPECT_EQ(e.Message, c.message);
        } catch (const EFOpenError& e) {
            EXPECT_FALSE(c.create);
            EXPECT_EQ(e.Message, c.message);
        }
    }
}

TEST(FileStream, ShareFlagsLockAgainstOtherStreams) {
    testsupport::TempDir dir("rtl_stream");
    const std::string path = (dir / "shared.txt").string();
    struct Case {
        unsigned held;
        unsigned second;
        bool opens;
    };
    const Case cases[] = {
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareExclusive, false},
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyWrite, false},
        {fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareExclusive, false},
        {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
        {fmOpenRead | fmShareDenyRead, fmOpenRead | fmShareDenyWrite, true},
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, true},  // advisory: no lock taken
        {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareExclusive, true},
    };
    for (const Case& c : cases) {
        WriteFile(path, "kept");
        TFileStream held(path, c.held);
        bool opened = true;
        try {
            TFileStream second(path, c.second);
        } catch (const EFOpenError& e) {
            opened = false;
            EXPECT_EQ(e.Message, "Cannot open file \"" + path + "\". Resource temporarily unavailable");
        }
        EXPECT_EQ(opened, c.opens) << std::hex << c.held << " then " << c.second;
    }

    TFileStream held(path, fmOpenRead | fmShareExclusive);
    EXPECT_THROW(TFileStream(path, fmCreate | fmShareExclusive), EFCreateError);
    EXPECT_EQ(FileText(path), "kept");  // a refused create leaves the file alone
}

}  // namespace
