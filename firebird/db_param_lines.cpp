#include "firebird/db_param_lines.h"

#include "firebird/param_block_names.h"
#include "firebird/str_basics.h"

namespace {

constexpr std::string_view kDpbPrefix = "isc_dpb_";

// The parameter name of a line: the text before the first "=", without blanks around it, in
// lower case and without the prefix.
std::string LineParamName(std::string_view line) {
    std::string name(line.substr(0, line.find('=')));
    TrimInPlace(name);
    AsciiLowerCaseInPlace(name);
    if (name.starts_with(kDpbPrefix))
        name.erase(0, kDpbPrefix.size());
    return name;
}

}  // namespace

int DBParamIndex(const TStrings& params, std::string_view name) {
    std::string wanted(name);
    AsciiLowerCaseInPlace(wanted);
    if (wanted.starts_with(kDpbPrefix))
        wanted.erase(0, kDpbPrefix.size());
    if (wanted.empty())
        return -1;
    for (int i = 0; i < params.Count(); ++i)
        if (LineParamName(params[i]) == wanted)
            return i;
    return -1;
}

std::string DBParamValue(const TStrings& params, int code) {
    const std::string_view name = DpbParameterName(code);
    if (name.empty())
        return {};
    const int index = DBParamIndex(params, name);
    if (index < 0)
        return {};
    const std::string& line = params[index];
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

void SetDBParamValue(TStrings& params, std::string_view name, std::string_view value) {
    if (IsBlankStr(name))
        return;  // no parameter to set: a line "=value" would only break the next attach
    const int index = DBParamIndex(params, name);
    if (value.empty()) {
        if (index >= 0)
            params.Delete(index);
        return;
    }
    std::string line = std::string(name) + "=" + std::string(value);
    if (index >= 0)
        params.Put(index, std::move(line));
    else
        params.Add(std::move(line));
}

void SetDBParamValueByCode(TStrings& params, int code, std::string_view value) {
    SetDBParamValue(params, DpbParameterName(code), value);
}
