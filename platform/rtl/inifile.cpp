#include "platform/rtl/inifile.h"

#include <fstream>
#include <sstream>

#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

std::string StripQuotes(std::string v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::string StripLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return line;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    std::ifstream in(fileName_, std::ios::binary);
    if (!in)
        return;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        line = StripLineEnd(line);
        if (first && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);  // a UTF-8 byte-order mark
        first = false;
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            auto close = t.find(']');
            sections_.push_back(
                {Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1)), {}});
            continue;
        }
        if (sections_.empty())
            continue;
        auto eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = Trim(t.substr(0, eq));
        std::string value = StripQuotes(Trim(t.substr(eq + 1)));
        value.resize(Utf8Left(value, MaxValueLength).size());  // characters, never half of one
        if (key.empty())
            continue;
        sections_.back().entries.push_back({std::move(key), std::move(value)});
    }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (AnsiSameText(s.name, name))
            return &s;
    return nullptr;
}

const TIniFile::Entry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
    // Like the system's reader: the first section of that name, the first key of that name in it.
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    for (const auto& e : s->entries)
        if (AnsiSameText(e.key, key))
            return &e;
    return nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Entry* e = FindEntry(section, key);
    return e ? e->value : std::string(def);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const {
    const Entry* e = FindEntry(section, key);
    return e ? StrToIntDef(e->value, def) : def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    const Entry* e = FindEntry(section, key);
    if (!e)
        return def;
    std::int32_t n;
    if (TryStrToInt(e->value, n))
        return n != 0;
    if (SameText(e->value, "true"))
        return true;
    if (SameText(e->value, "false"))
        return false;
    return def;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries) keys.push_back(e.key);
    return keys;
}
