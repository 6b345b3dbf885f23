#include "platform/rtl/replacing_file_stream.h"

#include <unistd.h>

#include <string_view>

#include "platform/rtl/file_stream.h"

TReplacingFileStream::TReplacingFileStream(const std::string& fileName, mode_t mode)
    : writer_(fileName, mode) {}

std::int64_t TReplacingFileStream::Read(void* buffer, std::int64_t count) {
    writer_.Flush();
    return ReadFromFile(writer_.Handle(), buffer, count);
}

std::int64_t TReplacingFileStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    writer_.Write(std::string_view(static_cast<const char*>(buffer), static_cast<std::size_t>(count)));
    return count;
}

std::int64_t TReplacingFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    // Asking for the position keeps the buffer.
    if (offset == 0 && origin == soCurrent) {
        const std::int64_t flushed = SeekFile(writer_.Handle(), 0, soCurrent);
        return flushed < 0 ? -1 : flushed + static_cast<std::int64_t>(writer_.Pending());
    }
    writer_.Flush();
    return SeekFile(writer_.Handle(), offset, origin);
}

void TReplacingFileStream::SetSize(std::int64_t newSize) {
    const std::int64_t position = Position();
    writer_.Flush();
    SetFileSize(writer_.Handle(), newSize);
    if (position > newSize)
        Seek(0, soEnd);
}
