// Gzip bodies from the network: unpacking any bytes, and packing them back and forth unchanged.
#include <cstdlib>

#include "api_client/gzip_util.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    std::string unpacked;
    GunzipStream(body, unpacked);
    std::string packed, again;
    if (!GzipStream(body, packed) || !GunzipStream(packed, again) || again != body)
        std::abort();
    return 0;
}
