#include "platform/db/field_list.h"

namespace {

std::string_view Trim(std::string_view text) {
    auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string ExtractFieldName(std::string_view fields, std::size_t& pos) {
    if (pos >= fields.size()) {
        pos = fields.size();
        return {};
    }
    std::size_t end = fields.find(';', pos);
    std::size_t stop = end == std::string_view::npos ? fields.size() : end;
    std::string name(Trim(fields.substr(pos, stop - pos)));
    pos = end == std::string_view::npos ? fields.size() : end + 1;
    return name;
}

std::vector<std::string> SplitFieldNames(std::string_view fields) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < fields.size()) {
        std::string name = ExtractFieldName(fields, pos);
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}
