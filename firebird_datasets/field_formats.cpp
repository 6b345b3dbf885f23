#include "firebird_datasets/field_formats.h"

#include <algorithm>

std::string FormatWithDecimals(const std::string& format, int decimals) {
    const std::size_t count = static_cast<std::size_t>(std::max(decimals, 0));
    if (format.empty())
        return format;
    if (format.back() == '.')
        return format + std::string(count, '0');
    if (format.size() >= 2 && format[format.size() - 2] == '.')
        return format.substr(0, format.size() - 1) + std::string(count, format.back());
    return format;
}
