#pragma once
// Accepts every event and writes nothing.
#include "logging/custom_appender.h"

class TLogNullAppender : public TLogCustomAppender {
  public:
    using TLogCustomAppender::TLogCustomAppender;

  protected:
    void DoAppendText(std::string_view) override {}
};
