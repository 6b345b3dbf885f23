#pragma once
// A named POSIX shared memory object, mapped whole. Objects are made readable and writable by
// their owner only, and an object someone else owns is refused, so no other local user reads the
// traced SQL or feeds the channel.
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// The POSIX name of one of the channel's objects. POSIX wants a leading '/' and no other: the
// channel's names ("FIB.SQL.MONITOR.SharedMem" ...) hold none, so they get a '/' in front, after
// the prefix that keeps one channel apart from another (tests use one each); a '/' in the prefix
// becomes '_'.
std::string MonitorObjectName(std::string_view prefix, std::string_view name);

class TNamedSharedMemory {
  public:
    // Creates the object (0600, zero-filled) or opens it when it exists, waiting up to the time
    // for a creator in another process to give it its size. Raises client error 54 with the
    // system's error number.
    static std::unique_ptr<TNamedSharedMemory> CreateOrOpen(const std::string& name, std::size_t size,
                                                            std::chrono::milliseconds wait);
    ~TNamedSharedMemory();
    TNamedSharedMemory(const TNamedSharedMemory&) = delete;
    TNamedSharedMemory& operator=(const TNamedSharedMemory&) = delete;

    void* Data() const { return data_; }
    bool Created() const { return created_; }  // by this call, so this side sets it up

    // Removes the name; those who have it mapped keep it. Quiet when there is no such object.
    static void Unlink(const std::string& name);

  private:
    TNamedSharedMemory(void* data, std::size_t size, bool created)
        : data_(data), size_(size), created_(created) {}
    void* data_;
    std::size_t size_;
    bool created_;
};
