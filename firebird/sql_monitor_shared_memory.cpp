#include "firebird/sql_monitor_shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "firebird/fib_errors.h"

namespace {

constexpr mode_t OwnerOnly = 0600;

[[noreturn]] void RaiseSharedResourceError(int error) {
    RaiseClientError(fceCannotCreateSharedResource, {error});
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

void* MapWhole(int fd, std::size_t size) {
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED)
        RaiseSharedResourceError(errno);
    return data;
}

// Another user's object, or one readable by others, is not ours to trust.
void CheckOwnership(const struct stat& info) {
    if (info.st_uid != geteuid() || (info.st_mode & 077) != 0)
        RaiseSharedResourceError(EACCES);
}

}  // namespace

std::string MonitorObjectName(std::string_view prefix, std::string_view name) {
    std::string result = "/";
    for (const char c : prefix) result += c == '/' ? '_' : c;
    result += name;
    return result;
}

std::unique_ptr<TNamedSharedMemory> TNamedSharedMemory::CreateOrOpen(const std::string& name,
                                                                     std::size_t size,
                                                                     std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (true) {
        FileDescriptor created(shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, OwnerOnly));
        if (created.get() >= 0) {
            // fchmod, not the umask, decides the mode; ftruncate fills the object with zeros.
            if (fchmod(created.get(), OwnerOnly) != 0 ||
                ftruncate(created.get(), static_cast<off_t>(size)) != 0) {
                const int error = errno;
                shm_unlink(name.c_str());
                RaiseSharedResourceError(error);
            }
            return std::unique_ptr<TNamedSharedMemory>(
                new TNamedSharedMemory(MapWhole(created.get(), size), size, true));
        }
        if (errno != EEXIST)
            RaiseSharedResourceError(errno);
        FileDescriptor existing(shm_open(name.c_str(), O_RDWR | O_CLOEXEC, 0));
        if (existing.get() < 0 && errno != ENOENT)
            RaiseSharedResourceError(errno);
        if (existing.get() >= 0) {
            struct stat info {};
            if (fstat(existing.get(), &info) != 0)
                RaiseSharedResourceError(errno);
            CheckOwnership(info);
            // Mapping beyond the object's end would fault on first touch.
            if (static_cast<std::size_t>(info.st_size) >= size)
                return std::unique_ptr<TNamedSharedMemory>(
                    new TNamedSharedMemory(MapWhole(existing.get(), size), size, false));
        }
        // Removed between the two opens, or its creator has not sized it yet.
        if (std::chrono::steady_clock::now() >= deadline)
            RaiseSharedResourceError(existing.get() < 0 ? ENOENT : EINVAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TNamedSharedMemory::~TNamedSharedMemory() {
    munmap(data_, size_);
}

void TNamedSharedMemory::Unlink(const std::string& name) {
    shm_unlink(name.c_str());
}
