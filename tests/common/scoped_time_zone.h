#pragma once
// Runs a test under a given TZ and puts the previous one back afterwards.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const std::string& zone) {
        if (const char* current = std::getenv("TZ")) {
            previous_ = current;
        }
        Set(zone);
    }
    ~ScopedTimeZone() {
        if (previous_) {
            setenv("TZ", previous_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

    // Raises when the zone's rules are not installed, since the C library would quietly use UTC.
    void Set(const std::string& zone) {
        const char* dir = std::getenv("TZDIR");
        std::filesystem::path rules =
            std::filesystem::path(dir != nullptr ? dir : "/usr/share/zoneinfo") / zone;
        if (zone != "UTC" && !std::filesystem::exists(rules)) {
            throw std::runtime_error("no rules for the time zone " + zone + " (package tzdata)");
        }
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }

  private:
    std::optional<std::string> previous_;
};
