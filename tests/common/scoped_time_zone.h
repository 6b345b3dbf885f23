#pragma once
// Runs a test under a given TZ and puts the previous one back afterwards.
#include <cstdlib>
#include <ctime>
#include <optional>
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

    void Set(const std::string& zone) {
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }

  private:
    std::optional<std::string> previous_;
};
