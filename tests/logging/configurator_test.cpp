#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "logging/class_registry.h"
#include "logging/error_handlers.h"
#include "logging/file_appender.h"
#include "logging/filters.h"
#include "logging/log_properties.h"
#include "logging/pattern_layout.h"
#include "logging/property_configurator.h"
#include "logging/rolling_file_appender.h"
#include "logging/simple_layout.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/strings.h"
#include "tests/logging/logging_fixture.h"

namespace {

class ConfiguratorTest : public LoggingTest {
  protected:
    // Writes the lines (joined by CR LF, "@" standing for the scratch directory) and configures.
    void ConfigureFrom(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines)
            text += StringReplace(line, "@", TempDir().string(), rfReplaceAll) + "\r\n";
        const std::string path = (TempDir() / "test.cfg").string();
        std::ofstream(path, std::ios::binary) << text;
        TLogPropertyConfigurator::Configure(path);
    }
    std::string Log(const char* name) const { return ReadFile(TempDir() / name); }
};

TEST_F(ConfiguratorTest, LoggersLevelsAdditivityAndAppendersRouteAsConfigured) {
    ConfigureFrom({
        "# routing of the kiosk's loggers",
        "applog.appender.main=TLogFileAppender",
        "applog.appender.main.fileName=@/main.log",
        "applog.appender.main.layout=TLogPatternLayout",
        "applog.appender.main.layout.pattern=%p [%c] %m%n",
        "applog.appender.rest=TLogFileAppender",
        "applog.appender.rest.fileName=@/rest.log",
        "applog.appender.rest.layout=TLogSimpleLayout",
        "applog.appender.errors=TLogFileAppender",
        "applog.appender.errors.threshold=error",
        "applog.appender.errors.fileName=@/errors.log",
        "applog.appender.errors.layout=TLogPatternLayout",
        "applog.appender.errors.layout.pattern=%c:%m%n",
        "applog.appender.unused=TLogFileAppender",
        "applog.appender.unused.fileName=@/unused.log",
        "",
        "applog.rootLogger=info,main,errors",
        "applog.logger.RestV2=debug,rest",
        "applog.logger.Quiet=warn,rest",
        "applog.additive.Quiet=false",
        "applog.logger.Api.Sub=inherited",
    });
    TLogLogger::GetLogger("TMainForm")->Info("Start application");
    TLogLogger::GetLogger("TMainForm")->Debug("hidden");
    TLogLogger::GetLogger("RestV2")->Debug("POST /infomat");
    TLogLogger::GetLogger("RestV2")->Error("Server error");
    TLogLogger::GetLogger("Quiet")->Info("hidden");
    TLogLogger::GetLogger("Quiet")->Error("quiet failure");
    TLogLogger::GetLogger("Api.Sub")->Info("inherits info");
    TLogLogger::GetLogger("Api.Sub")->Debug("hidden");
    LogHierarchy().Shutdown();

    EXPECT_EQ(Log("main.log"),
              "info [TMainForm] Start application\r\n"
              "debug [RestV2] POST /infomat\r\n"
              "error [RestV2] Server error\r\n"
              "info [Api.Sub] inherits info\r\n");
    EXPECT_EQ(Log("rest.log"), "debug - POST /infomat\r\nerror - Server error\r\nerror - quiet failure\r\n");
    EXPECT_EQ(Log("errors.log"), "RestV2:Server error\r\n");
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "unused.log"))
        << "an appender no logger names is not made";
    EXPECT_EQ(DebugOutput(), "");
}

TEST_F(ConfiguratorTest, FileNameBeforeAppendDoesNotTruncateAnExistingLog) {
    std::ofstream(TempDir() / "app.log", std::ios::binary) << "yesterday\r\n";
    ConfigureFrom({
        "applog.appender.logfile=TLogRollingFileAppender",
        "applog.appender.logfile.fileName=@/app.log",
        "applog.appender.logfile.append=true",
        "applog.appender.logfile.lockingModel=InterProcessLock",
        "applog.appender.logfile.layout=TLogSimpleLayout",
        "applog.rootLogger=info,logfile",
    });
    TLogLogger::GetLogger("TMainForm")->Info("today");
    EXPECT_EQ(Log("app.log"), "yesterday\r\ninfo - today\r\n");
}

TEST_F(ConfiguratorTest, FiltersErrorHandlersAndLayoutOptionsReachTheirObjects) {
    ConfigureFrom({
        "applog.appender.a=TLogFileAppender",
        "applog.appender.a.fileName=@/a.log",
        "applog.appender.a.layout=TLogPatternLayout",
        "applog.appender.a.layout.pattern=%p:%m%n",
        "applog.appender.a.errorHandler=TLogFallbackErrorHandler",
        "applog.appender.a.filter1=TLogStringFilter",
        "applog.appender.a.filter1.match=secret",
        "applog.appender.a.filterAll=TLogLevelRangeFilter",
        "applog.appender.a.filterAll.minimum=info",
        "applog.appender.a.filterAll.maximum=fatal",
        "applog.appender.a.filterAll.acceptOnMatch=true",
        "applog.appender.a.filterLast=TLogDenyAllFilter",
        "applog.rootLogger=debug,a",
    });
    const auto appenders = LogHierarchy().Root()->Appenders();
    ASSERT_EQ(appenders.size(), 1u);
    EXPECT_NE(std::dynamic_pointer_cast<TLogFallbackErrorHandler>(appenders.front()->GetErrorHandler()),
              nullptr);
    TLogLogger* log = TLogLogger::GetLogger("filtered");
    log->Info("the secret");
    log->Info("open");
    log->Debug("denied by the last filter");
    LogHierarchy().Shutdown();
    EXPECT_EQ(Log("a.log"), "info:open\r\n");
}

struct DiagnosticCase {
    const char* Name;
    std::vector<std::string> Lines;
    const char* Expected;  // "@" stands for the scratch directory
};

TEST_F(ConfiguratorTest, BadLinesAndUnknownClassesGiveTheirDiagnosticsAndNoCrash) {
    const DiagnosticCase cases[] = {
        {"malformed lines are ignored",
         {"no equals sign", "=value without name", "#applog.rootLogger=info", "applog.rootLogger =info,a",
          "applog.Logger.X=debug", "   ", "applog.appender.=", "applog.logger.=,,,"},
         ""},
        {"unknown appender class",
         {"applog.appender.x=TNoSuchAppender", "applog.rootLogger=info,x"},
         "error - Couldn't find class TNoSuchAppender\r\nerror - Couldn't create appender named \"x\"\r\n"},
        {"blank after the comma names another appender",
         {"applog.appender.logfile=TLogNullAppender", "applog.appender.logfile.layout=TLogSimpleLayout",
          "applog.rootLogger=info, logfile"},
         "error - Couldn't create appender named \" logfile\"\r\n"},
        {"unknown layout leaves the appender without one",
         {"applog.appender.n=TLogNullAppender", "applog.appender.n.layout=TXmlLayout",
          "applog.rootLogger=info,n"},
         "error - Couldn't find class TXmlLayout\r\nerror - Appender \"n\" requires a layout\r\n"},
        {"unknown filter and error handler",
         {"applog.appender.n=TLogNullAppender", "applog.appender.n.layout=TLogSimpleLayout",
          "applog.appender.n.errorHandler=TMailHandler", "applog.appender.n.filter1=TRegexFilter",
          "applog.rootLogger=info,n"},
         "error - Couldn't find class TMailHandler\r\nerror - Couldn't find class TRegexFilter\r\n"},
        {"unknown rendered class",
         {"applog.renderer.TTicket=TTicketRenderer"},
         "error - Couldn't find rendered class \"TTicket\"\r\n"},
        {"log file that cannot be created ends the configuration",
         {"applog.appender.f=TLogFileAppender", "applog.appender.f.layout=TLogSimpleLayout",
          "applog.appender.f.fileName=/proc/no/such.log", "applog.rootLogger=warn,f",
          "applog.logger.Late=fatal"},
         "error - Couldn't read configuration file \"@/test.cfg\" - Cannot create file "
         "\"/proc/no/such.log\". "
         "No such file or directory\r\nerror - Ignoring configuration file \"@/test.cfg\"\r\n"},
    };
    for (const auto& c : cases) {
        LogHierarchy().ResetConfiguration();
        debugLines_.clear();
        ConfigureFrom(c.Lines);
        EXPECT_EQ(DebugOutput(), StringReplace(c.Expected, "@", TempDir().string(), rfReplaceAll)) << c.Name;
    }
    EXPECT_EQ(LogHierarchy().Root()->Level(), TLogLevel::Warn()) << "what came before the failure stays";
    EXPECT_EQ(LogHierarchy().FindLogger("Late"), nullptr);
}

TEST_F(ConfiguratorTest, MissingFileIsReportedAndIgnored) {
    TLogPropertyConfigurator::Configure((TempDir() / "absent.cfg").string());
    const std::string path = (TempDir() / "absent.cfg").string();
    EXPECT_EQ(DebugOutput(), "error - Couldn't read configuration file \"" + path +
                                 "\" - Cannot open file \"" + path +
                                 "\". No such file or directory\r\nerror - Ignoring configuration file \"" +
                                 path + "\"\r\n");
}

TEST_F(ConfiguratorTest, BadOptionValuesFallBackToTheirDefaultsAndConfigurationCarriesOn) {
    ConfigureFrom({
        "applog.appender.r=TLogRollingFileAppender",
        "applog.appender.r.maxFileSize=10kb",
        "applog.appender.r.maxBackupIndex=three",
        "applog.appender.r.lockingModel=MinimalLock",
        "applog.appender.r.append=perhaps",
        "applog.appender.r.threshold=loud",
        "applog.appender.r.fileName=@/r.log",
        "applog.appender.r.layout=TLogPatternLayout",
        "applog.appender.r.layout.pattern=%p %m%n",
        "applog.appender.r.layout.dateFormat=",
        "applog.appender.r.filter1=TLogLevelMatchFilter",
        "applog.appender.r.filter1.match=LOUD",
        "applog.appender.r.filter1.acceptOnMatch=maybe",
        "applog.appender.r.filter2=TLogDenyAllFilter",
        "applog.rootLogger=debug,r",
    });
    const auto appenders = LogHierarchy().Root()->Appenders();
    ASSERT_EQ(appenders.size(), 1u);
    auto rolling = std::dynamic_pointer_cast<TLogRollingFileAppender>(appenders.front());
    ASSERT_NE(rolling, nullptr);
    EXPECT_EQ(rolling->MaxFileSize(), 10485760);
    EXPECT_EQ(rolling->MaxBackupIndex(), 1);
    EXPECT_EQ(rolling->LockingModel(), "ExclusiveLock");
    EXPECT_FALSE(rolling->Append());
    EXPECT_EQ(rolling->Threshold(), TLogLevel::All());
    auto layout = std::dynamic_pointer_cast<TLogPatternLayout>(rolling->GetLayout());
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->DateFormat(), FormatSettings().ShortDateFormat);

    TLogLogger* log = TLogLogger::GetLogger("options");
    log->Debug("unknown match level is debug, accepted");
    log->Info("denied by the second filter");
    LogHierarchy().Shutdown();
    EXPECT_EQ(Log("r.log"), "debug unknown match level is debug, accepted\r\n");
    EXPECT_EQ(DebugOutput(), "");
}

TEST_F(ConfiguratorTest, LevelTokensThresholdAndKeyCase) {
    struct Case {
        std::vector<std::string> Lines;
        const TLogLevel* Root;
        const TLogLevel* Threshold;
    };
    const Case cases[] = {
        {{"applog.rootLogger=inherited,a"}, TLogLevel::Debug(), TLogLevel::All()},
        {{"APPLOG.ROOTLOGGER=WARN", "applog.rootLogger=fatal"}, TLogLevel::Warn(), TLogLevel::All()},
        {{"applog.rootLogger=nonsense", "applog.threshold=Error"}, TLogLevel::Debug(), TLogLevel::Error()},
        {{"applog.threshold=loud"}, TLogLevel::Debug(), TLogLevel::Debug()},
        {{"applog.rootLogger=,a"}, TLogLevel::Debug(), TLogLevel::All()},
    };
    for (const auto& c : cases) {
        LogHierarchy().ResetConfiguration();
        LogHierarchy().Root()->SetLevel(TLogLevel::Debug());
        ConfigureFrom(c.Lines);
        EXPECT_EQ(LogHierarchy().Root()->Level(), c.Root) << c.Lines.front();
        EXPECT_EQ(LogHierarchy().Threshold(), c.Threshold) << c.Lines.front();
    }
    ConfigureFrom(
        {"applog.logger.Sub=inherited", "applog.logger.Other=INFO", "applog.additive.Other=perhaps"});
    EXPECT_EQ(TLogLogger::GetLogger("Sub")->Level(), nullptr);
    EXPECT_EQ(TLogLogger::GetLogger("Other")->Level(), TLogLevel::Info());
    EXPECT_TRUE(TLogLogger::GetLogger("Other")->Additive());
}

TEST_F(ConfiguratorTest, ThresholdWarnDropsInfoWhateverTheLoggersSay) {
    ConfigureFrom({"applog.threshold=warn", "applog.appender.s=TLogFileAppender",
                   "applog.appender.s.fileName=@/s.log", "applog.appender.s.layout=TLogSimpleLayout",
                   "applog.rootLogger=debug,s", "applog.logger.RestV2=debug"});
    TLogLogger::GetLogger("RestV2")->Info("dropped");
    TLogLogger::GetLogger("RestV2")->Warn("kept");
    LogHierarchy().Shutdown();
    EXPECT_EQ(Log("s.log"), "warn - kept\r\n");
}

TEST_F(ConfiguratorTest, ConfigDebugTracesEveryStep) {
    ConfigureFrom({
        "applog.configDebug=true",
        "applog.appender.a=TLogNullAppender",
        "applog.appender.a.filter1=TLogStringFilter",
        "applog.appender.a.layout=TLogSimpleLayout",
        "applog.appender.a.errorHandler=TLogOnlyOnceErrorHandler",
        "applog.rootLogger=warn,a",
        "applog.logger.X=info,a",
        "applog.additive.X=no",
    });
    EXPECT_EQ(DebugOutput(),
              "debug - Parsing for logger \"root\" with value=\"warn,a\"\r\n"
              "debug - Level token is \"warn\"\r\n"
              "debug - Logger \"root\" set to level \"warn\"\r\n"
              "debug - Parsing appender named \"a\"\r\n"
              "debug - Parsing error handler options for \"a\"\r\n"
              "debug - End of parsing for \"a\" error handler\r\n"
              "debug - Parsing layout options for \"a\"\r\n"
              "debug - End of parsing for \"a\" layout\r\n"
              "debug - Parsing filter options for \"a\"\r\n"
              "debug - End of parsing for \"a\" filter\r\n"
              "debug - Parsed \"a\" options\r\n"
              "debug - Parsing for logger \"X\" with value=\"info,a\"\r\n"
              "debug - Level token is \"info\"\r\n"
              "debug - Logger \"X\" set to level \"info\"\r\n"
              "debug - Parsing appender named \"a\"\r\n"
              "debug - Appender \"a\" was already parsed\r\n"
              "debug - Handling applog.additive.X=\"no\"\r\n"
              "debug - Setting additivity for \"X\" to \"no\"\r\n"
              "debug - Finished configuring with TLogPropertyConfigurator\r\n");
    EXPECT_FALSE(TLogLogger::GetLogger("X")->Additive());
    EXPECT_EQ(TLogLogger::GetLogger("X")->Appenders(), LogHierarchy().Root()->Appenders())
        << "one appender shared";
}

TEST(LogProperties, WholeNamesMatchFirstWithoutCaseAndPrefixesInFileOrderWithCase) {
    const TLogProperties props = TLogProperties::FromText(
        "applog.appender.logfile.b=1\r\n"
        "APPLOG.appender.log.x=2\r\n"
        "applog.appender.log=3\r\n"
        "applog.appender.log.a=4\n"
        "applog.Appender.Log=5\r\n"
        "applog.appender.lo=6\r\n"
        "applog.appender.logfile.a=7");
    EXPECT_EQ(props.Find("APPLOG.APPENDER.LOG"), "3");
    EXPECT_EQ(props.Find("applog.appender.log.X"), "2");
    EXPECT_EQ(props.Find("applog.appender"), std::nullopt);

    std::vector<std::string> values;
    for (const auto* line : props.LinesStartingWith("applog.appender.log")) values.push_back(line->second);
    EXPECT_EQ(values, (std::vector<std::string>{"1", "3", "4", "7"}));
    EXPECT_TRUE(props.LinesStartingWith("applog.appender.logs").empty());
    EXPECT_EQ(props.LinesStartingWith("").size(), props.Lines().size());
}

// Names and prefixes are looked up in an index made once per file, so tens of thousands of logger
// lines configure at once, with the same first-wins and file-order results as a rescan per line.
TEST_F(ConfiguratorTest, ManyLoggerLinesConfigureAtOnceWithTheUsualResults) {
    constexpr int Loggers = 40000;
    const char* const levels[] = {"debug", "info", "warn", "error"};
    std::vector<std::string> lines{
        "applog.appender.main=TLogNullAppender", "applog.appender.main.layout=TLogSimpleLayout",
        "applog.appender.quiet=TLogNullAppender", "applog.appender.quiet.layout=TLogSimpleLayout"};
    for (int i = 0; i < Loggers; ++i) {
        const std::string name = "Unit" + IntToStr(i);
        lines.push_back("applog.logger." + name + "=" + levels[i % 4] + ",main");
        if (i % 3 == 0)
            lines.push_back("APPLOG.ADDITIVE." + name + "=false");  // the first of its name wins
        if (i % 5 == 0)
            lines.push_back("applog.additive." + name + "=true");
    }
    lines.push_back("applog.logger.Unit7=fatal,quiet");  // a later line for a logger reconfigures it

    const auto start = std::chrono::steady_clock::now();
    ConfigureFrom(lines);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << "configuring hangs";

    const TLogLevel* const levelOf[] = {TLogLevel::Debug(), TLogLevel::Info(), TLogLevel::Warn(),
                                        TLogLevel::Error()};
    const std::vector<ILogAppenderPtr> main = TLogLogger::GetLogger("Unit0")->Appenders();
    ASSERT_EQ(main.size(), 1u);
    EXPECT_EQ(main.front()->GetName(), "main");
    for (int i = 0; i < Loggers; ++i) {
        TLogLogger* logger = LogHierarchy().FindLogger("Unit" + IntToStr(i));
        ASSERT_NE(logger, nullptr) << i;
        if (i == 7)
            continue;
        ASSERT_EQ(logger->Level(), levelOf[i % 4]) << i;
        ASSERT_EQ(logger->Additive(), i % 3 != 0) << i;
        ASSERT_EQ(logger->Appenders(), main) << i;
    }
    TLogLogger* seventh = TLogLogger::GetLogger("Unit7");
    EXPECT_EQ(seventh->Level(), TLogLevel::Fatal());
    ASSERT_EQ(seventh->Appenders().size(), 1u);
    EXPECT_EQ(seventh->Appenders().front()->GetName(), "quiet");
    EXPECT_EQ(DebugOutput(), "");
}

TEST_F(ConfiguratorTest, RegistriesCheckTheInterfaceAndMatchNamesWithoutCase) {
    try {
        LogAppenders().Register<TLogSimpleLayout>("TLogSimpleLayout");
        FAIL() << "registered a layout as an appender";
    } catch (const ELogException& e) {
        EXPECT_STREQ(e.what(), "TLogSimpleLayout doesn't implement ILogAppender");
    }
    EXPECT_NE(std::dynamic_pointer_cast<TLogSimpleLayout>(LogLayouts().Create("tlogsimplelayout")), nullptr);
    EXPECT_EQ(LogLayouts().Create(""), nullptr);
    EXPECT_EQ(DebugOutput(), "");

    LogFilters().Register<TLogDenyAllFilter>("TLogStringFilter");  // same name: replaced
    EXPECT_NE(std::dynamic_pointer_cast<TLogDenyAllFilter>(LogFilters().Create("TLogStringFilter")), nullptr);
    LogFilters().Register<TLogStringFilter>("TLogStringFilter");
    EXPECT_EQ(LogFilters().ClassNames(),
              (std::vector<std::string>{"TLogDenyAllFilter", "TLogLevelMatchFilter", "TLogLevelRangeFilter",
                                        "TLogStringFilter"}));
}

const TLogClass TicketClass{"TTicket", nullptr};

class Ticket : public TLogObject {
  public:
    const TLogClass& LogClass() const override { return TicketClass; }
};

class TicketRenderer : public ILogRenderer {
  public:
    std::string Render(const TLogObject&) override { return "a ticket"; }
};

TEST_F(ConfiguratorTest, RendererLinesRegisterRenderersForKnownClasses) {
    RegisterLogRenderedClass(TicketClass);
    LogRenderers().Register<TicketRenderer>("TTicketRenderer");
    ConfigureFrom({"applog.renderer.TTicket=TUnknownRenderer", "applog.renderer.TTicket=TTicketRenderer",
                   "applog.appender.s=TLogFileAppender", "applog.appender.s.fileName=@/s.log",
                   "applog.appender.s.layout=TLogSimpleLayout", "applog.rootLogger=info,s"});
    TLogLogger::GetLogger("objects")->Info(Ticket());
    LogHierarchy().Shutdown();
    EXPECT_EQ(Log("s.log"), "info - a ticket\r\n");
    EXPECT_EQ(DebugOutput(),
              "error - Couldn't find class TUnknownRenderer\r\nerror - Couldn't create renderer "
              "\"TUnknownRenderer\"\r\n");
}

}  // namespace
