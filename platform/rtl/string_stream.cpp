#include "platform/rtl/string_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

std::int64_t TStringStream::Read(void* buffer, std::int64_t count) {
    if (position_ < 0 || count <= 0 || position_ >= Size())
        return 0;
    const std::int64_t n = std::min(count, Size() - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TStringStream::Write(const void* buffer, std::int64_t count) {
    if (position_ < 0 || count <= 0 || count > std::numeric_limits<std::int64_t>::max() - position_)
        return 0;
    const std::int64_t end = position_ + count;
    if (end > Size())
        data_.resize(static_cast<std::size_t>(end), '\0');
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    std::int64_t position = 0;
    if (__builtin_add_overflow(base, offset, &position))
        return -1;
    position_ = position;
    return position_;
}

void TStringStream::SetSize(std::int64_t newSize) {
    if (newSize < 0)
        throw EStreamError("Stream size can not be negative");
    data_.resize(static_cast<std::size_t>(newSize), '\0');
    position_ = std::min(position_, newSize);
}

std::string TStringStream::ReadString(std::int64_t count) {
    std::string text(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, Size())), '\0');
    text.resize(static_cast<std::size_t>(Read(text.data(), static_cast<std::int64_t>(text.size()))));
    return text;
}
