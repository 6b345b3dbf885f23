#include "logging/file_appender.h"

#include <time.h>

#include <mutex>

#include "logging/log_exception.h"
#include "logging/log_option_handler.h"
#include "platform/rtl/scope_exit.h"

TLogFileAppender::TLogFileAppender(std::string_view name, std::string_view fileName, ILogLayoutPtr layout,
                                   bool append, std::string_view lockingModel)
    : TLogStreamAppender(name, nullptr, std::move(layout)),
      append_(append),
      fileName_(fileName),
      lockingModel_(lockingModel == InterProcessLockModel ? InterProcessLockModel : ExclusiveLockModel),
      interProcess_(lockingModel_ == InterProcessLockModel) {
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
        interProcess_ = lockingModel_ == InterProcessLockModel;
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

void TLogFileAppender::DoAppendText(std::string_view text) {
    if (fileName_.empty())
        return;
    CheckSharedFile();
    BeginWrite();
    TScopeExit written([this] { EndWrite(); });
    TLogStreamAppender::DoAppendText(text);
}

bool TLogFileAppender::CheckSharedFile() {
    if (!InterProcess() || !SharedFileCheckDue())
        return false;
    try {
        FollowSharedFile();
    } catch (const ELogFileError&) {
        // The new file cannot be opened: the lines go on into the one we have until it can.
    }
    return true;
}

bool TLogFileAppender::SharedFileCheckDue() {
    // The coarse clock is read without a system call: a check per line costs next to nothing.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    const std::int64_t ms = static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    if (ms - lastSharedCheck_ < SharedFileCheckInterval.count())
        return false;
    lastSharedCheck_ = ms;
    return true;
}

void TLogFileAppender::FollowSharedFile() {
    if (FileStream() && !FileStream()->StillNamed())
        SetStream(std::make_unique<TLogFileStream>(fileName_, true, TLogFileLocking::flInterProcess));
}
