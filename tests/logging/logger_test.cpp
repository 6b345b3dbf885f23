#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "logging/class_registry.h"
#include "logging/log_event.h"
#include "logging/log_ndc.h"
#include "logging/pattern_layout.h"
#include "tests/logging/logging_fixture.h"

namespace {

class LoggerTest : public LoggingTest {
  protected:
    std::shared_ptr<TLogStreamAppender> RootAt(const TLogLevel* level) {
        auto appender = MemoryAppender("mem");
        LogHierarchy().Root()->SetLevel(level);
        LogHierarchy().Root()->AddAppender(appender);
        return appender;
    }
};

TEST_F(LoggerTest, BuiltInLevelsAreSortedAndLookedUpWithLetterCase) {
    const std::vector<std::string> expected{"off", "fatal", "error", "warn", "info", "debug", "all"};
    std::vector<std::string> names;  // the built-in ones, whatever other tests added in between
    for (const TLogLevel* level : TLogLevel::Levels()) {
        if (std::find(expected.begin(), expected.end(), level->Name()) != expected.end())
            names.push_back(level->Name());
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(TLogLevel::All()->Value(), INT32_MIN);
    EXPECT_EQ(TLogLevel::Off()->Value(), INT32_MAX);
    EXPECT_EQ(TLogLevel::GetLevel("warn")->Value(), 30000);
    EXPECT_EQ(TLogLevel::GetLevel("INFO"), TLogLevel::Debug());
    EXPECT_EQ(TLogLevel::GetLevel("INFO", TLogLevel::Fatal()), TLogLevel::Fatal());
}

TEST_F(LoggerTest, NewLevelIsInsertedByValueAndReplacesOneOfTheSameValue) {
    const TLogLevel* notice = TLogLevel::Create("notice", 25000);
    auto levels = TLogLevel::Levels();
    auto pos = std::find(levels.begin(), levels.end(), notice);
    ASSERT_NE(pos, levels.end());
    EXPECT_EQ((*(pos - 1))->Name(), "warn");
    EXPECT_EQ((*(pos + 1))->Name(), "info");

    const TLogLevel* replaced = TLogLevel::Create("notice2", 25000);
    EXPECT_EQ(TLogLevel::GetLevel("notice2", nullptr), replaced);
    EXPECT_EQ(TLogLevel::GetLevel("notice", nullptr), nullptr);
    EXPECT_EQ(notice->Name(), "notice");  // still readable by whoever held it
}

TEST_F(LoggerTest, DefaultRootLevelPassesInfoAndAboveAndDropsDebug) {
    auto appender = RootAt(TLogLevel::Info());
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

TEST_F(LoggerTest, DottedNamesCreateTheirAncestorsAndIgnoreLetterCase) {
    TLogLogger* abc = TLogLogger::GetLogger("a.b.c");
    TLogLogger* ab = LogHierarchy().FindLogger("a.b");
    TLogLogger* a = LogHierarchy().FindLogger("a");
    ASSERT_NE(ab, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(abc->Parent(), ab);
    EXPECT_EQ(ab->Parent(), a);
    EXPECT_EQ(a->Parent(), LogHierarchy().Root());
    EXPECT_EQ(TLogLogger::GetLogger("A.B.C"), abc);
    EXPECT_EQ(TLogLogger::GetLogger("RestV2")->Parent(), LogHierarchy().Root());
}

TEST_F(LoggerTest, EffectiveLevelIsInheritedFromTheNearestAncestorWithALevel) {
    auto appender = RootAt(TLogLevel::Error());
    TLogLogger::GetLogger("x")->SetLevel(TLogLevel::Debug());
    TLogLogger* xyz = TLogLogger::GetLogger("x.y.z");

    xyz->Debug("through x");
    TLogLogger::GetLogger("other")->Warn("dropped by root");

    EXPECT_EQ(xyz->GetEffectiveLevel(), TLogLevel::Debug());
    EXPECT_EQ(TextOf(appender), "debug - through x\r\n");
}

TEST_F(LoggerTest, AdditivityCarriesEventsUpOnceAndStopsWhereItIsOff) {
    auto root = RootAt(TLogLevel::Debug());
    auto own = MemoryAppender("own");
    TLogLogger* rest = TLogLogger::GetLogger("RestV2");
    rest->AddAppender(own);
    rest->AddAppender(own);  // no duplicates

    rest->Info("both");
    rest->SetAdditive(false);
    rest->Info("own only");

    EXPECT_EQ(TextOf(own), "info - both\r\ninfo - own only\r\n");
    EXPECT_EQ(TextOf(root), "info - both\r\n");
}

TEST_F(LoggerTest, NonAdditiveLoggerWithoutAppendersReportsEvenWhenRootHasSome) {
    auto root = RootAt(TLogLevel::Debug());
    TLogLogger* lonely = TLogLogger::GetLogger("lonely");
    lonely->SetAdditive(false);

    lonely->Error("lost");

    EXPECT_EQ(TextOf(root), "");
    EXPECT_EQ(DebugOutput(),
              "error - No appenders could be found for logger \"lonely\"\r\n"
              "error - Please initialise the AppLog system properly\r\n");
}

TEST_F(LoggerTest, FormatCallsFormatTheirArgumentsAndReportBadFormatsTwice) {
    auto appender = RootAt(TLogLevel::Debug());
    TLogLogger* log = TLogLogger::GetLogger("fmt");

    log->Info("%s took %d ms", {"POST", 42});
    EXPECT_EQ(TextOf(appender), "info - POST took 42 ms\r\n");

    auto bad = MemoryAppender("bad");
    TLogLogger* other = TLogLogger::GetLogger("fmt2");
    other->SetAdditive(false);
    other->AddAppender(bad);
    other->Warn("%d items", {"many"});
    const std::string text = TextOf(bad);
    const std::string prefix = "Invalid format string: %d items\r\n";
    ASSERT_EQ(text.rfind("error - " + prefix, 0), 0u) << text;
    const std::size_t second = text.find("warn - " + prefix);
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_EQ(text.substr(second + 7), text.substr(8, second - 8)) << "same text at error and at warn";
}

TEST_F(LoggerTest, ErrorArgumentGivesClassAndMessageToTheEvent) {
    auto appender = RootAt(TLogLevel::Debug());
    auto layout = std::make_shared<TLogPatternLayout>("%p %m: %e%n");
    appender->SetLayout(layout);
    std::runtime_error failure("disk on fire");

    TLogLogger::GetLogger("err")->Error("Request failed", &failure);

    EXPECT_EQ(TextOf(appender), "error Request failed: disk on fire\r\n");
    TLogEvent event(TLogLevel::Error(), nullptr, "m", &failure);
    EXPECT_EQ(event.ErrorClass, "std::runtime_error");
    EXPECT_EQ(event.LoggerName(), "");
}

TEST_F(LoggerTest, ThresholdOffSilencesEveryLoggerTheInternalOneIncluded) {
    auto appender = RootAt(TLogLevel::Debug());
    LogHierarchy().SetThreshold(TLogLevel::Off());
    TLogLogger::GetLogger("quiet")->Fatal("nothing");
    LogLog().Error(std::string_view("nothing either"));
    TLogLogger* lonely = TLogLogger::GetLogger("quiet.lonely");
    lonely->SetAdditive(false);
    lonely->Fatal("no report");

    EXPECT_EQ(TextOf(appender), "");
    EXPECT_EQ(DebugOutput(), "");
}

TEST_F(LoggerTest, InternalLoggerDropsDebugUnlessInternalDebuggingIsOn) {
    LogLog().Debug(std::string_view("hidden"));
    LogLog().Warn(std::string_view("shown"));
    LogLog().SetInternalDebugging(true);
    LogLog().Debug(std::string_view("now shown"));

    EXPECT_EQ(DebugOutput(), "warn - shown\r\ndebug - now shown\r\n");
}

TEST_F(LoggerTest, RootRefusesToLoseItsLevel) {
    LogHierarchy().Root()->SetLevel(nullptr);
    EXPECT_EQ(LogHierarchy().Root()->Level(), TLogLevel::Debug());
    EXPECT_EQ(DebugOutput(), "error - The root can't have a nil level\r\n");
}

TEST_F(LoggerTest, ResetClosesAppendersAndClearsLevelsButKeepsLoggers) {
    auto appender = RootAt(TLogLevel::Fatal());
    TLogLogger* log = TLogLogger::GetLogger("kept");
    log->SetLevel(TLogLevel::Error());
    log->SetAdditive(false);
    LogHierarchy().SetThreshold(TLogLevel::Warn());

    LogHierarchy().ResetConfiguration();

    EXPECT_TRUE(appender->Closed());
    EXPECT_TRUE(LogHierarchy().Root()->Appenders().empty());
    EXPECT_EQ(LogHierarchy().Root()->Level(), TLogLevel::Debug());
    EXPECT_EQ(LogHierarchy().Threshold(), TLogLevel::All());
    EXPECT_EQ(TLogLogger::GetLogger("kept"), log);
    EXPECT_EQ(log->Level(), nullptr);
    EXPECT_TRUE(log->Additive());
}

const TLogClass BaseClass{"TTicket", nullptr};
const TLogClass DerivedClass{"TPaidTicket", &BaseClass};

class Ticket : public TLogObject {
  public:
    explicit Ticket(const TLogClass& cls) : cls_(cls) {}
    const TLogClass& LogClass() const override { return cls_; }

  private:
    const TLogClass& cls_;
};

class TicketRenderer : public ILogRenderer {
  public:
    std::string Render(const TLogObject& object) override { return "ticket of " + object.LogClass().Name; }
};

TEST_F(LoggerTest, ObjectsAreRenderedByTheRendererOfTheirNearestRegisteredClass) {
    auto appender = RootAt(TLogLevel::Debug());
    TLogLogger* log = TLogLogger::GetLogger("objects");
    Ticket ticket(DerivedClass);

    EXPECT_THROW(log->Info(ticket), ELogAbort);
    EXPECT_EQ(DebugOutput(), "error - No renderer found for class TPaidTicket\r\n");

    LogHierarchy().AddRenderer(&BaseClass, std::make_shared<TicketRenderer>());
    log->Info(ticket);
    EXPECT_EQ(TextOf(appender), "info - ticket of TPaidTicket\r\n");
}

TEST_F(LoggerTest, NestedContextIsKeptPerThread) {
    TLogNDC::Push("order 7");
    TLogNDC::Push("line 2");
    EXPECT_EQ(TLogNDC::Get(), "order 7|line 2");
    std::string other = "unset";
    std::thread([&] { other = TLogNDC::Get(); }).join();
    EXPECT_EQ(other, "");
    EXPECT_EQ(TLogNDC::Pop(), "line 2");
    EXPECT_EQ(TLogNDC::Depth(), 1);
    TLogNDC::Clear();
    EXPECT_EQ(TLogNDC::Get(), "");
}

TEST_F(LoggerTest, ConcurrentLoggingKeepsEveryLine) {
    auto appender = RootAt(TLogLevel::Debug());
    constexpr int Threads = 4, Lines = 500;
    std::vector<std::thread> workers;
    for (int t = 0; t < Threads; ++t) {
        workers.emplace_back([t] {
            TLogLogger* log = TLogLogger::GetLogger("worker" + std::to_string(t));
            for (int i = 0; i < Lines; ++i) log->Info("line %d", {i});
        });
    }
    for (auto& w : workers) w.join();
    const std::string text = TextOf(appender);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), Threads * Lines);
}

}  // namespace
