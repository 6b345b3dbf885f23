#include "logging/log_file_stream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "logging/log_exception.h"
#include "platform/os/paths.h"
#include "platform/rtl/format.h"

namespace {

[[noreturn]] void RaiseFileError(const char* what, const std::string& fileName, int error) {
    throw ELogFileError(::Format("%s \"%s\". %s", {what, fileName, std::strerror(error)}), error);
}

// The write lock is an open-file-description lock: it excludes other processes and other
// descriptors of this process alike, and never touches the whole-file flock of the open.
bool SetWriteLock(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    while (fcntl(fd, F_OFD_SETLKW, &lock) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Any file but a directory: a device such as /dev/null serves as a log file too.
bool FileOrDeviceExists(const std::string& fileName) {
    struct stat st {};
    return ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsRegularFile(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool ForceDirectories(const std::string& dir) {
    if (dir.empty() || DirectoryExists(dir))
        return true;
    std::string trimmed = dir;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const std::size_t slash = trimmed.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !ForceDirectories(trimmed.substr(0, slash)))
        return false;
    return mkdir(trimmed.c_str(), 0777) == 0 || errno == EEXIST;
}

// Appending never empties the file: another process may have created it and written to it
// since we looked.
TLogFileStream::TLogFileStream(std::string fileName, bool append, TLogFileLocking locking)
    : fileName_(std::move(fileName)), locking_(locking) {
    const bool openExisting = append && FileOrDeviceExists(fileName_);
    if (!openExisting)
        ForceDirectories(ExtractFilePath(fileName_));
    // Never through a link: one planted at the log's name would have us write into its target.
    fd_ = ::open(fileName_.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_CREAT | O_NOFOLLOW, 0666);
    if (fd_ < 0)
        RaiseFileError(openExisting ? "Cannot open file" : "Cannot create file", fileName_, errno);
    try {
        TakeOpenLock();
        if (!append && IsRegularFile(fd_) && ftruncate(fd_, 0) != 0)
            RaiseFileError("Cannot create file", fileName_, errno);
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

TLogFileStream::~TLogFileStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

void TLogFileStream::TakeOpenLock() {
    const int mode = locking_ == TLogFileLocking::flExclusive ? LOCK_EX : LOCK_SH;
    if (flock(fd_, mode | LOCK_NB) != 0)
        RaiseFileError("Cannot open file", fileName_, errno);
}

void TLogFileStream::WriteAtEnd(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd_, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            RaiseFileError("Cannot write to file", fileName_, errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::int64_t TLogFileStream::Size() {
    struct stat st {};
    if (fstat(fd_, &st) != 0)
        RaiseFileError("Cannot read the size of file", fileName_, errno);
    return static_cast<std::int64_t>(st.st_size);
}

void TLogFileStream::LockForRollOver() {
    if (locking_ != TLogFileLocking::flInterProcess || rollOverLocked_)
        return;
    if (!SetWriteLock(fd_, F_WRLCK))
        RaiseFileError("Cannot lock file", fileName_, errno);
    rollOverLocked_ = true;
}

void TLogFileStream::UnlockRollOver() {
    if (!rollOverLocked_)
        return;
    SetWriteLock(fd_, F_UNLCK);
    rollOverLocked_ = false;
}

bool TLogFileStream::StillNamed() const {
    struct stat named {};
    struct stat opened {};
    return ::stat(fileName_.c_str(), &named) == 0 && fstat(fd_, &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}
