#pragma once
// TFileStream: a stream over a file, opened by name with the platform's mode flags.
//
// Mode = one access mode (fmOpenRead, fmOpenWrite, fmOpenReadWrite) or fmCreate (create or
// truncate, then read and write), combined with one share flag. Share flags are advisory: they
// are flock locks, seen only by other openers that also lock (every TFileStream, in this process
// or another). fmShareExclusive takes an exclusive lock, fmShareDenyWrite and fmShareDenyRead a
// shared one, fmShareDenyNone and fmShareCompat none; an open that meets a conflicting lock fails
// at once. fmCreate truncates only once it holds its lock.
#include <cstdint>
#include <string>

#include "platform/rtl/stream.h"

constexpr unsigned fmCreate = 0xFF00;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

// "Cannot create file \"%s\". %s" with the system's reason.
class EFCreateError : public EStreamError {
  public:
    using EStreamError::EStreamError;
};
// "Cannot open file \"%s\". %s" with the system's reason.
class EFOpenError : public EStreamError {
  public:
    using EStreamError::EStreamError;
};

// Reads up to count bytes of an open file at its position; fewer only at the end or on an error.
std::int64_t ReadFromFile(int handle, void* buffer, std::int64_t count);
// Moves an open file's position; the new position, or -1 when it cannot.
std::int64_t SeekFile(int handle, std::int64_t offset, TSeekOrigin origin);
// Truncates or extends an open file (new bytes read as zero); raises EOSError when it cannot.
void SetFileSize(int handle, std::int64_t newSize);

class TFileStream : public TStream {
  public:
    // rights: the permission bits of a created file (before the umask).
    TFileStream(const std::string& fileName, unsigned mode, unsigned rights = 0666);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Truncates or extends the file (new bytes read as zero); raises EOSError when it cannot.
    void SetSize(std::int64_t newSize) override;

    const std::string& FileName() const { return fileName_; }
    int Handle() const { return handle_; }

  private:
    std::string fileName_;
    int handle_ = -1;
};
