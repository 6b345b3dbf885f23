#pragma once
// A log file opened for writing at its end, with the two locking models of the file appenders:
//  - exclusive: the process holds an exclusive lock on the file while it is open, so a second
//    writer cannot open it;
//  - inter-process: every writer holds a shared lock while the file is open, and takes a write
//    lock around each write and roll-over, so lines of several processes never mix.
#include <string>

#include "logging/log_stream.h"

enum class TLogFileLocking { flExclusive, flInterProcess };

class TLogFileStream : public TLogStream {
  public:
    // Opens at the end when append is set and the file exists; otherwise creates the file's
    // directory when missing and the file empty. Raises ELogFileError.
    TLogFileStream(std::string fileName, bool append, TLogFileLocking locking);
    ~TLogFileStream() override;
    TLogFileStream(const TLogFileStream&) = delete;
    TLogFileStream& operator=(const TLogFileStream&) = delete;

    void WriteAtEnd(std::string_view text) override;
    std::int64_t Size() override;

    // The inter-process write lock (blocking); a no-op with the exclusive model.
    void LockForWrite();
    void UnlockForWrite();
    // Cuts the file to length 0 in place; other processes keep writing to the same file.
    void Truncate();

    const std::string& FileName() const { return fileName_; }

  private:
    void TakeOpenLock();

    std::string fileName_;
    TLogFileLocking locking_;
    int fd_ = -1;
};

// Creates a directory and its missing parents; false when it cannot.
bool ForceDirectories(const std::string& dir);
