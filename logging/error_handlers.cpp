#include "logging/error_handlers.h"

#include <algorithm>

#include "logging/log_internal.h"
#include "logging/logger.h"
#include "platform/rtl/format.h"

namespace {
std::string NameOf(const ILogAppenderPtr& appender) {
    return appender ? appender->GetName() : std::string();
}
}  // namespace

void TLogCustomErrorHandler::SetAppender(const ILogAppenderPtr& appender) {
    appender_ = appender;
    LogLog().Debug("Setting appender \"%s\" in error handler", {NameOf(appender)});
}

void TLogCustomErrorHandler::SetBackupAppender(const ILogAppenderPtr& appender) {
    backupAppender_ = appender;
    LogLog().Debug("Setting backup appender \"%s\" in error handler", {NameOf(appender)});
}

void TLogCustomErrorHandler::SetLogger(TLogLogger* logger) {
    logger_ = logger;
    LogLog().Debug("Setting logger \"%s\" in error handler", {logger ? logger->Name() : std::string()});
}

void TLogCustomErrorHandler::Error(std::string_view message, const std::exception* error, int errorCode,
                                   const TLogEvent*) {
    Error(std::string_view(::Format("%s - (%d) %s", {message, errorCode, error ? error->what() : ""})));
}

void TLogOnlyOnceErrorHandler::Error(std::string_view message) {
    if (seenError_)
        return;
    seenError_ = true;  // before logging: the internal logger's own appender may fail too
    LogLog().Error(message);
}

void TLogFallbackErrorHandler::SetLogger(TLogLogger* logger) {
    if (!logger || std::find(loggers_.begin(), loggers_.end(), logger) != loggers_.end())
        return;
    LogLog().Debug("Adding logger \"%s\" in error handler", {logger->Name()});
    loggers_.push_back(logger);
}

void TLogFallbackErrorHandler::Error(std::string_view message) {
    LogLog().Debug("Fallback on error %s", {message});
    const ILogAppenderPtr appender = Appender();
    for (TLogLogger* logger : loggers_) {
        LogLog().Debug("Fallback replacing \"%s\" with \"%s\" in logger \"%s\"",
                       {NameOf(appender), NameOf(backupAppender_), logger->Name()});
        logger->RemoveAppender(appender);
        logger->AddAppender(backupAppender_);
    }
}
