#pragma once
// A file appender that rolls the file over when it grows past MaxFileSize: the file becomes
// FileName.1, older backups move up to FileName.MaxBackupIndex and the oldest is dropped.
//
// With the inter-process model the size check and the roll-over run under the file's write lock
// and look at the file as it is on disk: another process may have written to it or rolled it
// over already. Lines are written without that lock (see log_file_stream.h); a process still
// writing to a file that was moved aside puts its lines into that backup until it notices.
#include <cstdint>

#include "logging/file_appender.h"

inline constexpr std::int64_t DefaultMaxFileSize = 10485760;

class TLogRollingFileAppender : public TLogFileAppender {
  public:
    TLogRollingFileAppender() = default;
    TLogRollingFileAppender(std::string_view name, std::string_view fileName, std::int64_t maxFileSize,
                            int maxBackupIndex, ILogLayoutPtr layout, bool append = true,
                            std::string_view lockingModel = ExclusiveLockModel);
    ~TLogRollingFileAppender() override;

    void SetOption(std::string_view name, std::string_view value) override;

    std::int64_t MaxFileSize() const { return maxFileSize_; }
    int MaxBackupIndex() const { return maxBackupIndex_; }
    std::int64_t CurrentSize() const { return currentSize_; }

    virtual void RollOver();

  protected:
    void DoAppendText(std::string_view text) override;

  private:
    class SharedFileLock;

    void CountAndRoll(std::string_view text);
    void RollSharedFileIfFull(std::string_view text);
    bool LockSharedFile();
    void ShiftBackups();
    void RollByRename();
    bool MoveSharedFileAside();

    std::int64_t maxFileSize_ = DefaultMaxFileSize;
    int maxBackupIndex_ = 1;
    std::int64_t currentSize_ = 0;
    bool rolling_ = false;
};

// "10000KB", "5MB", "1GB" or a plain count of bytes; 0 or unreadable gives the default size.
std::int64_t ParseLogFileSize(std::string_view value);
