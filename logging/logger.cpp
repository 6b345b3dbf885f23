#include "logging/logger.h"

#include <algorithm>
#include <mutex>

#include "logging/log_event.h"
#include "logging/log_exception.h"
#include "logging/log_hierarchy.h"
#include "logging/log_internal.h"
#include "platform/rtl/flag_scope.h"

TLogLogger::TLogLogger(std::string name)
    : appenders_(std::make_shared<const AppenderList>()), name_(std::move(name)) {}

TLogLogger::~TLogLogger() = default;

TLogLogger* TLogLogger::GetLogger(std::string_view name, ILogLoggerFactory* factory) {
    return LogHierarchy().GetLogger(name, factory);
}

void TLogLogger::Log(const TLogLevel* level, std::string_view message, const std::exception* error) {
    TLogEvent event(level, this, message, error);
    CallAppenders(event);
}

void TLogLogger::Log(const TLogLevel* level, const TLogObject& message, const std::exception* error) {
    std::shared_ptr<ILogRenderer> renderer =
        hierarchy_ ? hierarchy_->FindRenderer(message.LogClass()) : nullptr;
    if (!renderer) {
        LogLog().Error("No renderer found for class %s", {message.LogClass().Name});
        throw ELogAbort("Operation aborted");
    }
    Log(level, renderer->Render(message), error);
}

const TLogLevel* TLogLogger::GetEffectiveLevel() const {
    for (const TLogLogger* logger = this; logger; logger = logger->parent_) {
        if (const TLogLevel* level = logger->Level())
            return level;
    }
    return TLogLevel::Debug();  // only a logger cut off from the root gets here
}

void TLogLogger::SetLevel(const TLogLevel* level) {
    level_.store(level, std::memory_order_relaxed);
}

bool TLogLogger::IsEnabledFor(const TLogLevel* level) const {
    return level->IsGreaterOrEqual(GetEffectiveLevel());
}

bool TLogLogger::PassesThreshold(const TLogLevel* level) const {
    const TLogLevel* threshold = hierarchy_ ? hierarchy_->Threshold() : nullptr;
    return !threshold || level->IsGreaterOrEqual(threshold);
}

void TLogLogger::LogFormatted(const TLogLevel* level, std::string_view format,
                              std::initializer_list<FormatArg> args, const std::exception* error) {
    std::string text;
    try {
        text = ::Format(format, args);
    } catch (const std::exception& e) {
        text = "Invalid format string: " + std::string(format) + "\r\n" + e.what();
        Error(std::string_view(text));
    }
    Log(level, text, error);
}

#define LOG_LEVEL_ENTRY_POINTS(Method, LevelFn)                                             \
    void TLogLogger::Method(std::string_view message, const std::exception* error) {        \
        if (ShouldLog(TLogLevel::LevelFn()))                                                \
            Log(TLogLevel::LevelFn(), message, error);                                      \
    }                                                                                       \
    void TLogLogger::Method(const TLogObject& message, const std::exception* error) {       \
        if (ShouldLog(TLogLevel::LevelFn()))                                                \
            Log(TLogLevel::LevelFn(), message, error);                                      \
    }                                                                                       \
    void TLogLogger::Method(std::string_view format, std::initializer_list<FormatArg> args, \
                            const std::exception* error) {                                  \
        if (ShouldLog(TLogLevel::LevelFn()))                                                \
            LogFormatted(TLogLevel::LevelFn(), format, args, error);                        \
    }

LOG_LEVEL_ENTRY_POINTS(Debug, Debug)
LOG_LEVEL_ENTRY_POINTS(Error, Error)
LOG_LEVEL_ENTRY_POINTS(Fatal, Fatal)
LOG_LEVEL_ENTRY_POINTS(Info, Info)
LOG_LEVEL_ENTRY_POINTS(Warn, Warn)

#undef LOG_LEVEL_ENTRY_POINTS

void TLogLogger::AddAppender(ILogAppenderPtr appender) {
    if (!appender)
        return;
    std::lock_guard guard(lock_);
    if (std::find(appenders_->begin(), appenders_->end(), appender) != appenders_->end())
        return;
    auto changed = std::make_shared<AppenderList>(*appenders_);
    changed->push_back(std::move(appender));
    appenders_ = std::move(changed);
}

void TLogLogger::RemoveAppender(const ILogAppenderPtr& appender) {
    std::lock_guard guard(lock_);
    auto changed = std::make_shared<AppenderList>(*appenders_);
    changed->erase(std::remove(changed->begin(), changed->end(), appender), changed->end());
    appenders_ = std::move(changed);
}

void TLogLogger::RemoveAllAppenders() {
    std::lock_guard guard(lock_);
    appenders_ = std::make_shared<const AppenderList>();
}

void TLogLogger::CloseAllAppenders() {
    std::lock_guard guard(lock_);
    for (const auto& appender : *AppenderSnapshot()) appender->Close();
}

std::vector<ILogAppenderPtr> TLogLogger::Appenders() const {
    return *AppenderSnapshot();
}

std::shared_ptr<const TLogLogger::AppenderList> TLogLogger::AppenderSnapshot() const {
    std::lock_guard guard(lock_);
    return appenders_;
}

void TLogLogger::CallAppenders(const TLogEvent& event) {
    // The report goes through the internal logger; without appenders of its own it must not
    // report itself again.
    thread_local bool reportingNoAppenders = false;
    std::lock_guard guard(lock_);
    // Counted on the way: where none is reached, nothing was handed anything either.
    if (DispatchUpward(event) > 0 || reportingNoAppenders)
        return;
    TFlagScope reporting(reportingNoAppenders);
    LogLog().Error("No appenders could be found for logger \"%s\"", {name_});
    LogLog().Error(std::string_view("Please initialise the AppLog system properly"));
}

int TLogLogger::DispatchUpward(const TLogEvent& event) {
    // A copy of the list: an error handler may swap appenders in the middle of the loop.
    const std::shared_ptr<const AppenderList> appenders = appenders_;
    for (const auto& appender : *appenders) appender->DoAppend(event);
    int count = static_cast<int>(appenders->size());
    if (Additive() && parent_) {
        std::lock_guard guard(parent_->lock_);
        count += parent_->DispatchUpward(event);
    }
    return count;
}
