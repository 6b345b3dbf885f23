#include "data_controls/memory_stream_eh.h"

void* TMemoryStreamEh::Realloc(std::int64_t& newCapacity) {
    const std::int64_t step = 2 * static_cast<std::int64_t>(halfMemoryDelta_);
    if (newCapacity > 0 && newCapacity != Size() && step > 0)
        newCapacity = (newCapacity + step - 1) / step * step;
    return ResizeBlock(newCapacity);
}
