#pragma once
// A clean logging framework per test: the hierarchy reset, the debug output captured, the clock
// held still, and a scratch directory for files.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "logging/log_hierarchy.h"
#include "logging/log_internal.h"
#include "logging/log_root.h"
#include "logging/logger.h"
#include "logging/stream_appender.h"
#include "platform/os/clock.h"
#include "platform/os/debug_output.h"
#include "tests/support/temp_dir.h"

class LoggingTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A stream appender writing into memory with the given layout (simple when none).
    std::shared_ptr<TLogStreamAppender> MemoryAppender(const std::string& name,
                                                       ILogLayoutPtr layout = nullptr);
    static std::string TextOf(const std::shared_ptr<TLogStreamAppender>& appender);
    // Everything the internal logger wrote to the debug output, joined.
    std::string DebugOutput() const;
    std::filesystem::path TempDir() const { return tempDir_.Path(); }
    static std::string ReadFile(const std::filesystem::path& path);

    platform::ManualClock clock_{1700000000000};
    std::vector<std::string> debugLines_;

  private:
    std::unique_ptr<platform::ScopedClock> scopedClock_;
    DebugOutputSink previousSink_;
    testsupport::TempDir tempDir_{"logging"};
};

// A log file in the scratch folder, written line by line through a "%m%n" layout.
class LogFileTest : public LoggingTest {
  protected:
    std::string LogFile() const { return (TempDir() / "app.log").string(); }
    std::string Backup(int index) const { return LogFile() + "." + std::to_string(index); }
    static ILogLayoutPtr Lines();
    static void Write(ILogAppender& appender, const std::string& message);
    // "line 001\r\n" .. : ten bytes each, so a 100-byte file holds ten of them.
    static std::string Numbered(int i);
    static std::string Range(int first, int last);
};
