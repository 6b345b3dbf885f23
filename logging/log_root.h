#pragma once
// The root of the hierarchy: named "root", and never without a level.
#include "logging/logger.h"

class TLogRoot : public TLogLogger {
  public:
    explicit TLogRoot(const TLogLevel* level);
    // nullptr is refused with an internal error and gives debug.
    void SetLevel(const TLogLevel* level) override;
};
