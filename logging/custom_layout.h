#pragma once
// Base of the layouts: plain text, no header or footer, the date format option.
#include <string>

#include "logging/log_interfaces.h"

class TLogCustomLayout : public ILogLayout {
  public:
    TLogCustomLayout();
    void SetOption(std::string_view name, std::string_view value) override;

    std::string GetContentType() override { return "text/plain"; }
    std::string GetHeader() override { return {}; }
    std::string GetFooter() override { return {}; }
    bool IgnoresException() override { return true; }

    const std::string& DateFormat() const { return dateFormat_; }

  private:
    std::string dateFormat_;
};
