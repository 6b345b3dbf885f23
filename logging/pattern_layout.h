#pragma once
// Lines built from a conversion pattern such as "%d %p [%c] (%h:%w:%a:%t) - %m%n".
// The pattern is compiled when it is set; formatting only runs the compiled parts.
#include <memory>
#include <vector>

#include "logging/custom_layout.h"
#include "logging/pattern_parts.h"

class TLogPatternLayout : public TLogCustomLayout {
  public:
    TLogPatternLayout() = default;
    explicit TLogPatternLayout(std::string_view pattern);

    void SetOption(std::string_view name, std::string_view value) override;
    // Final: appenders call AppendFormatted, which an override of Format alone would not change.
    std::string Format(const TLogEvent& event) final;
    void AppendFormatted(const TLogEvent& event, std::string& out) final;

    const std::string& Pattern() const { return pattern_; }
    const std::vector<TLogPatternPart>& Parts() const { return parts_; }

  private:
    void Compile(std::string_view pattern);

    std::string pattern_;
    std::vector<TLogPatternPart> parts_;
    std::vector<std::unique_ptr<TLogPatternFormatter>> formatters_;
};
