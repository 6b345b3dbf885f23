// Statement texts through the naming of bare parameter markers, as the prepared-query pool does it.
// Names are only ever added, and the named text leaves no bare marker behind.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firebird/unnamed_params.h"

namespace {

void Expect(bool holds) {
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string sql(reinterpret_cast<const char*>(data), size);
    const std::string named = NameUnnamedParams(sql);
    Expect(named.size() >= sql.size());
    Expect(NameUnnamedParams(named) == named);
    return 0;
}
