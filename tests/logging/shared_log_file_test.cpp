// One rolling log file shared by several writers under the inter-process locking model: lines are
// written without the file's lock, so a writer whose file another one moved aside must follow it,
// and the size check must look at the file rather than at the writer's own count.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "logging/log_event.h"
#include "logging/pattern_layout.h"
#include "logging/rolling_file_appender.h"
#include "platform/rtl/format.h"
#include "tests/logging/logging_fixture.h"

namespace fs = std::filesystem;

namespace {

class SharedLogFileTest : public LogFileTest {
  protected:
    std::shared_ptr<TLogRollingFileAppender> Rolling(std::int64_t maxSize, int maxBackups) {
        return std::make_shared<TLogRollingFileAppender>("shared", LogFile(), maxSize, maxBackups, Lines(),
                                                         true, InterProcessLockModel);
    }
};

// Without following, the second writer would add to the backup; without looking at the file, it
// would roll over the new file, on its own count, a second time.
TEST_F(SharedLogFileTest, WriterFollowsTheFileAnotherRolledOverInsteadOfRollingAgain) {
    auto first = Rolling(100, 3);
    auto second = Rolling(100, 3);
    for (int i = 1; i <= 10; ++i) Write(*first, Numbered(i));
    Write(*second, Numbered(11));  // rolls over
    Write(*first, Numbered(12));   // its own count says the file is full

    EXPECT_EQ(ReadFile(Backup(1)), Range(1, 10));
    EXPECT_EQ(ReadFile(LogFile()), Range(11, 12));
    EXPECT_FALSE(fs::exists(Backup(2)));
}

// A writer that never rolls over (a plain file appender, or one whose count is far from its
// limit) finds the new file at its next look, SharedFileCheckInterval at most after the last.
TEST_F(SharedLogFileTest, PlainFileAppenderFindsTheNewFileWithinTheCheckInterval) {
    TLogFileAppender plain("plain", LogFile(), Lines(), true, InterProcessLockModel);
    auto rolling = Rolling(100, 3);
    Write(plain, Numbered(1));
    for (int i = 2; i <= 11; ++i) Write(*rolling, Numbered(i));
    ASSERT_EQ(ReadFile(Backup(1)), Range(1, 10));

    std::this_thread::sleep_for(TLogFileAppender::SharedFileCheckInterval + std::chrono::milliseconds(50));
    Write(plain, Numbered(12));
    EXPECT_EQ(ReadFile(LogFile()), Range(11, 12));
    EXPECT_EQ(ReadFile(Backup(1)), Range(1, 10));
}

// The files from the oldest backup to the log itself, read in the order they were written.
std::vector<std::string> FilesOldestFirst(const std::string& log, int maxBackups) {
    std::vector<std::string> files;
    for (int i = maxBackups; i >= 1; --i) {
        const std::string name = log + "." + std::to_string(i);
        if (fs::exists(name))
            files.push_back(name);
    }
    files.push_back(log);
    return files;
}

// Two processes write 100000 lines each through one file that rolls over hundreds of times. The
// backups have room for everything written (each file rolls over only once it holds nearly
// MaxSize bytes), so the check is exact: each line of each process once, whole, in its order.
TEST_F(SharedLogFileTest, TwoProcessesRollingOneFileLoseSplitAndRepeatNoLine) {
    constexpr int LinesEach = 100000;
    constexpr std::int64_t MaxSize = 32 * 1024;
    const std::string padding(24, '.');
    const std::size_t lineSize = ::Format("A %.6d %s\r\n", {0, padding}).size();
    const int maxBackups = static_cast<int>(2 * LinesEach * lineSize / (MaxSize - lineSize)) * 2 + 10;

    // Both start together, on a file neither has made yet.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    auto writeAll = [&](char who) {
        char ignored;
        while (read(gate[0], &ignored, 1) < 0 && errno == EINTR) {
        }  // returns at the end of the pipe, once the parent closed its end
        auto appender = Rolling(MaxSize, maxBackups);
        for (int i = 0; i < LinesEach; ++i)
            Write(*appender, ::Format("%s %.6d %s", {std::string(1, who), i, padding}));
    };
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        close(gate[1]);
        writeAll('B');
        _exit(HasFailure() ? 1 : 0);
    }
    close(gate[1]);
    writeAll('A');
    close(gate[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_FALSE(fs::exists(Backup(maxBackups))) << "the backups may have dropped lines";
    EXPECT_EQ(DebugOutput(), "");

    const std::vector<std::string> files = FilesOldestFirst(LogFile(), maxBackups);
    EXPECT_GT(files.size(), 100u) << "the file rolled over many times";
    std::map<char, int> next{{'A', 0}, {'B', 0}};
    for (const std::string& file : files) {
        const std::string text = ReadFile(file);
        ASSERT_TRUE(text.empty() || text.ends_with("\r\n")) << file << " ends inside a line";
        for (std::size_t pos = 0, end; pos < text.size(); pos = end + 2) {
            end = text.find("\r\n", pos);
            const std::string line = text.substr(pos, end - pos);
            const bool whole = line.size() + 2 == lineSize && (line[0] == 'A' || line[0] == 'B') &&
                               line.substr(8) == " " + padding;
            ASSERT_TRUE(whole) << file << ": \"" << line << "\"";
            ASSERT_EQ(line.substr(2, 6), ::Format("%.6d", {next[line[0]]}))
                << file << ": a line of " << line[0] << " missing, repeated or out of order";
            ++next[line[0]];
        }
    }
    EXPECT_EQ(next['A'], LinesEach);
    EXPECT_EQ(next['B'], LinesEach);
}

}  // namespace
