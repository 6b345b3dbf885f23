#include "logging/file_appender.h"

#include <mutex>

#include "logging/log_option_handler.h"

TLogFileAppender::TLogFileAppender(std::string_view name, std::string_view fileName, ILogLayoutPtr layout,
                                   bool append, std::string_view lockingModel)
    : TLogStreamAppender(name, nullptr, std::move(layout)),
      append_(append),
      fileName_(fileName),
      lockingModel_(lockingModel == InterProcessLockModel ? InterProcessLockModel : ExclusiveLockModel) {
    OpenFile();
}

TLogFileAppender::~TLogFileAppender() {
    Close();
}

void TLogFileAppender::SetOption(std::string_view name, std::string_view value) {
    std::lock_guard guard(Lock());
    TLogStreamAppender::SetOption(name, value);
    if (name == "append") {
        append_ = LogStrToBool(value, append_);
        FileOptionChanged();
    } else if (name == "fileName") {
        fileName_ = value;
        FileOptionChanged();
    } else if (name == "lockingModel" && (value == ExclusiveLockModel || value == InterProcessLockModel)) {
        lockingModel_ = value;
        FileOptionChanged();
    }
}

void TLogFileAppender::FileOptionChanged() {
    if (InOptionBatch()) {
        reopenPending_ = true;
    } else {
        OpenFile();
    }
}

void TLogFileAppender::OptionsApplied() {
    std::lock_guard guard(Lock());
    if (!reopenPending_)
        return;
    reopenPending_ = false;
    OpenFile();
}

void TLogFileAppender::OpenStream(bool append) {
    std::lock_guard guard(Lock());
    SetStream(nullptr);
    if (fileName_.empty())
        return;
    const auto locking = InterProcess() ? TLogFileLocking::flInterProcess : TLogFileLocking::flExclusive;
    SetStream(std::make_unique<TLogFileStream>(fileName_, append, locking));
    WriteHeader();
}

void TLogFileAppender::Close() {
    std::lock_guard guard(Lock());
    if (Closed())
        return;
    TLogStreamAppender::Close();
    SetStream(nullptr);
}

void TLogFileAppender::BeginWrite() {
    if (writeDepth_++ == 0 && FileStream()) {
        try {
            FileStream()->LockForWrite();
        } catch (...) {
            --writeDepth_;
            throw;
        }
    }
}

void TLogFileAppender::EndWrite() {
    if (writeDepth_ > 0 && --writeDepth_ == 0 && FileStream())
        FileStream()->UnlockForWrite();
}

void TLogFileAppender::DoAppendText(std::string_view text) {
    std::lock_guard guard(Lock());
    if (fileName_.empty())
        return;
    BeginWrite();
    try {
        TLogStreamAppender::DoAppendText(text);
    } catch (...) {
        EndWrite();
        throw;
    }
    EndWrite();
}
