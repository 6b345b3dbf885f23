// Statement texts given to a dataset by position: every "?" outside quoted text and comments gets a
// numbered name, and the numbered text has no bare marker left outside them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firebird/unnamed_params.h"

namespace {

void Expect(bool holds) {
    if (!holds)
        std::abort();
}

// The markers outside quoted text and comments.
int BareMarkers(const std::string& sql) {
    int count = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const std::size_t end = SkipQuotedOrComment(sql, i);
        if (end != i) {
            Expect(end > i && end <= sql.size());
            i = end;
            continue;
        }
        count += sql[i++] == '?';
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string sql(reinterpret_cast<const char*>(data), size);
    const int markers = BareMarkers(sql);
    const std::string numbered = NumberPositionalParams(sql);
    Expect(BareMarkers(numbered) == 0);
    Expect(numbered.size() >= sql.size() + static_cast<std::size_t>(markers) * 6);
    if (markers > 0)
        Expect(numbered.find(":Param" + std::to_string(markers - 1)) != std::string::npos);
    return 0;
}
