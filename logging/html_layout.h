#pragma once
// An HTML page: the header opens a table, each event is a row, the footer closes the page.
// Texts taken from events and options are escaped, so a message cannot break the page.
#include "logging/custom_layout.h"

class TLogHTMLLayout : public TLogCustomLayout {
  public:
    void SetOption(std::string_view name, std::string_view value) override;

    std::string GetContentType() override { return "text/html"; }
    std::string GetHeader() override;
    std::string GetFooter() override;
    std::string Format(const TLogEvent& event) override;
    bool IgnoresException() override { return false; }

    const std::string& Title() const { return title_; }

  private:
    std::string title_;
};

// "<", ">", "&", '"' and "'" as HTML entities.
std::string HtmlEscape(std::string_view text);
