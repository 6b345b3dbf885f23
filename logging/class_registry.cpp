#include "logging/class_registry.h"

#include "logging/error_handlers.h"
#include "logging/file_appender.h"
#include "logging/filters.h"
#include "logging/html_layout.h"
#include "logging/log_hierarchy.h"
#include "logging/log_internal.h"
#include "logging/null_appender.h"
#include "logging/ods_appender.h"
#include "logging/pattern_layout.h"
#include "logging/rolling_file_appender.h"
#include "logging/simple_layout.h"
#include "logging/stream_appender.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

void LogCouldNotFindClass(std::string_view className) {
    LogLog().Error("Couldn't find class %s", {className});
}

bool LogSameClassName(std::string_view a, std::string_view b) {
    return SameText(a, b);
}

std::string LogDoesNotImplement(std::string_view className, std::string_view interfaceName) {
    return ::Format("%s doesn't implement %s", {className, interfaceName});
}

namespace {

// Registries live to the end of the process, like the objects they make.
template <class I, class Fill>
TLogClassRegistry<I>& MakeRegistry(const char* interfaceName, Fill fill) {
    auto* registry = new TLogClassRegistry<I>(interfaceName);
    fill(*registry);
    return *registry;
}

}  // namespace

TLogClassRegistry<ILogLoggerFactory>& LogLoggerFactories() {
    static auto& r = MakeRegistry<ILogLoggerFactory>("ILogLoggerFactory", [](auto& reg) {
        // The default factory is one object for the whole process.
        reg.Register("TLogDefaultLoggerFactory", [] {
            return std::shared_ptr<ILogLoggerFactory>(&DefaultLoggerFactory(), [](ILogLoggerFactory*) {});
        });
    });
    return r;
}

TLogClassRegistry<ILogErrorHandler>& LogErrorHandlers() {
    static auto& r = MakeRegistry<ILogErrorHandler>("ILogErrorHandler", [](auto& reg) {
        reg.template Register<TLogFallbackErrorHandler>("TLogFallbackErrorHandler");
        reg.template Register<TLogOnlyOnceErrorHandler>("TLogOnlyOnceErrorHandler");
    });
    return r;
}

TLogClassRegistry<ILogLayout>& LogLayouts() {
    static auto& r = MakeRegistry<ILogLayout>("ILogLayout", [](auto& reg) {
        reg.template Register<TLogHTMLLayout>("TLogHTMLLayout");
        reg.template Register<TLogPatternLayout>("TLogPatternLayout");
        reg.template Register<TLogSimpleLayout>("TLogSimpleLayout");
    });
    return r;
}

TLogClassRegistry<ILogFilter>& LogFilters() {
    static auto& r = MakeRegistry<ILogFilter>("ILogFilter", [](auto& reg) {
        reg.template Register<TLogDenyAllFilter>("TLogDenyAllFilter");
        reg.template Register<TLogLevelMatchFilter>("TLogLevelMatchFilter");
        reg.template Register<TLogLevelRangeFilter>("TLogLevelRangeFilter");
        reg.template Register<TLogStringFilter>("TLogStringFilter");
    });
    return r;
}

TLogClassRegistry<ILogAppender>& LogAppenders() {
    static auto& r = MakeRegistry<ILogAppender>("ILogAppender", [](auto& reg) {
        reg.template Register<TLogFileAppender>("TLogFileAppender");
        reg.template Register<TLogNullAppender>("TLogNullAppender");
        reg.template Register<TLogODSAppender>("TLogODSAppender");
        reg.template Register<TLogStreamAppender>("TLogStreamAppender");
        reg.template Register<TLogRollingFileAppender>("TLogRollingFileAppender");
    });
    return r;
}

TLogClassRegistry<const TLogClass>& LogRenderedClasses() {
    static auto& r = MakeRegistry<const TLogClass>("TLogObject", [](auto&) {});
    return r;
}

TLogClassRegistry<ILogRenderer>& LogRenderers() {
    static auto& r = MakeRegistry<ILogRenderer>("ILogRenderer", [](auto&) {});
    return r;
}

void RegisterLogRenderedClass(const TLogClass& renderedClass) {
    const TLogClass* cls = &renderedClass;
    LogRenderedClasses().Register(cls->Name,
                                  [cls] { return std::shared_ptr<const TLogClass>(cls, [](auto*) {}); });
}
