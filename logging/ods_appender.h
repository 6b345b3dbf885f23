#pragma once
// Writes each formatted event to the debug output.
#include "logging/custom_appender.h"

class TLogODSAppender : public TLogCustomAppender {
  public:
    using TLogCustomAppender::TLogCustomAppender;
    ~TLogODSAppender() override;

  protected:
    void DoAppendText(std::string_view text) override;
};
