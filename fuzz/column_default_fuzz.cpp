// A column's DEFAULT clause as the system tables of a database hold it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "firebird_datasets/column_default.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TColumnDefault parsed =
        ParseColumnDefault(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.Present && !parsed.Text.empty())
        __builtin_trap();  // no clause gives no text
    return 0;
}
