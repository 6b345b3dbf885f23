#include "platform/rtl/stream.h"

#include <algorithm>
#include <vector>

namespace {
constexpr std::int64_t kCopyBlock = 61440;
}

std::int64_t TStream::Size() {
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count <= 0)
        return 0;
    std::vector<char> block(static_cast<std::size_t>(std::min(count, kCopyBlock)));
    for (std::int64_t left = count; left > 0;) {
        const std::int64_t n = std::min(left, kCopyBlock);
        source.ReadBuffer(block.data(), n);
        WriteBuffer(block.data(), n);
        left -= n;
    }
    return count;
}
