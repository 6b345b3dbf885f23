#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <fstream>
#include <regex>

#include "logging/log_exception.h"
#include "logging/log_setup.h"
#include "platform/os/paths.h"
#include "tests/logging/logging_fixture.h"

namespace {

class LogSetupTest : public LoggingTest {
  protected:
    void SetUp() override {
        LoggingTest::SetUp();
        SetLogConfigDirectory(TempDir().string());
    }
    void TearDown() override {
        SetLogConfigDirectory("");
        LoggingTest::TearDown();
    }
    std::filesystem::path ConfigPath() const { return TempDir() / "applog.cfg"; }
};

const char* const DefaultConfig =
    "applog.appender.logfile=TLogRollingFileAppender\r\n"
    "applog.appender.logfile.maxFileSize=10000KB\r\n"
    "applog.appender.logfile.maxBackupIndex=3\r\n"
    "applog.appender.logfile.append=true\r\n"
    "applog.appender.logfile.lockingModel=InterProcessLock\r\n"
    "applog.appender.logfile.fileName=app_applog.log\r\n"
    "applog.appender.logfile.layout=TLogPatternLayout\r\n"
    "applog.appender.logfile.layout.dateFormat=yyyy-mm-dd hh:nn:ss.zzz\r\n"
    "applog.appender.logfile.layout.pattern=%d %p [%c] (%h:%w:%a:%t) - %m%n\r\n"
    "\r\n"
    "applog.rootLogger=info,logfile";

TEST_F(LogSetupTest, MissingConfigIsWrittenByteForByteAndAnExistingOneKept) {
    EXPECT_EQ(EnsureLogConfig(), ConfigPath().string());
    const std::string written = ReadFile(ConfigPath());
    EXPECT_EQ(written.size(), 498u);
    EXPECT_EQ(written, DefaultConfig);

    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc) << "applog.rootLogger=warn";
    EnsureLogConfig();
    EXPECT_EQ(ReadFile(ConfigPath()), "applog.rootLogger=warn");
}

TEST_F(LogSetupTest, ConfigDirectoryDefaultsToTheExecutables) {
    SetLogConfigDirectory("");
    EXPECT_EQ(LogConfigDirectory(), ExtractFilePath(ExecutablePath()));
    SetLogConfigDirectory("/some/dir");
    EXPECT_EQ(LogConfigDirectory(), "/some/dir/");
}

TEST_F(LogSetupTest, DefaultFileThatCannotBeWrittenIsAnErrorAndLeavesNothingBehind) {
    SetLogConfigDirectory("/proc/no/such/dir");
    EXPECT_THROW(EnsureLogConfig(), ELogException);

    // A directory by that name is not removed; a file cut off by a full disk is.
    SetLogConfigDirectory(TempDir().string());
    std::filesystem::create_directory(ConfigPath());
    EXPECT_THROW(EnsureLogConfig(), ELogException);
    EXPECT_TRUE(std::filesystem::is_directory(ConfigPath()));
    std::filesystem::remove(ConfigPath());

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;  // as if the disk filled up after 100 bytes
    auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(EnsureLogConfig(), ELogException);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
    EXPECT_TRUE(std::filesystem::is_empty(TempDir())) << "a part of the file was left behind";
}

// A dangling link planted at the name would have the defaults written wherever it points.
TEST_F(LogSetupTest, TheDefaultFileReplacesALinkAtItsNameInsteadOfWritingThroughIt) {
    SetLogConfigDirectory(TempDir().string());
    const std::filesystem::path elsewhere = TempDir() / "elsewhere.cfg";
    std::filesystem::create_symlink(elsewhere, ConfigPath());
    EXPECT_EQ(EnsureLogConfig(), ConfigPath().string());
    EXPECT_FALSE(std::filesystem::exists(elsewhere));
    EXPECT_FALSE(std::filesystem::is_symlink(ConfigPath()));
    EXPECT_EQ(ReadFile(ConfigPath()), DefaultLogConfigText());
}

// The only test that runs the program's own set-up: it configures once per process.
TEST_F(LogSetupTest, ConfigureLoggingWritesTheDefaultsAndLogsTheKiosksLinesOnce) {
    const auto previousDir = std::filesystem::current_path();
    std::filesystem::current_path(TempDir());
    clock_.Advance(7);

    ConfigureLogging();
    TLogLogger::GetLogger("TMainForm")->Info("Start application");
    TLogLogger::GetLogger("RestV2")->Debug("POST https://host/rest/v2/infomat");
    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc) << "applog.rootLogger=off";
    ConfigureLogging();  // does nothing the second time
    TLogLogger::GetLogger("RestV2")->Error("Server error");
    LogHierarchy().Shutdown();
    std::filesystem::current_path(previousDir);

    const std::string log = ReadFile(TempDir() / "app_applog.log");
    const std::regex expected(
        "2023-11-14 22:13:20\\.007 info \\[TMainForm\\] \\([^:]*:[^:]*:logging_tests:\\d+\\) - Start "
        "application\r\n"
        "2023-11-14 22:13:20\\.007 error \\[RestV2\\] \\([^:]*:[^:]*:logging_tests:\\d+\\) - Server "
        "error\r\n");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

}  // namespace
