#pragma once
// The lines of a configuration file as name=value pairs, in file order.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // The lines whose name begins with prefix, letter case counting, in file order.
    std::vector<const Line*> LinesStartingWith(std::string_view prefix) const;

  private:
    // Built once, when the lines are read: configuring asks for names and prefixes once per
    // logger and appender, and a rescan each time made large files take quadratic time.
    void BuildIndex();

    std::vector<Line> lines_;
    std::unordered_map<std::string, std::size_t> firstByFoldedName_;  // lower-cased name -> line
    std::vector<std::size_t> byName_;  // line numbers ordered by name, then by file order
};
