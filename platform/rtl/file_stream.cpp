#include "platform/rtl/file_stream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/os/os_error.h"
#include "platform/rtl/format.h"

namespace {

// Moves count bytes in chunks the system takes (read and write return short counts and may be
// interrupted); stops at the end of the file or at an error, returning how much was moved.
template <class Transfer>
std::int64_t TransferAll(std::int64_t count, Transfer transfer) {
    std::int64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(count - done, 1 << 30));
        const ssize_t n = transfer(done, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

int AccessFlags(unsigned mode) {
    if ((mode & fmCreate) == fmCreate)
        return O_RDWR | O_CREAT;
    switch (mode & 0x3) {
        case fmOpenRead:
            return O_RDONLY;
        case fmOpenWrite:
            return O_WRONLY;
        case fmOpenReadWrite:
            return O_RDWR;
        default:
            return -1;
    }
}

// 0 when the share flag takes no lock.
int LockFor(unsigned mode) {
    switch (mode & 0xF0) {
        case fmShareExclusive:
            return LOCK_EX;
        case fmShareDenyWrite:
        case fmShareDenyRead:
            return LOCK_SH;
        default:
            return 0;
    }
}

[[noreturn]] void OpenFailed(const std::string& fileName, unsigned mode, int error) {
    const std::string reason = std::strerror(error);
    if ((mode & fmCreate) == fmCreate)
        throw EFCreateError(Format("Cannot create file \"%s\". %s", {fileName, reason}));
    throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, reason}));
}

// Opens, locks and (for fmCreate) truncates; returns the handle or the errno of the failed step.
int OpenLocked(const std::string& fileName, unsigned mode, unsigned rights, int& error) {
    const int flags = AccessFlags(mode);
    if (flags < 0) {
        error = EINVAL;
        return -1;
    }
    const int handle = ::open(fileName.c_str(), flags | O_CLOEXEC, static_cast<mode_t>(rights));
    if (handle < 0) {
        error = errno;
        return -1;
    }
    const int lock = LockFor(mode);
    const bool locked = lock == 0 || ::flock(handle, lock | LOCK_NB) == 0;
    const bool truncated = locked && ((mode & fmCreate) != fmCreate || ::ftruncate(handle, 0) == 0);
    if (!truncated) {
        error = errno;
        ::close(handle);
        return -1;
    }
    return handle;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode, unsigned rights) : fileName_(fileName) {
    int error = 0;
    handle_ = OpenLocked(fileName, mode, rights, error);
    if (handle_ < 0)
        OpenFailed(fileName, mode, error);
}

TFileStream::~TFileStream() {
    ::close(handle_);
}

std::int64_t ReadFromFile(int handle, void* buffer, std::int64_t count) {
    return TransferAll(count, [&](std::int64_t done, std::size_t chunk) {
        return ::read(handle, static_cast<char*>(buffer) + done, chunk);
    });
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    return ReadFromFile(handle_, buffer, count);
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    return TransferAll(count, [&](std::int64_t done, std::size_t chunk) {
        return ::write(handle_, static_cast<const char*>(buffer) + done, chunk);
    });
}

std::int64_t SeekFile(int handle, std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(handle, static_cast<off_t>(offset), whence);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    return SeekFile(handle_, offset, origin);
}

void SetFileSize(int handle, std::int64_t newSize) {
    if (::ftruncate(handle, static_cast<off_t>(newSize)) != 0) {
        const int error = errno;
        throw EOSError(Format("System Error.  Code: %d.\r\n%s", {error, std::strerror(error)}), error);
    }
}

void TFileStream::SetSize(std::int64_t newSize) {
    const std::int64_t position = Position();
    SetFileSize(handle_, newSize);
    if (position > newSize)
        Seek(0, soEnd);
}
