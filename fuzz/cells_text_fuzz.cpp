// The special row's cell texts, as stored forms give them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data_controls/spec_row.h"

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

std::string Quoted(const std::string& cell) {
    std::string out = "\"";
    for (char c : cell) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> cells = ParseCellsText(text);
    std::size_t total = 0;
    for (const std::string& cell : cells) total += cell.size();
    Check(total <= size);
    // Every cell written back quoted reads back as it was.
    std::string written;
    for (std::size_t i = 0; i < cells.size(); ++i) written += (i > 0 ? ";" : "") + Quoted(cells[i]);
    Check(ParseCellsText(written) == cells);
    return 0;
}
