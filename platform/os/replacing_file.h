#pragma once
// Writing a file that takes its path only once it is whole. The bytes go to a new file in the
// target's folder, created exclusively under a fresh random name (so never a file or link that
// someone who can write the folder planted there), gathered in a buffer, flushed to the disk and
// renamed over the target, which is replaced and never written through. A writer dropped without
// Commit removes its file: a failed write leaves nothing behind and the target as it was.
// Failures raise EOSError "Cannot create file "<target>". <reason>" or "Cannot write file ...".
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

class ReplacingFileWriter {
  public:
    // mode: the permission bits of the new file, before the umask.
    explicit ReplacingFileWriter(std::string target, mode_t mode = 0644);
    ~ReplacingFileWriter();
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

    void Write(std::string_view bytes);
    // Writes out the buffer, so that the handle's position and contents are the file's.
    void Flush();
    // Flushes to the disk and renames the file over the target; the writer is done after it.
    void Commit();

    const std::string& Target() const { return target_; }
    // The name the file has until Commit.
    const std::string& TemporaryName() const { return temporary_; }
    // The open file, for reading back and seeking after Flush; -1 after Commit.
    int Handle() const { return fd_; }
    // Bytes written but not yet in the file.
    std::size_t Pending() const { return buffer_.size(); }

  private:
    [[noreturn]] void Fail(const char* what, int error);
    void Discard();
    void WriteThrough(std::string_view bytes);

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    std::string buffer_;
};

// The whole file in one call.
void ReplaceFileContents(const std::string& target, std::string_view bytes, mode_t mode = 0644);
