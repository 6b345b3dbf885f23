// The server's answer to a blob info request, walked item by item: whatever lengths the items
// claim, the walk must stay inside the answer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "firebird/blob_routines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so that a read past it is caught.
    const std::vector<char> answer(data, data + size);
    const TBlobInfo info = ParseBlobInfo(answer);
    if (size == 0 && (info.Segments | info.MaxSegment | info.TotalLength | info.BlobType) != 0)
        __builtin_trap();
    return 0;
}
