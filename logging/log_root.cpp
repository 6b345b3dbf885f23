#include "logging/log_root.h"

#include "logging/log_internal.h"

TLogRoot::TLogRoot(const TLogLevel* level) : TLogLogger("root") {
    TLogLogger::SetLevel(level);
}

void TLogRoot::SetLevel(const TLogLevel* level) {
    if (!level) {
        LogLog().Error(std::string_view("The root can't have a nil level"));
        level = TLogLevel::Debug();
    }
    TLogLogger::SetLevel(level);
}
