#include "platform/os/replacing_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os/os_error.h"

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kNameTries = 100;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RandomSuffix() {
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    unsigned char bytes[8] = {};
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes))
        throw EOSError(std::string("Cannot draw a random file name. ") + std::strerror(errno), errno);
    std::string suffix;
    for (unsigned char b : bytes) suffix += digits[b % 36];
    return suffix;
}

// A hidden name beside the target: "<folder>/.<name>.<random>".
std::string TemporaryNameFor(const std::string& target) {
    const std::size_t slash = target.find_last_of('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return FolderOf(target) + "/." + name + "." + RandomSuffix();
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The rename is kept across a power cut only once the folder is on the disk too.
void SyncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

ReplacingFileWriter::ReplacingFileWriter(std::string target, mode_t mode) : target_(std::move(target)) {
    // Refused before any byte is written: a folder cannot be replaced by a file.
    if (target_.empty() || target_.back() == '/' || IsDirectory(target_))
        Fail("Cannot create file", EISDIR);
    for (int i = 0; i < kNameTries && fd_ < 0; ++i) {
        temporary_ = TemporaryNameFor(target_);
        fd_ = ::open(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        const int error = errno;
        temporary_.clear();
        Fail("Cannot create file", error);
    }
    buffer_.reserve(kBufferSize);
}

ReplacingFileWriter::~ReplacingFileWriter() {
    Discard();
}

void ReplacingFileWriter::Discard() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

void ReplacingFileWriter::Fail(const char* what, int error) {
    Discard();
    throw EOSError(std::string(what) + " \"" + target_ + "\". " + std::strerror(error), error);
}

void ReplacingFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0)
        Fail("Cannot write file", EBADF);
    if (buffer_.size() + bytes.size() > kBufferSize)
        Flush();
    if (bytes.size() >= kBufferSize)
        WriteThrough(bytes);
    else
        buffer_ += bytes;
}

void ReplacingFileWriter::Flush() {
    WriteThrough(buffer_);
    buffer_.clear();
}

void ReplacingFileWriter::WriteThrough(std::string_view rest) {
    while (!rest.empty()) {
        const ssize_t n = ::write(fd_, rest.data(), rest.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("Cannot write file", n < 0 ? errno : EIO);
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
}

void ReplacingFileWriter::Commit() {
    if (fd_ < 0)
        Fail("Cannot write file", EBADF);
    Flush();
    if (::fsync(fd_) != 0)
        Fail("Cannot write file", errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    // Renaming replaces a link at the target itself; it never writes to what the link names.
    if (closed != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        Fail("Cannot write file", error);
    }
    SyncFolder(target_);
}

void ReplaceFileContents(const std::string& target, std::string_view bytes, mode_t mode) {
    ReplacingFileWriter writer(target, mode);
    writer.Write(bytes);
    writer.Commit();
}
