#include "data_controls/memory_stream_eh.h"

#include <cstdlib>
#include <limits>

#include "platform/rtl/stream.h"

void* TMemoryStreamEh::Realloc(std::int64_t& newCapacity) {
    const std::int64_t step = 2 * static_cast<std::int64_t>(HalfMemoryDelta);
    if (newCapacity > 0 && newCapacity != Size() && step > 0)
        newCapacity = (newCapacity + step - 1) / step * step;
    if (newCapacity == Capacity())
        return Memory();
    if (newCapacity == 0) {
        std::free(Memory());
        return nullptr;
    }
    void* block = static_cast<std::uint64_t>(newCapacity) > std::numeric_limits<std::size_t>::max()
                      ? nullptr
                      : std::realloc(Memory(), static_cast<std::size_t>(newCapacity));
    if (block == nullptr)
        throw EStreamError("Out of memory while expanding memory stream");
    return block;
}
