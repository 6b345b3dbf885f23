#pragma once
// Writes each formatted event at the end of a file. The file is (re)opened whenever the file
// name, the append flag or the locking model is set; between BeginOptions and EndOptions it is
// opened once, at the end.
#include "logging/log_file_stream.h"
#include "logging/stream_appender.h"

inline constexpr const char* ExclusiveLockModel = "ExclusiveLock";
inline constexpr const char* InterProcessLockModel = "InterProcessLock";

class TLogFileAppender : public TLogStreamAppender {
  public:
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
    // Around every write: the inter-process write lock when that model is chosen.
    virtual void BeginWrite();
    virtual void EndWrite();
    void OpenFile() { OpenStream(append_); }
    void OpenStream(bool append);
    TLogFileStream* FileStream() const { return static_cast<TLogFileStream*>(Stream()); }
    bool InterProcess() const { return lockingModel_ == InterProcessLockModel; }

  private:
    void FileOptionChanged();

    bool append_ = false;
    std::string fileName_;
    std::string lockingModel_ = ExclusiveLockModel;
    bool reopenPending_ = false;
    int writeDepth_ = 0;
};
