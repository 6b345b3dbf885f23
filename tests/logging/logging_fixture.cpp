#include "tests/logging/logging_fixture.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "logging/log_event.h"
#include "logging/log_level.h"
#include "logging/log_stream.h"
#include "logging/pattern_layout.h"
#include "platform/rtl/format.h"

void LoggingTest::SetUp() {
    // Time stamps in the expected texts are UTC.
    setenv("TZ", "UTC", 1);
    tzset();
    scopedClock_ = std::make_unique<platform::ScopedClock>(clock_);
    previousSink_ = SetDebugOutputSink([this](std::string_view text) { debugLines_.emplace_back(text); });
    LogHierarchy().ResetConfiguration();
    LogLog().SetInternalDebugging(false);
}

void LoggingTest::TearDown() {
    LogHierarchy().ResetConfiguration();
    LogLog().SetInternalDebugging(false);
    SetDebugOutputSink(previousSink_);
    scopedClock_.reset();
}

std::shared_ptr<TLogStreamAppender> LoggingTest::MemoryAppender(const std::string& name,
                                                                ILogLayoutPtr layout) {
    return std::make_shared<TLogStreamAppender>(name, std::make_unique<TLogMemoryStream>(),
                                                std::move(layout));
}

std::string LoggingTest::TextOf(const std::shared_ptr<TLogStreamAppender>& appender) {
    return static_cast<TLogMemoryStream*>(appender->Stream())->Text();
}

std::string LoggingTest::DebugOutput() const {
    std::string all;
    for (const auto& line : debugLines_) all += line;
    return all;
}

std::string LoggingTest::ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

ILogLayoutPtr LogFileTest::Lines() {
    return std::make_shared<TLogPatternLayout>("%m%n");
}

void LogFileTest::Write(ILogAppender& appender, const std::string& message) {
    appender.DoAppend(TLogEvent(TLogLevel::Info(), nullptr, message));
}

std::string LogFileTest::Numbered(int i) {
    return ::Format("line %.3d", {i});
}

std::string LogFileTest::Range(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) text += Numbered(i) + "\r\n";
    return text;
}
