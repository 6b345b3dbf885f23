#pragma once
// Writes each formatted event at the end of a file. The file is (re)opened whenever the file
// name, the append flag or the locking model is set; between BeginOptions and EndOptions it is
// opened once, at the end.
//
// With the inter-process model several processes append to one file; a rolling appender in one
// of them may move it aside. Each writer therefore looks, at most every SharedFileCheckInterval,
// whether the file under the name is still the one it has open, and opens the new one when not.
#include <chrono>
#include <cstdint>

#include "logging/log_file_stream.h"
#include "logging/stream_appender.h"

inline constexpr const char* ExclusiveLockModel = "ExclusiveLock";
inline constexpr const char* InterProcessLockModel = "InterProcessLock";

class TLogFileAppender : public TLogStreamAppender {
  public:
    static constexpr std::chrono::milliseconds SharedFileCheckInterval{100};

    TLogFileAppender() = default;
    TLogFileAppender(std::string_view name, std::string_view fileName, ILogLayoutPtr layout,
                     bool append = true, std::string_view lockingModel = ExclusiveLockModel);
    ~TLogFileAppender() override;

    void SetOption(std::string_view name, std::string_view value) override;
    void Close() override;

    using TLogStreamAppender::Append;  // the event hook stays visible beside the flag's getter
    bool Append() const { return append_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& LockingModel() const { return lockingModel_; }

  protected:
    void OptionsApplied() override;
    void DoAppendText(std::string_view text) override;
    // Around every write to the file; empty here.
    virtual void BeginWrite() {}
    virtual void EndWrite() {}
    void OpenFile() { OpenStream(append_); }
    // Opens the file and writes the layout's header; the caller holds the lock.
    void OpenStream(bool append);
    TLogFileStream* FileStream() const { return static_cast<TLogFileStream*>(Stream()); }
    bool InterProcess() const { return interProcess_; }

    // Inter-process model, at most once every SharedFileCheckInterval: follows the file when
    // another process moved it aside. True when it looked.
    bool CheckSharedFile();
    // Opens the file under the name when another process moved the open one aside (or it is
    // gone), without a header: the file is that process's. No-op without a stream.
    void FollowSharedFile();

  private:
    void FileOptionChanged();
    bool SharedFileCheckDue();

    bool append_ = false;
    std::string fileName_;
    std::string lockingModel_ = ExclusiveLockModel;
    bool interProcess_ = false;  // the model, read for every line
    bool reopenPending_ = false;
    std::int64_t lastSharedCheck_ = 0;  // coarse monotonic milliseconds
};
