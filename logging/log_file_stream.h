#pragma once
// A log file opened for writing at its end, with the two locking models of the file appenders:
//  - exclusive: the process holds an exclusive lock on the file while it is open, so a second
//    writer cannot open it;
//  - inter-process: every writer holds a shared lock while the file is open. Each text goes out
//    in one write(2) to a file opened for appending, which the lines of other processes never
//    split on a local file; only the size check and roll-over take the write lock.
#include <string>

#include "logging/log_stream.h"

enum class TLogFileLocking { flExclusive, flInterProcess };

class TLogFileStream : public TLogStream {
  public:
    // Opens at the end when append is set, creating the file (and its directory) when missing;
    // without append the file is created or emptied. Raises ELogFileError.
    TLogFileStream(std::string fileName, bool append, TLogFileLocking locking);
    ~TLogFileStream() override;
    TLogFileStream(const TLogFileStream&) = delete;
    TLogFileStream& operator=(const TLogFileStream&) = delete;

    void WriteAtEnd(std::string_view text) override;
    std::int64_t Size() override;

    // The inter-process write lock on this open file (blocking), between processes and between
    // streams of one process alike; a no-op with the exclusive model.
    void LockForRollOver();
    void UnlockRollOver();
    bool HoldsRollOverLock() const { return rollOverLocked_; }
    // Whether the file under the name is still the one open here (not moved aside or removed).
    bool StillNamed() const;

    const std::string& FileName() const { return fileName_; }

  private:
    void TakeOpenLock();

    std::string fileName_;
    TLogFileLocking locking_;
    int fd_ = -1;
    bool rollOverLocked_ = false;
};

// Creates a directory and its missing parents; false when it cannot.
bool ForceDirectories(const std::string& dir);
