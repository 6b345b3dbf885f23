#pragma once
// Filters: each says deny, neutral or accept for an event; an appender asks its filters in turn.
#include <string>

#include "logging/log_interfaces.h"
#include "logging/log_level.h"

// On a match: accept when AcceptOnMatch, else deny.
class TLogCustomFilter : public ILogFilter {
  public:
    void SetOption(std::string_view name, std::string_view value) override;
    bool AcceptOnMatch() const { return acceptOnMatch_; }

  protected:
    TLogFilterDecision OnMatch() const {
        return acceptOnMatch_ ? TLogFilterDecision::fdAccept : TLogFilterDecision::fdDeny;
    }

  private:
    bool acceptOnMatch_ = false;
};

class TLogDenyAllFilter : public TLogCustomFilter {
  public:
    TLogFilterDecision Decide(const TLogEvent&) override { return TLogFilterDecision::fdDeny; }
};

// Matches events of exactly one level (option "match").
class TLogLevelMatchFilter : public TLogCustomFilter {
  public:
    void SetOption(std::string_view name, std::string_view value) override;
    TLogFilterDecision Decide(const TLogEvent& event) override;
    const TLogLevel* LevelToMatch() const { return levelToMatch_; }

  private:
    const TLogLevel* levelToMatch_ = nullptr;
};

// Matches events from "minimum" to "maximum", both needed.
class TLogLevelRangeFilter : public TLogCustomFilter {
  public:
    void SetOption(std::string_view name, std::string_view value) override;
    TLogFilterDecision Decide(const TLogEvent& event) override;

  private:
    const TLogLevel* levelMax_ = nullptr;
    const TLogLevel* levelMin_ = nullptr;
};

// Matches events whose message holds a text (option "match"), optionally ignoring letter case.
class TLogStringFilter : public TLogCustomFilter {
  public:
    void SetOption(std::string_view name, std::string_view value) override;
    TLogFilterDecision Decide(const TLogEvent& event) override;

  private:
    bool ignoreCase_ = false;
    std::string matchString_;
};
