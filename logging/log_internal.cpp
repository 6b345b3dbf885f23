#include "logging/log_internal.h"

#include "logging/log_hierarchy.h"
#include "logging/ods_appender.h"
#include "logging/simple_layout.h"

TLogLog::TLogLog() : TLogLogger("") {
    SetLevel(TLogLevel::Debug());
    AddAppender(std::make_shared<TLogODSAppender>("", std::make_shared<TLogSimpleLayout>()));
}

bool TLogLog::Drops(const TLogLevel* level) const {
    return level->Value() <= TLogLevel::Debug()->Value() && !InternalDebugging();
}

void TLogLog::Log(const TLogLevel* level, std::string_view message, const std::exception* error) {
    if (!Drops(level))
        TLogLogger::Log(level, message, error);
}

void TLogLog::Log(const TLogLevel* level, const TLogObject& message, const std::exception* error) {
    if (!Drops(level))
        TLogLogger::Log(level, message, error);
}

TLogLog& LogLog() {
    static TLogLog* log = [] {
        auto* internal = new TLogLog;  // lives to the end of the process: any late message may use it
        internal->SetHierarchy(&LogHierarchy());
        return internal;
    }();
    return *log;
}
