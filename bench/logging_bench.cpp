// Lines per second written through a pattern layout into a size-rolling log file: ours, spdlog's
// and log4cxx's, each with the kiosk's line format, in the same run and in the same temp dir; and
// the limit for all of them, the same lines handed to write(2) one by one. spdlog runs flushed per
// line, like the others, and in its default buffered mode as a reference.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <log4cxx/helpers/pool.h>
#include <log4cxx/logger.h>
#include <log4cxx/patternlayout.h>
#include <log4cxx/rolling/fixedwindowrollingpolicy.h>
#include <log4cxx/rolling/rollingfileappender.h>
#include <log4cxx/rolling/sizebasedtriggeringpolicy.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/spdlog.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "logging/log_event.h"
#include "logging/log_hierarchy.h"
#include "logging/log_process_info.h"
#include "logging/log_root.h"
#include "logging/logger.h"
#include "logging/pattern_layout.h"
#include "logging/rolling_file_appender.h"

namespace {

constexpr std::int64_t MaxFileSize = 10000 * 1024;
constexpr int MaxBackups = 3;
const char* const Message = "POST https://clinic.example/rest/v2/infomat Tickets.Check 0.042 s";

// A fresh temporary directory for one benchmark, removed afterwards.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench_logging_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const char* name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// "(computer:user:application:" as our pattern prints it, for the other libraries' patterns.
std::string ProcessPrefix() {
    const TLogProcessInfo& info = LogProcessInfo();
    return "(" + info.ComputerName + ":" + info.UserName + ":" + info.Application + ":";
}

std::shared_ptr<TLogPatternLayout> KioskLayout() {
    auto layout = std::make_shared<TLogPatternLayout>();
    layout->SetOption("dateFormat", "yyyy-mm-dd hh:nn:ss.zzz");
    layout->SetOption("pattern", "%d %p [%c] (%h:%w:%a:%t) - %m%n");
    return layout;
}

// range(0): 1 for the inter-process lock of the default configuration, 0 for the exclusive one.
void BM_KioskPatternRollingFile(benchmark::State& state) {
    TempDir dir;
    const char* locking = state.range(0) ? InterProcessLockModel : ExclusiveLockModel;
    auto appender = std::make_shared<TLogRollingFileAppender>("logfile", dir.File("kiosk.log"), MaxFileSize,
                                                              MaxBackups, KioskLayout(), true, locking);
    LogHierarchy().ResetConfiguration();
    LogHierarchy().Root()->SetLevel(TLogLevel::Info());
    LogHierarchy().Root()->AddAppender(appender);
    TLogLogger* log = TLogLogger::GetLogger("RestV2");
    for (auto _ : state) log->Info(Message);
    LogHierarchy().ResetConfiguration();
    state.SetItemsProcessed(state.iterations());
}

// range(0): 1 flushes every line, as ours and log4cxx write each line through to the file (the peer
// to compare with); 0 is spdlog's default, lines held in its file buffer (a reference line).
void BM_SpdlogPatternRollingFile(benchmark::State& state) {
    TempDir dir;
    auto sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(dir.File("spdlog.log"), MaxFileSize,
                                                                       MaxBackups);
    auto logger = std::make_shared<spdlog::logger>("RestV2", sink);
    logger->set_formatter(std::make_unique<spdlog::pattern_formatter>(
        "%Y-%m-%d %H:%M:%S.%e %l [%n] " + ProcessPrefix() + "%t) - %v", spdlog::pattern_time_type::local,
        "\r\n"));
    logger->set_level(spdlog::level::info);
    if (state.range(0) != 0)
        logger->flush_on(spdlog::level::info);
    for (auto _ : state) logger->info(Message);
    logger->flush();
    state.SetItemsProcessed(state.iterations());
}

void BM_Log4cxxPatternRollingFile(benchmark::State& state) {
    using namespace log4cxx;
    TempDir dir;
    helpers::Pool pool;
    auto layout = std::make_shared<PatternLayout>("%d{yyyy-MM-dd HH:mm:ss.SSS} %p [%c] " + ProcessPrefix() +
                                                  "%t) - %m\r\n");
    auto rolling = std::make_shared<rolling::FixedWindowRollingPolicy>();
    rolling->setMinIndex(1);
    rolling->setMaxIndex(MaxBackups);
    rolling->setFileNamePattern(dir.File("log4cxx.log.%i"));
    rolling->activateOptions(pool);
    auto trigger = std::make_shared<rolling::SizeBasedTriggeringPolicy>();
    trigger->setMaxFileSize(MaxFileSize);
    auto appender = std::make_shared<rolling::RollingFileAppender>();
    appender->setLayout(layout);
    appender->setFile(dir.File("log4cxx.log"));
    appender->setAppend(true);
    appender->setRollingPolicy(rolling);
    appender->setTriggeringPolicy(trigger);
    appender->activateOptions(pool);
    LoggerPtr logger = Logger::getLogger("RestV2");
    logger->removeAllAppenders();
    logger->addAppender(appender);
    logger->setAdditivity(false);
    logger->setLevel(Level::getInfo());
    for (auto _ : state) LOG4CXX_INFO(logger, Message);
    logger->removeAllAppenders();
    appender->close();
    state.SetItemsProcessed(state.iterations());
}

// No library: one line of ours, formatted once, written with one write(2) each to a file opened
// for appending, which is cut back to nothing where the others roll over.
void BM_BareWriteLoop(benchmark::State& state) {
    TempDir dir;
    TLogLogger* logger = TLogLogger::GetLogger("RestV2");
    const std::string line = KioskLayout()->Format(TLogEvent(TLogLevel::Info(), logger, Message));
    const int fd = ::open(dir.File("bare.log").c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        state.SkipWithError("cannot create the file");
        return;
    }
    std::int64_t size = 0;
    for (auto _ : state) {
        if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            state.SkipWithError("short write");
            break;
        }
        size += static_cast<std::int64_t>(line.size());
        if (size > MaxFileSize && ::ftruncate(fd, 0) == 0)
            size = 0;
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_KioskPatternRollingFile)->ArgName("interProcess")->Arg(1)->Arg(0);
BENCHMARK(BM_SpdlogPatternRollingFile)->ArgName("flushEachLine")->Arg(1)->Arg(0);
BENCHMARK(BM_Log4cxxPatternRollingFile);
BENCHMARK(BM_BareWriteLoop);

BENCHMARK_MAIN();
