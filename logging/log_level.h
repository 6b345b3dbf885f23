#pragma once
// Levels: a name and a value, kept in one process-wide list sorted from the highest value down.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TLogLevel {
  public:
    // Registers a new level: one with the same value as a registered level takes its place.
    static const TLogLevel* Create(std::string name, std::int32_t value);
    // Exact name lookup, letter case included.
    static const TLogLevel* GetLevel(std::string_view name, const TLogLevel* defaultLevel);
    static const TLogLevel* GetLevel(std::string_view name);  // default: debug
    // The registered levels, highest value first.
    static std::vector<const TLogLevel*> Levels();

    static const TLogLevel* All();
    static const TLogLevel* Debug();
    static const TLogLevel* Info();
    static const TLogLevel* Warn();
    static const TLogLevel* Error();
    static const TLogLevel* Fatal();
    static const TLogLevel* Off();

    const std::string& Name() const { return name_; }
    std::int32_t Value() const { return value_; }
    bool IsGreaterOrEqual(const TLogLevel* other) const { return value_ >= other->value_; }

    TLogLevel(std::string name, std::int32_t value) : name_(std::move(name)), value_(value) {}

  private:
    std::string name_;
    std::int32_t value_;
};
