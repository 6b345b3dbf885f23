#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <regex>

#include "logging/log_event.h"
#include "logging/log_exception.h"
#include "logging/pattern_layout.h"
#include "logging/rolling_file_appender.h"
#include "platform/rtl/format.h"
#include "tests/logging/logging_fixture.h"

namespace fs = std::filesystem;

namespace {

class FileAppenderTest : public LogFileTest {
  protected:
    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::shared_ptr<TLogRollingFileAppender> Rolling(int maxBackups, const char* locking) {
        return std::make_shared<TLogRollingFileAppender>("roll", LogFile(), 100, maxBackups, Lines(), true,
                                                         locking);
    }
};

TEST_F(FileAppenderTest, MaxFileSizeReadsUnitsInUpperCaseOnly) {
    const std::vector<std::pair<std::string, std::int64_t>> cases{
        {"10000KB", 10000 * 1024},
        {"5MB", 5 * 1048576},
        {"1000", 1000},
        {"10kb", 10485760},
        {"0", 10485760},
        {"lots", 10485760},
        {"KB", 10485760},
        {"3GB", 3LL << 30},
        {" 7", 7},
        {"$10", 16},
        {"8589934591GB", 8589934591LL << 30},
        {"8589934592GB", 10485760},
        {"99999999999999999999", 10485760},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(ParseLogFileSize(text), bytes) << text;

    TLogRollingFileAppender appender;
    appender.SetOption("maxBackupIndex", "many");
    EXPECT_EQ(appender.MaxBackupIndex(), 1);
    appender.SetOption("maxBackupIndex", "7");
    EXPECT_EQ(appender.MaxBackupIndex(), 7);
    appender.SetOption("lockingModel", "MinimalLock");
    EXPECT_EQ(appender.LockingModel(), "ExclusiveLock");
    appender.SetOption("lockingModel", "InterProcessLock");
    EXPECT_EQ(appender.LockingModel(), "InterProcessLock");
    appender.SetOption("append", "perhaps");
    EXPECT_FALSE(appender.Append());
    appender.SetOption("append", "YES");
    EXPECT_TRUE(appender.Append());
}

class RollOverTest : public FileAppenderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RollOverTest, BackupsMoveUpInOrderAndNoLineIsLostOrSplit) {
    auto appender = Rolling(3, GetParam());
    for (int i = 1; i <= 40; ++i) Write(*appender, Numbered(i));

    EXPECT_EQ(ReadFile(LogFile() + ".3"), Range(1, 10));
    EXPECT_EQ(ReadFile(LogFile() + ".2"), Range(11, 20));
    EXPECT_EQ(ReadFile(LogFile() + ".1"), Range(21, 30));
    EXPECT_EQ(ReadFile(LogFile()), Range(31, 40));

    for (int i = 41; i <= 45; ++i) Write(*appender, Numbered(i));
    EXPECT_EQ(ReadFile(LogFile() + ".3"), Range(11, 20)) << "the oldest is dropped at the fourth roll-over";
    EXPECT_EQ(ReadFile(LogFile() + ".1"), Range(31, 40));
    EXPECT_EQ(ReadFile(LogFile()), Range(41, 45));
    EXPECT_FALSE(fs::exists(LogFile() + ".4"));
}

// A roll-over moves only the backups there are, so a huge MaxBackupIndex costs nothing; which
// files move where is as with a small one: each existing backup up by one, highest first, a gap
// staying a gap, the last index dropped, and names that are not backups left alone.
TEST_P(RollOverTest, HugeBackupIndexRollsOverAtOnceMovingTheBackupsThereAre) {
    const std::string log = LogFile();
    const std::map<std::string, std::string> before{
        {".1", "one"},           {".3", "three"},   {".9999999", "next to last"}, {".10000000", "last"},
        {".10000001", "beyond"}, {".01", "padded"}, {".7x", "not a backup"},
    };
    for (const auto& [ending, text] : before) WriteFile(log + ending, text);
    fs::create_directory(log + ".5");  // not a file: never moved

    auto appender = Rolling(10000000, GetParam());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= 11; ++i) Write(*appender, Numbered(i));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << "the roll-over hangs";

    const std::map<std::string, std::string> after{
        {"", Range(11, 11)},           {".1", Range(1, 10)},    {".2", "one"},     {".4", "three"},
        {".10000000", "next to last"}, {".10000001", "beyond"}, {".01", "padded"}, {".7x", "not a backup"},
    };
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(TempDir())) {
        const std::string name = entry.path().string();
        if (entry.is_regular_file() && name.starts_with(log))
            files[name.substr(log.size())] = ReadFile(entry.path());
    }
    EXPECT_EQ(files, after);
    EXPECT_TRUE(fs::is_directory(log + ".5"));
}

INSTANTIATE_TEST_SUITE_P(LockingModels, RollOverTest, ::testing::Values("ExclusiveLock", "InterProcessLock"));

TEST_F(FileAppenderTest, SizeCountStartsFromTheExistingFile) {
    WriteFile(LogFile(), Range(1, 8));
    auto appender = Rolling(1, "ExclusiveLock");
    for (int i = 9; i <= 12; ++i) Write(*appender, Numbered(i));
    EXPECT_EQ(ReadFile(LogFile() + ".1"), Range(1, 10));
    EXPECT_EQ(ReadFile(LogFile()), Range(11, 12));
}

// A directory in the place of the first backup: the file can be neither renamed nor copied there.
TEST_P(RollOverTest, FileThatCannotBeMovedAsideKeepsItsLinesUntilItCan) {
    fs::create_directories(LogFile() + ".1/occupied");
    auto appender = Rolling(1, GetParam());
    for (int i = 1; i <= 12; ++i) Write(*appender, Numbered(i));
    EXPECT_EQ(ReadFile(LogFile()), Range(1, 12));
    EXPECT_EQ(DebugOutput(), "");

    fs::remove_all(LogFile() + ".1");
    Write(*appender, Numbered(13));
    EXPECT_EQ(ReadFile(LogFile() + ".1"), Range(1, 12)) << "the next write past the limit tries again";
    EXPECT_EQ(ReadFile(LogFile()), Range(13, 13));
}

TEST_F(FileAppenderTest, LogThatCannotBeCreatedAgainAtRollOverIsReportedNotThrown) {
    const fs::path dir = TempDir() / "logs";
    const std::string file = (dir / "app.log").string();
    TLogRollingFileAppender appender("roll", file, 100, 1, Lines(), true, "ExclusiveLock");
    for (int i = 1; i <= 10; ++i) Write(appender, Numbered(i));
    fs::remove_all(dir);
    std::ofstream(dir.string()) << "a file where the log's directory was";

    EXPECT_NO_THROW(Write(appender, Numbered(11)));
    EXPECT_NO_THROW(Write(appender, Numbered(12)));
    EXPECT_EQ(DebugOutput(), "error - Failed to write to appender \"roll\" - (20) Cannot create file \"" +
                                 file + "\". Not a directory\r\n");
}

TEST_F(FileAppenderTest, NoBackupsMeansTheFileKeepsGrowing) {
    auto appender = Rolling(0, "ExclusiveLock");
    for (int i = 1; i <= 30; ++i) Write(*appender, Numbered(i));
    EXPECT_EQ(ReadFile(LogFile()), Range(1, 30));
    EXPECT_FALSE(fs::exists(LogFile() + ".1"));
}

TEST_F(FileAppenderTest, AppendKeepsAnExistingLogAndItsAbsenceTruncates) {
    WriteFile(LogFile(), "old\r\n");
    {
        TLogFileAppender appender("f", LogFile(), Lines(), true);
        Write(appender, "new");
    }
    EXPECT_EQ(ReadFile(LogFile()), "old\r\nnew\r\n");
    {
        TLogFileAppender appender("f", LogFile(), Lines(), false);
        Write(appender, "fresh");
    }
    EXPECT_EQ(ReadFile(LogFile()), "fresh\r\n");
}

TEST_F(FileAppenderTest, OptionsInOneBatchOpenTheFileOnceAfterTheLastOne) {
    WriteFile(LogFile(), "kept\r\n");
    TLogFileAppender appender;
    appender.SetLayout(Lines());
    appender.BeginOptions();
    appender.SetOption("fileName", LogFile());
    EXPECT_EQ(ReadFile(LogFile()), "kept\r\n") << "not opened before the batch ends";
    appender.SetOption("append", "true");
    appender.EndOptions();
    Write(appender, "added");
    EXPECT_EQ(ReadFile(LogFile()), "kept\r\nadded\r\n");
}

TEST_F(FileAppenderTest, MissingDirectoriesAreCreated) {
    const std::string nested = (TempDir() / "a" / "b" / "c.log").string();
    TLogFileAppender appender("f", nested, Lines(), false);
    Write(appender, "deep");
    EXPECT_EQ(ReadFile(nested), "deep\r\n");
}

TEST_F(FileAppenderTest, FileThatCannotBeOpenedRaisesFromTheOption) {
    TLogFileAppender appender;
    EXPECT_THROW(appender.SetOption("fileName", "/proc/no/such/dir/x.log"), ELogFileError);
    appender.SetLayout(Lines());
    EXPECT_NO_THROW(Write(appender, "nowhere"));
}

// Someone who can write the log's folder plants a link at its name: appending or truncating, the
// log is never written through it.
TEST_F(FileAppenderTest, ALinkAtTheLogsNameIsRefusedAndItsTargetKept) {
    const std::string victim = (TempDir() / "victim").string();
    WriteFile(victim, "precious");
    fs::create_symlink(victim, LogFile());
    for (bool append : {true, false}) {
        TLogFileAppender appender;
        appender.SetOption("append", append ? "true" : "false");
        EXPECT_THROW(appender.SetOption("fileName", LogFile()), ELogFileError) << append;
    }
    EXPECT_EQ(ReadFile(victim), "precious");
}

TEST_F(FileAppenderTest, ExclusiveLockKeepsASecondWriterOut) {
    TLogFileAppender first("first", LogFile(), Lines(), true, "ExclusiveLock");
    EXPECT_THROW(TLogFileAppender("second", LogFile(), Lines(), true, "InterProcessLock"), ELogFileError);

    TLogFileAppender shared1("s1", (TempDir() / "shared.log").string(), Lines(), true, "InterProcessLock");
    EXPECT_NO_THROW(
        TLogFileAppender("s2", (TempDir() / "shared.log").string(), Lines(), true, "InterProcessLock"));
}

TEST_F(FileAppenderTest, CloseWritesTheFooterAndReleasesTheFile) {
    class Footed : public TLogPatternLayout {
      public:
        Footed() : TLogPatternLayout("%m%n") {}
        std::string GetHeader() override { return "[start]\r\n"; }
        std::string GetFooter() override { return "[end]\r\n"; }
    };
    TLogFileAppender appender("f", LogFile(), std::make_shared<Footed>(), false, "ExclusiveLock");
    Write(appender, "body");
    appender.Close();
    EXPECT_EQ(ReadFile(LogFile()), "[start]\r\nbody\r\n[end]\r\n");
    EXPECT_NO_THROW(TLogFileAppender("again", LogFile(), Lines(), true, "ExclusiveLock"));
}

// Two processes write long lines into one small rolling file; every line must come out whole,
// and each process's lines in its own order.
TEST_F(FileAppenderTest, TwoProcessesShareOneFileUnderTheInterProcessLock) {
    constexpr int Lines = 1000;
    const std::string padding(150, 'x');
    auto writeAll = [&](char who) {
        TLogRollingFileAppender appender("ipc", LogFile(), 8 * 1024, 100, FileAppenderTest::Lines(), true,
                                         "InterProcessLock");
        for (int i = 0; i < Lines; ++i)
            Write(appender, ::Format("%s %.4d %s", {std::string(1, who), i, padding}));
    };
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        writeAll('B');
        _exit(0);
    }
    writeAll('A');
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::vector<std::string> files;
    for (int i = 100; i >= 1; --i) {
        if (fs::exists(LogFile() + "." + std::to_string(i)))
            files.push_back(ReadFile(LogFile() + "." + std::to_string(i)));
    }
    files.push_back(ReadFile(LogFile()));
    EXPECT_GT(files.size(), 2u) << "the file rolled over";

    const std::regex line("([AB]) (\\d{4}) x{150}");
    std::map<char, int> next{{'A', 0}, {'B', 0}};
    for (const std::string& text : files) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = text.find("\r\n", pos);
            ASSERT_NE(end, std::string::npos) << "a file ends inside a line";
            std::smatch m;
            const std::string one = text.substr(pos, end - pos);
            ASSERT_TRUE(std::regex_match(one, m, line)) << one;
            EXPECT_EQ(std::stoi(m[2]), next[m[1].str()[0]]++) << "lines of one process stay in order";
            pos = end + 2;
        }
    }
    EXPECT_EQ(next['A'], Lines);
    EXPECT_EQ(next['B'], Lines);
}

}  // namespace
