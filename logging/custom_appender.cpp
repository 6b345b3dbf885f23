#include "logging/custom_appender.h"

#include <algorithm>
#include <mutex>

#include "logging/error_handlers.h"
#include "logging/log_event.h"
#include "logging/log_exception.h"
#include "logging/log_internal.h"
#include "logging/simple_layout.h"
#include "platform/rtl/format.h"

TLogCustomAppender::TLogCustomAppender()
    : errorHandler_(std::make_shared<TLogOnlyOnceErrorHandler>()), threshold_(TLogLevel::All()) {}

TLogCustomAppender::TLogCustomAppender(std::string_view name, ILogLayoutPtr layout) : TLogCustomAppender() {
    name_ = name;
    layout_ = layout ? std::move(layout) : std::make_shared<TLogSimpleLayout>();
}

TLogCustomAppender::~TLogCustomAppender() = default;

void TLogCustomAppender::SetOption(std::string_view name, std::string_view value) {
    TLogOptionHandler::SetOption(name, value);
    if (name == "threshold")
        SetThreshold(TLogLevel::GetLevel(value, TLogLevel::All()));
}

void TLogCustomAppender::DoAppend(const TLogEvent& event) {
    const TLogLevel* threshold = Threshold();
    if (threshold && !event.Level->IsGreaterOrEqual(threshold))
        return;
    std::lock_guard guard(lock_);
    try {
        if (CheckEntryConditions() && CheckFilters(event))
            Append(event);
    } catch (const ELogFileError& e) {
        ReportFailure(&e, e.ErrorCode, &event);
    } catch (const std::exception& e) {
        ReportFailure(&e, 0, &event);
    } catch (...) {
        ReportFailure(nullptr, 0, &event);
    }
}

void TLogCustomAppender::ReportFailure(const std::exception* error, int errorCode, const TLogEvent* event) {
    try {
        if (errorHandler_) {
            errorHandler_->Error(::Format("Failed to write to appender \"%s\"", {name_}), error, errorCode,
                                 event);
        }
    } catch (...) {
        // The handler failed as well; the caller of the logging call must still not see it.
    }
}

bool TLogCustomAppender::CheckEntryConditions() {
    if (closed_) {
        LogLog().Warn(std::string_view("Not allowed to write to a closed appender"));
        return false;
    }
    if (!layout_ && RequiresLayout()) {
        if (errorHandler_)
            errorHandler_->Error(::Format("No layout set for appender named \"%s\"", {name_}));
        return false;
    }
    return true;
}

bool TLogCustomAppender::CheckFilters(const TLogEvent& event) {
    for (const auto& filter : filters_) {
        switch (filter->Decide(event)) {
            case TLogFilterDecision::fdDeny:
                return false;
            case TLogFilterDecision::fdAccept:
                return true;
            case TLogFilterDecision::fdNeutral:
                break;
        }
    }
    return true;
}

void TLogCustomAppender::Append(const TLogEvent& event) {
    // The buffer of the last line, taken rather than shared: an event logged to this appender
    // from inside the layout or the write gets a buffer of its own.
    std::string line = std::move(lineBuffer_);
    line.clear();
    layout_->AppendFormatted(event, line);
    DoAppendText(line);
    if (line.capacity() <= MaxKeptLineBuffer)
        lineBuffer_ = std::move(line);
}

void TLogCustomAppender::WriteFooter() {
    if (layout_)
        DoAppendText(layout_->GetFooter());
}

void TLogCustomAppender::WriteHeader() {
    if (layout_)
        DoAppendText(layout_->GetHeader());
}

void TLogCustomAppender::Close() {
    std::lock_guard guard(lock_);
    if (closed_)
        return;
    try {
        WriteFooter();
    } catch (const ELogFileError& e) {
        ReportFailure(&e, e.ErrorCode, nullptr);
    } catch (const std::exception& e) {
        ReportFailure(&e, 0, nullptr);
    } catch (...) {
        ReportFailure(nullptr, 0, nullptr);
    }
    closed_ = true;
}

std::string TLogCustomAppender::GetName() {
    std::lock_guard guard(lock_);
    return name_;
}

void TLogCustomAppender::SetName(std::string_view name) {
    std::lock_guard guard(lock_);
    name_ = name;
}

ILogLayoutPtr TLogCustomAppender::GetLayout() {
    std::lock_guard guard(lock_);
    return layout_;
}

void TLogCustomAppender::SetLayout(ILogLayoutPtr layout) {
    std::lock_guard guard(lock_);
    layout_ = std::move(layout);
}

ILogErrorHandlerPtr TLogCustomAppender::GetErrorHandler() {
    std::lock_guard guard(lock_);
    return errorHandler_;
}

void TLogCustomAppender::SetErrorHandler(ILogErrorHandlerPtr handler) {
    std::lock_guard guard(lock_);
    errorHandler_ = std::move(handler);
}

void TLogCustomAppender::AddFilter(ILogFilterPtr filter) {
    std::lock_guard guard(lock_);
    if (filter && std::find(filters_.begin(), filters_.end(), filter) == filters_.end())
        filters_.push_back(std::move(filter));
}

void TLogCustomAppender::RemoveFilter(const ILogFilterPtr& filter) {
    std::lock_guard guard(lock_);
    filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void TLogCustomAppender::RemoveAllFilters() {
    std::lock_guard guard(lock_);
    filters_.clear();
}
