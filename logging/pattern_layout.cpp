#include "logging/pattern_layout.h"

#include "logging/log_event.h"

namespace {
const char* const PatternOption = "pattern";
}

TLogPatternLayout::TLogPatternLayout(std::string_view pattern) {
    SetOption(PatternOption, pattern);
}

void TLogPatternLayout::SetOption(std::string_view name, std::string_view value) {
    TLogCustomLayout::SetOption(name, value);
    if (name == PatternOption && !value.empty())
        Compile(value);
}

void TLogPatternLayout::Compile(std::string_view pattern) {
    pattern_ = pattern;
    parts_ = ParsePattern(pattern);
    formatters_ = MakePatternFormatters(parts_);
}

std::string TLogPatternLayout::Format(const TLogEvent& event) {
    std::string line;
    AppendFormatted(event, line);
    return line;
}

void TLogPatternLayout::AppendFormatted(const TLogEvent& event, std::string& out) {
    out.reserve(out.size() + pattern_.size() + event.Message.size() + 96);
    for (const auto& formatter : formatters_) formatter->Append(event, *this, out);
}
