#include "logging/filters.h"

#include "logging/log_event.h"
#include "platform/rtl/strings.h"

void TLogCustomFilter::SetOption(std::string_view name, std::string_view value) {
    ILogFilter::SetOption(name, value);
    if (name == "acceptOnMatch")
        acceptOnMatch_ = LogStrToBool(value, true);
}

void TLogLevelMatchFilter::SetOption(std::string_view name, std::string_view value) {
    TLogCustomFilter::SetOption(name, value);
    if (name == "match")
        levelToMatch_ = TLogLevel::GetLevel(value);
}

TLogFilterDecision TLogLevelMatchFilter::Decide(const TLogEvent& event) {
    if (levelToMatch_ && levelToMatch_->Value() == event.Level->Value())
        return OnMatch();
    return TLogFilterDecision::fdNeutral;
}

void TLogLevelRangeFilter::SetOption(std::string_view name, std::string_view value) {
    TLogCustomFilter::SetOption(name, value);
    if (name == "maximum")
        levelMax_ = TLogLevel::GetLevel(value);
    if (name == "minimum")
        levelMin_ = TLogLevel::GetLevel(value);
}

TLogFilterDecision TLogLevelRangeFilter::Decide(const TLogEvent& event) {
    if (levelMax_ && levelMin_ && event.Level->IsGreaterOrEqual(levelMin_) &&
        levelMax_->IsGreaterOrEqual(event.Level))
        return OnMatch();
    return TLogFilterDecision::fdNeutral;
}

void TLogStringFilter::SetOption(std::string_view name, std::string_view value) {
    TLogCustomFilter::SetOption(name, value);
    if (name == "ignoreCase")
        ignoreCase_ = LogStrToBool(value, ignoreCase_);
    if (name == "match")
        matchString_ = value;
}

TLogFilterDecision TLogStringFilter::Decide(const TLogEvent& event) {
    if (matchString_.empty())
        return TLogFilterDecision::fdNeutral;
    const bool found =
        ignoreCase_ ? AnsiLowerCase(event.Message).find(AnsiLowerCase(matchString_)) != std::string::npos
                    : event.Message.find(matchString_) != std::string_view::npos;
    return found ? OnMatch() : TLogFilterDecision::fdNeutral;
}
