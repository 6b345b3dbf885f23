#include <gtest/gtest.h>

#include "logging/error_handlers.h"
#include "logging/file_appender.h"
#include "logging/filters.h"
#include "logging/log_event.h"
#include "logging/null_appender.h"
#include "logging/ods_appender.h"
#include "logging/pattern_layout.h"
#include "tests/logging/logging_fixture.h"

namespace {

class AppenderTest : public LoggingTest {
  protected:
    void SetUp() override {
        LoggingTest::SetUp();
        LogHierarchy().Root()->SetLevel(TLogLevel::Debug());
        log_ = TLogLogger::GetLogger("appenders");
    }
    TLogLogger* log_ = nullptr;
};

TEST_F(AppenderTest, ThresholdDropsEventsBelowItEvenWhenTheLoggerPassesThem) {
    auto appender = MemoryAppender("mem");
    appender->SetOption("threshold", "error");
    log_->AddAppender(appender);
    log_->Warn("dropped");
    log_->Error("kept");
    appender->SetOption("threshold", "no such level");
    log_->Debug("all again");
    EXPECT_EQ(TextOf(appender), "error - kept\r\ndebug - all again\r\n");
}

struct FilterCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Options;
    // The decision for debug, info, warn, error: D(eny), N(eutral), A(ccept).
    const char* Decisions;
};

char Letter(TLogFilterDecision d) {
    return d == TLogFilterDecision::fdDeny ? 'D' : d == TLogFilterDecision::fdAccept ? 'A' : 'N';
}

TEST_F(AppenderTest, FiltersDecideAsTheirOptionsSay) {
    const std::vector<std::pair<FilterCase, std::function<ILogFilterPtr()>>> cases{
        {{"deny all", {}, "DDDD"}, [] { return std::make_shared<TLogDenyAllFilter>(); }},
        {{"match info", {{"match", "info"}}, "NDNN"},
         [] { return std::make_shared<TLogLevelMatchFilter>(); }},
        {{"match info accept", {{"match", "info"}, {"acceptOnMatch", "true"}}, "NANN"},
         [] { return std::make_shared<TLogLevelMatchFilter>(); }},
        {{"match unknown is debug", {{"match", "INFO"}, {"acceptOnMatch", "maybe"}}, "ANNN"},
         [] { return std::make_shared<TLogLevelMatchFilter>(); }},
        {{"no match level", {{"acceptOnMatch", "true"}}, "NNNN"},
         [] { return std::make_shared<TLogLevelMatchFilter>(); }},
        {{"range min only", {{"minimum", "info"}}, "NNNN"},
         [] { return std::make_shared<TLogLevelRangeFilter>(); }},
        {{"range info..warn", {{"minimum", "info"}, {"maximum", "warn"}, {"acceptOnMatch", "yes"}}, "NAAN"},
         [] { return std::make_shared<TLogLevelRangeFilter>(); }},
        {{"string", {{"match", "Ticket"}}, "DNNN"}, [] { return std::make_shared<TLogStringFilter>(); }},
        {{"string ignore case", {{"match", "TICKET"}, {"ignoreCase", "true"}}, "DDNN"},
         [] { return std::make_shared<TLogStringFilter>(); }},
        {{"string empty", {{"match", ""}}, "NNNN"}, [] { return std::make_shared<TLogStringFilter>(); }},
    };
    const std::vector<std::pair<const TLogLevel*, std::string>> events{{TLogLevel::Debug(), "Ticket 1"},
                                                                       {TLogLevel::Info(), "a ticket"},
                                                                       {TLogLevel::Warn(), "Ticke"},
                                                                       {TLogLevel::Error(), "none"}};
    for (const auto& [c, make] : cases) {
        ILogFilterPtr filter = make();
        for (const auto& [name, value] : c.Options) filter->SetOption(name, value);
        std::string decisions;
        for (const auto& [level, message] : events)
            decisions += Letter(filter->Decide(TLogEvent(level, log_, message)));
        EXPECT_EQ(decisions, c.Decisions) << c.Name;
    }
}

TEST_F(AppenderTest, FilterChainStopsAtTheFirstDecision) {
    auto appender = MemoryAppender("mem");
    auto acceptErrors = std::make_shared<TLogLevelMatchFilter>();
    acceptErrors->SetOption("match", "error");
    acceptErrors->SetOption("acceptOnMatch", "true");
    appender->AddFilter(acceptErrors);
    appender->AddFilter(std::make_shared<TLogDenyAllFilter>());
    log_->AddAppender(appender);

    log_->Info("denied by the second");
    log_->Error("accepted by the first");
    appender->RemoveFilter(acceptErrors);
    log_->Error("now denied");
    appender->RemoveAllFilters();
    log_->Info("no filters");

    EXPECT_EQ(TextOf(appender), "error - accepted by the first\r\ninfo - no filters\r\n");
}

TEST_F(AppenderTest, ClosedAppenderRefusesEventsWithAWarning) {
    auto appender = MemoryAppender("mem", std::make_shared<TLogPatternLayout>("%m"));
    log_->AddAppender(appender);
    appender->Close();
    log_->Info("late");
    EXPECT_EQ(TextOf(appender), "");
    EXPECT_EQ(DebugOutput(), "warn - Not allowed to write to a closed appender\r\n");
}

TEST_F(AppenderTest, MissingLayoutIsReportedOnceAndEventsDropped) {
    auto appender = std::make_shared<TLogNullAppender>();
    appender->SetName("nolayout");
    log_->AddAppender(appender);
    log_->Info("one");
    log_->Info("two");
    EXPECT_EQ(DebugOutput(), "error - No layout set for appender named \"nolayout\"\r\n");
}

// A layout of some other library may throw anything at all.
class ThrowingLayout : public TLogCustomLayout {
  public:
    std::string Format(const TLogEvent&) override { throw 42; }
};

TEST_F(AppenderTest, LayoutFailureGoesToTheErrorHandlerNotToTheCaller) {
    const std::vector<std::pair<ILogLayoutPtr, std::string>> cases{
        {std::make_shared<TLogPatternLayout>("%*m"), "error - Failed to write to appender \"broken\" - (0) "},
        {std::make_shared<ThrowingLayout>(), "error - Failed to write to appender \"broken\" - (0) \r\n"},
    };
    for (const auto& [layout, report] : cases) {
        LogHierarchy().ResetConfiguration();
        LogHierarchy().Root()->SetLevel(TLogLevel::Debug());
        debugLines_.clear();
        auto broken = MemoryAppender("broken", layout);
        auto healthy = MemoryAppender("healthy");
        log_->AddAppender(broken);
        log_->AddAppender(healthy);

        EXPECT_NO_THROW(log_->Info("first"));
        EXPECT_NO_THROW(log_->Info("second"));

        EXPECT_EQ(TextOf(healthy), "info - first\r\ninfo - second\r\n");
        const std::string out = DebugOutput();
        EXPECT_EQ(out.rfind(report, 0), 0u) << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << "reported once";
    }
}

// A stream that logs through its own appender the first time it is written to, as a stream or
// an error handler of some other library might.
class EchoingStream : public TLogMemoryStream {
  public:
    ILogAppender* Appender = nullptr;
    void WriteAtEnd(std::string_view text) override {
        if (Appender && !echoed_) {
            echoed_ = true;
            Appender->DoAppend(TLogEvent(TLogLevel::Warn(), nullptr, "from inside"));
        }
        TLogMemoryStream::WriteAtEnd(text);
    }

  private:
    bool echoed_ = false;
};

TEST_F(AppenderTest, EventLoggedFromInsideAWriteLeavesTheLineBeingWrittenWhole) {
    auto stream = std::make_unique<EchoingStream>();
    EchoingStream* echoing = stream.get();
    auto appender = std::make_shared<TLogStreamAppender>("echo", std::move(stream),
                                                         std::make_shared<TLogPatternLayout>("%p %m%n"));
    echoing->Appender = appender.get();
    appender->DoAppend(TLogEvent(TLogLevel::Info(), nullptr, "from outside"));
    EXPECT_EQ(echoing->Text(), "warn from inside\r\ninfo from outside\r\n");
}

TEST_F(AppenderTest, FullDiskGoesToTheErrorHandlerWithTheSystemError) {
    auto appender =
        std::make_shared<TLogFileAppender>("full", "/dev/full", std::make_shared<TLogPatternLayout>("%m%n"));
    log_->AddAppender(appender);
    EXPECT_NO_THROW(log_->Error("nowhere to go"));
    EXPECT_EQ(DebugOutput(),
              "error - Failed to write to appender \"full\" - (28) Cannot write to file \"/dev/full\". "
              "No space left on device\r\n");
}

TEST_F(AppenderTest, FallbackHandlerSwapsInTheBackupAppender) {
    auto broken = MemoryAppender("broken", std::make_shared<TLogPatternLayout>("%*m"));
    auto backup = MemoryAppender("backup");
    auto handler = std::make_shared<TLogFallbackErrorHandler>();
    handler->SetAppender(broken);
    handler->SetBackupAppender(backup);
    handler->SetLogger(log_);
    handler->SetLogger(log_);
    broken->SetErrorHandler(handler);
    log_->AddAppender(broken);

    log_->Info("lost while failing");
    log_->Info("caught by the backup");

    EXPECT_EQ(log_->Appenders(), std::vector<ILogAppenderPtr>{backup});
    EXPECT_EQ(TextOf(backup), "info - caught by the backup\r\n");
}

TEST_F(AppenderTest, OnlyOnceHandlerFormatsTheDetailedReport) {
    TLogOnlyOnceErrorHandler handler;
    Exception failure("boom");
    handler.Error("Write failed", &failure, 5, nullptr);
    handler.Error("Write failed again", &failure, 6, nullptr);
    EXPECT_TRUE(handler.SeenError());
    EXPECT_EQ(DebugOutput(), "error - Write failed - (5) boom\r\n");
}

TEST_F(AppenderTest, DebugOutputAppenderWritesFormattedText) {
    auto appender = std::make_shared<TLogODSAppender>("ods", std::make_shared<TLogPatternLayout>("[%p] %m"));
    log_->AddAppender(appender);
    log_->Warn("to the debugger");
    EXPECT_EQ(DebugOutput(), "[warn] to the debugger");
}

TEST_F(AppenderTest, StreamAppenderWritesHeaderAndFooterOfItsLayout) {
    class Framed : public TLogPatternLayout {
      public:
        Framed() : TLogPatternLayout("%m;") {}
        std::string GetHeader() override { return "<"; }
        std::string GetFooter() override { return ">"; }
    };
    auto appender = MemoryAppender("framed", std::make_shared<Framed>());
    log_->AddAppender(appender);
    log_->Info("a");
    log_->Info("b");
    LogHierarchy().Shutdown();
    EXPECT_EQ(TextOf(appender), "<a;b;>");
    EXPECT_TRUE(log_->Appenders().empty());
}

}  // namespace
