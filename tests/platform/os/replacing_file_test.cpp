#include "platform/os/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/os/os_error.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

class ReplacingFileTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir_{"replacing_file"};
    // Another user's folder would hold links like these; the victim is a file of the writing user.
    const fs::path victim_ = dir_ / "victim";
    const fs::path target_ = dir_ / "export.csv";
    void SetUp() override { std::ofstream(victim_) << "precious"; }
};

// Links a stranger could plant at the target and at the names a writer might pick beside it.
TEST_F(ReplacingFileTest, PlantedLinksAreNeverWrittenThrough) {
    const char* planted[] = {"export.csv", "export.csv.part", "export.csv.tmp", ".export.csv"};
    for (const char* name : planted) fs::create_symlink(victim_, dir_ / name);
    fs::create_symlink(dir_ / "nowhere", dir_ / "export.csv.new");  // dangling: O_CREAT would make it

    ReplaceFileContents(target_.string(), "a;b\r\n");

    EXPECT_EQ(FileText(victim_), "precious");
    EXPECT_FALSE(fs::is_symlink(target_));
    EXPECT_EQ(FileText(target_), "a;b\r\n");
    EXPECT_FALSE(fs::exists(dir_ / "nowhere"));
    for (const char* name : planted) {
        if (std::string(name) != "export.csv") {
            EXPECT_TRUE(fs::is_symlink(dir_ / name)) << name;
        }
    }
}

TEST_F(ReplacingFileTest, TheNewFileIsFreshPrivateToItsWriterUntilCommitAndTakesTheModeLessUmask) {
    struct Case {
        mode_t umask;
        mode_t mode;
        mode_t expected;
    };
    for (const Case& c : {Case{022, 0644, 0644}, Case{077, 0644, 0600}, Case{022, 0600, 0600}}) {
        const mode_t saved = ::umask(c.umask);
        ReplacingFileWriter first(target_.string(), c.mode);
        ReplacingFileWriter second(target_.string(), c.mode);
        ::umask(saved);
        EXPECT_NE(first.TemporaryName(), second.TemporaryName());
        EXPECT_EQ(fs::path(first.TemporaryName()).parent_path(), dir_.Path());
        struct stat st {};
        ASSERT_EQ(::lstat(first.TemporaryName().c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_nlink, 1u);
        EXPECT_EQ(st.st_size, 0);
        first.Write("one");
        first.Commit();
        ASSERT_EQ(::stat(target_.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.expected) << std::oct << c.umask << ' ' << c.mode;
    }
}

TEST_F(ReplacingFileTest, AFailedOrAbandonedWriteLeavesTheTargetAsItWasAndNothingBeside) {
    std::ofstream(target_) << "old";
    {
        ReplacingFileWriter writer(target_.string());
        writer.Write(std::string(200000, 'x'));  // more than the buffer: part of it is in the file
        EXPECT_EQ(FileText(target_), "old");
    }
    EXPECT_EQ(FileText(target_), "old");
    EXPECT_EQ(Names(dir_.Path()), (std::set<std::string>{"export.csv", "victim"}));
}

TEST_F(ReplacingFileTest, AFolderAtTheTargetIsAClearErrorBeforeAnythingIsWritten) {
    fs::create_directory(target_);
    try {
        ReplacingFileWriter writer(target_.string());
        FAIL() << "a folder was taken for a file";
    } catch (const EOSError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + target_.string() + "\". Is a directory");
    }
    EXPECT_THROW(ReplaceFileContents((dir_ / "missing" / "x").string(), "x"), EOSError);
    EXPECT_EQ(Names(dir_.Path()), (std::set<std::string>{"export.csv", "victim"}));
}

// The writer gathers small pieces: a thousand lines cost a handful of write calls, not a thousand.
long WriteCalls() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long value = 0;
    while (io >> key >> value)
        if (key == "syscw:")
            return value;
    return -1;
}

TEST_F(ReplacingFileTest, SmallWritesAreGatheredAndComeOutWholeAndInOrder) {
    std::string expected;
    const long before = WriteCalls();
    ReplacingFileWriter writer(target_.string());
    for (int i = 0; i < 1000; ++i) {
        const std::string line = "\"" + std::to_string(i) + "\";\"row\"\r\n";
        writer.Write(line);
        expected += line;
    }
    writer.Write(std::string(100000, 'z'));
    expected += std::string(100000, 'z');
    writer.Commit();
    const long calls = WriteCalls() - before;
    EXPECT_EQ(FileText(target_), expected);
    EXPECT_LE(calls, 5);
}

}  // namespace
