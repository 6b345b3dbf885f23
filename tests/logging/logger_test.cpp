#include <gtest/gtest.h>

#include "tests/logging/logging_fixture.h"

namespace {

class LoggerTest : public LoggingTest {};

TEST_F(LoggerTest, RootAtInfoPassesInfoAndAboveAndDropsDebug) {
    auto appender = MemoryAppender("mem");
    LogHierarchy().Root()->SetLevel(TLogLevel::Info());
    LogHierarchy().Root()->AddAppender(appender);
    TLogLogger* log = TLogLogger::GetLogger("TMainForm");

    log->Debug("d");
    log->Info("i");
    log->Warn("w");
    log->Error("e");
    log->Fatal("f");

    EXPECT_EQ(TextOf(appender), "info - i\r\nwarn - w\r\nerror - e\r\nfatal - f\r\n");
    EXPECT_FALSE(TLogLogger::GetLogger("THTTPSendEx")->IsDebugEnabled());
    EXPECT_TRUE(log->IsEnabledFor(TLogLevel::Info()));
}

}  // namespace
