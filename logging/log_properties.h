#pragma once
// The lines of a configuration file as name=value pairs, in file order.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TLogProperties {
  public:
    using Line = std::pair<std::string, std::string>;

    // Splits each line at its first "="; lines without one are left out. Names and values keep
    // their blanks.
    static TLogProperties FromText(std::string_view text);
    // Reads a file; raises ELogFileError when it cannot be read.
    static TLogProperties FromFile(const std::string& fileName);

    // The value of the first line whose whole name matches, letter case aside.
    std::optional<std::string> Find(std::string_view name) const;
    std::string Value(std::string_view name) const { return Find(name).value_or(std::string()); }

    const std::vector<Line>& Lines() const { return lines_; }

  private:
    std::vector<Line> lines_;
};
