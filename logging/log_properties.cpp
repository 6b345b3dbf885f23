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
    return properties;
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
    for (const auto& [key, value] : lines_) {
        if (SameText(key, name))
            return value;
    }
    return std::nullopt;
}
