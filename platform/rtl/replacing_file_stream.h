#pragma once
// TReplacingFileStream: a stream that writes a new file for a path and puts it in place only on
// Commit (platform/os/replacing_file.h): buffered, never through a planted file or link, and
// leaving nothing behind when it is freed uncommitted. Reads and seeks see what was written.
#include <cstdint>
#include <string>

#include "platform/os/replacing_file.h"
#include "platform/rtl/stream.h"

class TReplacingFileStream : public TStream {
  public:
    explicit TReplacingFileStream(const std::string& fileName, mode_t mode = 0644);
    std::string ClassName() const override { return "TReplacingFileStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Truncates or extends the file; raises EOSError when it cannot.
    void SetSize(std::int64_t newSize) override;
    // Puts the file in place of the path; raises EOSError when it cannot.
    void Commit() { writer_.Commit(); }

  private:
    ReplacingFileWriter writer_;
};
