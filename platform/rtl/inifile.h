#pragma once
// TIniFile: a settings file of [sections] and key=value lines, read once when opened.
// Sections and keys are found without regard to letter case; a value is the text after the first
// "=", with surrounding blanks and one pair of enclosing quotes removed, cut to 2047 characters.
// A missing file, section or key gives the default.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class TIniFile {
  public:
    explicit TIniFile(std::string fileName);
    const std::string& FileName() const { return fileName_; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // The integer rule of StrToInt; an empty or unreadable value gives the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    // An integer not zero is true; "True" / "False" in any case are read too; anything else gives the
    // default.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    std::vector<std::string> ReadSection(std::string_view section) const;  // key names in file order

    static constexpr std::size_t MaxValueLength = 2047;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(std::string_view name) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;

    std::string fileName_;
    std::vector<Section> sections_;
};
