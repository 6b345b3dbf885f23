// Connection and transaction settings as a person writes them, through the parameter block
// builders. A block that is built must read back as exactly one cluster per non-empty line, each
// within its length byte, or the server would read the rest as other parameters.
#include <ibase.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "firebird/db_param_lines.h"
#include "firebird/fib_errors.h"
#include "firebird/param_block_names.h"
#include "firebird/param_blocks.h"
#include "firebird/str_basics.h"

namespace {

int NonEmptyLines(const TStrings& lines) {
    int count = 0;
    for (int i = 0; i < lines.Count(); ++i) count += IsBlankStr(lines[i]) ? 0 : 1;
    return count;
}

bool TpbClusterHasLength(unsigned char code) {
    return code == isc_tpb_lock_read || code == isc_tpb_lock_write || code == isc_tpb_lock_timeout;
}

// Walks the clusters after the version byte; every DPB cluster has a length byte, a TPB one only
// for the codes that carry a value.
int CountClusters(const std::string& block, bool dpb) {
    std::size_t at = 1;
    int clusters = 0;
    while (at < block.size()) {
        const auto code = static_cast<unsigned char>(block[at++]);
        if (dpb || TpbClusterHasLength(code)) {
            if (at >= block.size())
                std::abort();
            at += 1 + static_cast<unsigned char>(block[at]);
        }
        ++clusters;
    }
    if (at != block.size())
        std::abort();
    return clusters;
}

template <typename Build>
void CheckBuild(const std::string& text, Build build, bool dpb) {
    TStringList lines;
    lines.SetText(text);
    std::string block;
    try {
        block = build(lines);
    } catch (const EFIBClientError&) {
        return;
    } catch (const EConvertError&) {
        return;
    }
    if (!dpb && lines.Count() == 0) {
        if (!block.empty())
            std::abort();
        return;
    }
    const char version = dpb ? isc_dpb_version1 : isc_tpb_version3;
    if (block.empty() || block[0] != version || CountClusters(block, dpb) != NonEmptyLines(lines))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckBuild(text, BuildDPB, true);
    CheckBuild(text, BuildTPB, false);

    // The first line set again under its own name, and its value under a code taken from the size.
    TStringList params;
    params.SetText(text);
    const std::string first = params.Count() > 0 ? params[0] : std::string();
    const std::size_t equals = first.find('=');
    const std::string name = first.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : first.substr(equals + 1);
    SetDBParamValue(params, name, value);
    const int code = static_cast<int>(size % 70) - 1;
    DBParamValue(params, code);
    SetDBParamValueByCode(params, code, value);
    const bool dpbCode = code >= 1 && code <= static_cast<int>(DpbParameterNames.size());
    if (dpbCode && !value.empty() && DBParamValue(params, code) != value)
        std::abort();  // a parameter just set reads back
    return 0;
}
