#include "logging/simple_layout.h"

#include "logging/log_event.h"
#include "logging/log_level.h"

std::string TLogSimpleLayout::Format(const TLogEvent& event) {
    std::string line;
    line.reserve(event.Level->Name().size() + event.Message.size() + 5);
    line.append(event.Level->Name()).append(" - ").append(event.Message).append("\r\n");
    return line;
}
