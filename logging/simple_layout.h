#pragma once
// "level - message" lines.
#include "logging/custom_layout.h"

class TLogSimpleLayout : public TLogCustomLayout {
  public:
    std::string Format(const TLogEvent& event) override;
};
