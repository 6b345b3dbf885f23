#include "logging/log_properties.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "logging/log_exception.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

TLogProperties TLogProperties::FromText(std::string_view text) {
    TLogProperties properties;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = text.substr(pos, end - pos);
        if (const std::size_t eq = line.find('='); eq != std::string_view::npos)
            properties.lines_.emplace_back(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    properties.BuildIndex();
    return properties;
}

void TLogProperties::BuildIndex() {
    byName_.resize(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        byName_[i] = i;
        firstByFoldedName_.try_emplace(LowerCase(lines_[i].first), i);
    }
    std::stable_sort(byName_.begin(), byName_.end(),
                     [this](std::size_t a, std::size_t b) { return lines_[a].first < lines_[b].first; });
}

TLogProperties TLogProperties::FromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw ELogFileError(::Format("Cannot open file \"%s\". %s", {fileName, std::strerror(errno)}), errno);
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        throw ELogFileError(::Format("Cannot read file \"%s\"", {fileName}), 0);
    return FromText(buffer.str());
}

std::optional<std::string> TLogProperties::Find(std::string_view name) const {
    const auto it = firstByFoldedName_.find(LowerCase(name));
    if (it == firstByFoldedName_.end())
        return std::nullopt;
    return lines_[it->second].second;
}

std::vector<const TLogProperties::Line*> TLogProperties::LinesStartingWith(std::string_view prefix) const {
    auto it =
        std::lower_bound(byName_.begin(), byName_.end(), prefix,
                         [this](std::size_t line, std::string_view p) { return lines_[line].first < p; });
    std::vector<std::size_t> found;
    for (; it != byName_.end() && std::string_view(lines_[*it].first).starts_with(prefix); ++it)
        found.push_back(*it);
    std::sort(found.begin(), found.end());
    std::vector<const Line*> result;
    result.reserve(found.size());
    for (std::size_t line : found) result.push_back(&lines_[line]);
    return result;
}
