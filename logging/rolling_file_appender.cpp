#include "logging/rolling_file_appender.h"

#include <cstdio>
#include <limits>
#include <mutex>

#include "logging/log_exception.h"
#include "platform/os/paths.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

std::string BackupName(const std::string& fileName, int index) {
    return fileName + "." + IntToStr(index);
}

}  // namespace

std::int64_t ParseLogFileSize(std::string_view value) {
    struct Suffix {
        std::string_view Text;
        int Shift;
    };
    int shift = 0;
    for (const Suffix& s : {Suffix{"KB", 10}, Suffix{"MB", 20}, Suffix{"GB", 30}}) {
        if (value.size() > s.Text.size() && value.substr(value.size() - s.Text.size()) == s.Text) {
            value.remove_suffix(s.Text.size());
            shift = s.Shift;
            break;
        }
    }
    std::int64_t count = 0;
    if (!TryStrToInt64(value, count) || count == 0)
        return DefaultMaxFileSize;
    // A count too large for its unit is as unreadable as one that is not a number.
    if (count > (std::numeric_limits<std::int64_t>::max() >> shift) ||
        count < (std::numeric_limits<std::int64_t>::min() >> shift))
        return DefaultMaxFileSize;
    return count * (std::int64_t{1} << shift);
}

TLogRollingFileAppender::TLogRollingFileAppender(std::string_view name, std::string_view fileName,
                                                 std::int64_t maxFileSize, int maxBackupIndex,
                                                 ILogLayoutPtr layout, bool append,
                                                 std::string_view lockingModel)
    : TLogFileAppender(name, fileName, std::move(layout), append, lockingModel),
      maxFileSize_(maxFileSize),
      maxBackupIndex_(maxBackupIndex) {}

TLogRollingFileAppender::~TLogRollingFileAppender() {
    Close();
}

void TLogRollingFileAppender::SetOption(std::string_view name, std::string_view value) {
    std::lock_guard guard(Lock());
    TLogFileAppender::SetOption(name, value);
    if (name == "maxFileSize") {
        maxFileSize_ = ParseLogFileSize(value);
    } else if (name == "maxBackupIndex") {
        maxBackupIndex_ = StrToIntDef(value, 1);
    }
}

void TLogRollingFileAppender::DoAppendText(std::string_view text) {
    std::lock_guard guard(Lock());
    if (rolling_)
        return TLogFileAppender::DoAppendText(text);  // the new file's header
    BeginWrite();
    try {
        CountAndRoll(text);
        TLogFileAppender::DoAppendText(text);
    } catch (...) {
        EndWrite();
        throw;
    }
    EndWrite();
}

void TLogRollingFileAppender::CountAndRoll(std::string_view text) {
    if (Stream() && currentSize_ == 0)
        currentSize_ = Stream()->Size();
    currentSize_ += static_cast<std::int64_t>(text.size());
    if (Stream() && currentSize_ > maxFileSize_) {
        currentSize_ = 0;
        RollOver();
    }
}

void TLogRollingFileAppender::RollOver() {
    std::lock_guard guard(Lock());
    if (maxBackupIndex_ <= 0)
        return;
    rolling_ = true;
    try {
        ShiftBackups();
        if (InterProcess()) {
            RollInPlace();
        } else {
            RollByRename();
        }
    } catch (...) {
        rolling_ = false;
        throw;
    }
    rolling_ = false;
}

void TLogRollingFileAppender::ShiftBackups() {
    std::remove(BackupName(FileName(), maxBackupIndex_).c_str());
    for (int i = maxBackupIndex_ - 1; i >= 1; --i) {
        const std::string from = BackupName(FileName(), i);
        if (FileExists(from))
            std::rename(from.c_str(), BackupName(FileName(), i + 1).c_str());
    }
}

// Other processes keep the file open, so it is copied and cut rather than renamed.
void TLogRollingFileAppender::RollInPlace() {
    if (FileStream() && CopyFile(FileName(), BackupName(FileName(), 1), true))
        FileStream()->Truncate();
}

void TLogRollingFileAppender::RollByRename() {
    SetStream(nullptr);
    std::rename(FileName().c_str(), BackupName(FileName(), 1).c_str());
    // Opened for appending: a file that was moved aside is created anew, and one that could not
    // be moved keeps its lines instead of being emptied.
    OpenStream(true);
}
