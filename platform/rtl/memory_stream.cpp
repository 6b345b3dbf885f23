#include "platform/rtl/memory_stream.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/rtl/file_stream.h"

void TCustomMemoryStream::SetPointer(void* memory, std::int64_t size) {
    memory_ = memory;
    size_ = size;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
    if (position_ < 0 || count <= 0 || position_ >= size_)
        return 0;
    const std::int64_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, static_cast<const char*>(memory_) + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : size_;
    std::int64_t position = 0;
    if (__builtin_add_overflow(base, offset, &position))
        return -1;
    position_ = position;
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TMemoryStream::~TMemoryStream() {
    std::free(Memory());
}

void* TMemoryStream::Realloc(std::int64_t& newCapacity) {
    if (newCapacity > 0 && newCapacity != Size())
        newCapacity = (newCapacity + (MemoryDelta - 1)) & ~(MemoryDelta - 1);
    return ResizeBlock(newCapacity);
}

void* TMemoryStream::ResizeBlock(std::int64_t newCapacity) {
    if (newCapacity == capacity_)
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

void TMemoryStream::SetCapacity(std::int64_t newCapacity) {
    void* block = Realloc(newCapacity);
    SetPointer(block, std::min(Size(), newCapacity));
    capacity_ = newCapacity;
}

void TMemoryStream::TakeSize(std::int64_t size) {
    const std::int64_t old = Size();
    SetPointer(Memory(), size);
    if (size > old)
        std::memset(static_cast<char*>(Memory()) + old, 0, static_cast<std::size_t>(size - old));
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize < 0)
        throw EStreamError("Stream size can not be negative");
    SetCapacity(newSize);
    TakeSize(newSize);
    if (position_ > newSize)
        Seek(0, soEnd);
}

void TMemoryStream::Clear() {
    SetCapacity(0);
    SetPointer(nullptr, 0);
    position_ = 0;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (position_ < 0 || count <= 0)
        return 0;
    if (count > std::numeric_limits<std::int64_t>::max() - position_)
        return 0;
    const std::int64_t end = position_ + count;
    if (end > capacity_)
        SetCapacity(end);
    // Only a gap between the old end and the position reads as zeros; the rest is written now.
    if (end > Size()) {
        if (position_ > Size())
            TakeSize(position_);
        SetPointer(Memory(), end);
    }
    std::memcpy(static_cast<char*>(Memory()) + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    const std::int64_t count = stream.Size();
    SetSize(count);
    stream.ReadBuffer(Memory(), count);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}
