#include "logging/rolling_file_appender.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <vector>

#include <sys/stat.h>

#include "logging/log_exception.h"
#include "platform/os/paths.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/format.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

std::string BackupName(const std::string& fileName, int index) {
    return fileName + "." + IntToStr(index);
}

// The index of a directory entry named as BackupName writes it ("app.log.7", no leading
// zeros), or 0 when the name is not a backup's.
std::int64_t BackupIndexOf(std::string_view entry, std::string_view stem) {
    if (entry.size() <= stem.size() || entry.substr(0, stem.size()) != stem)
        return 0;
    const std::string_view digits = entry.substr(stem.size());
    if (digits.size() > 10 || digits.front() == '0')
        return 0;
    std::int64_t index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        index = index * 10 + (c - '0');
    }
    return index;
}

// The indexes 1 .. below - 1 of the backups in the file's directory, listed once so that the cost
// follows the files there rather than a large MaxBackupIndex; nullopt when it cannot be listed.
std::optional<std::vector<int>> ListedBackups(const std::string& fileName, int below) {
    namespace fs = std::filesystem;
    const fs::path path(fileName);
    const std::string stem = path.filename().string() + ".";
    std::vector<int> found;
    std::error_code ec;
    const fs::path dir = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::int64_t index = BackupIndexOf(it->path().filename().string(), stem);
        if (index >= 1 && index < below)
            found.push_back(static_cast<int>(index));
    }
    if (ec)
        return std::nullopt;
    return found;
}

// The backups FileName.1 .. FileName.(below - 1) that exist as files, highest first.
std::vector<int> ExistingBackups(const std::string& fileName, int below) {
    std::vector<int> found;
    if (auto listed = ListedBackups(fileName, below)) {
        found = std::move(*listed);
        std::sort(found.begin(), found.end(), std::greater<>());
        std::erase_if(found, [&](int i) { return !FileExists(BackupName(fileName, i)); });
    } else {
        for (int i = below - 1; i >= 1; --i)
            if (FileExists(BackupName(fileName, i)))
                found.push_back(i);
    }
    return found;
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

// The inter-process write lock, held for a scope: taken on the file under the name (following
// one moved aside), unless this appender holds it already.
class TLogRollingFileAppender::SharedFileLock {
  public:
    explicit SharedFileLock(TLogRollingFileAppender& appender)
        : appender_(appender), taken_(appender.LockSharedFile()) {}
    ~SharedFileLock() {
        // A stream opened by the roll-over is a new one, never locked; the old one took its lock along.
        if (taken_ && appender_.FileStream())
            appender_.FileStream()->UnlockRollOver();
    }
    SharedFileLock(const SharedFileLock&) = delete;
    SharedFileLock& operator=(const SharedFileLock&) = delete;

  private:
    TLogRollingFileAppender& appender_;
    bool taken_;
};

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
    if (!rolling_)  // otherwise the new file's header
        CountAndRoll(text);
    TLogFileAppender::DoAppendText(text);
}

void TLogRollingFileAppender::CountAndRoll(std::string_view text) {
    if (Stream() && CheckSharedFile()) {
        currentSize_ = Stream()->Size();  // the other processes' lines count too
    } else if (Stream() && currentSize_ == 0) {
        currentSize_ = Stream()->Size();
    }
    currentSize_ += static_cast<std::int64_t>(text.size());
    if (!Stream() || currentSize_ <= maxFileSize_)
        return;
    if (InterProcess())
        return RollSharedFileIfFull(text);
    currentSize_ = 0;
    RollOver();
}

// Our count is of our own lines: the file itself decides, read under the lock.
void TLogRollingFileAppender::RollSharedFileIfFull(std::string_view text) {
    SharedFileLock lock(*this);
    currentSize_ = Stream()->Size() + static_cast<std::int64_t>(text.size());
    if (currentSize_ <= maxFileSize_)
        return;
    currentSize_ = 0;
    RollOver();
}

// Takes the write lock of the file that is under the name now. Another process may move the
// file aside while we wait for its lock; then the new file is opened and locked instead.
bool TLogRollingFileAppender::LockSharedFile() {
    constexpr int MaxTries = 100;
    if (!InterProcess() || !FileStream() || FileStream()->HoldsRollOverLock())
        return false;
    for (int i = 0; i < MaxTries; ++i) {
        FileStream()->LockForRollOver();
        if (FileStream()->StillNamed())
            return true;
        FileStream()->UnlockRollOver();
        FollowSharedFile();
    }
    throw ELogFileError(::Format("Cannot lock file \"%s\". It keeps being moved aside", {FileName()}), 0);
}

void TLogRollingFileAppender::RollOver() {
    std::lock_guard guard(Lock());
    if (maxBackupIndex_ <= 0)
        return;
    SharedFileLock lock(*this);
    TFlagScope rolling(rolling_);
    ShiftBackups();
    if (!InterProcess()) {
        RollByRename();
    } else if (MoveSharedFileAside()) {
        OpenStream(true);  // the new file, with the layout's header
    }
}

void TLogRollingFileAppender::ShiftBackups() {
    std::remove(BackupName(FileName(), maxBackupIndex_).c_str());
    // Highest first, so each one moves into a place already emptied; a gap stays a gap.
    for (int i : ExistingBackups(FileName(), maxBackupIndex_))
        std::rename(BackupName(FileName(), i).c_str(), BackupName(FileName(), i + 1).c_str());
}

void TLogRollingFileAppender::RollByRename() {
    SetStream(nullptr);
    std::rename(FileName().c_str(), BackupName(FileName(), 1).c_str());
    // Opened for appending: a file that was moved aside is created anew, and one that could not
    // be moved keeps its lines instead of being emptied.
    OpenStream(true);
}

// Renamed while open, not copied and cut: a process writing to it meanwhile puts its line into
// the backup, where it is kept, and opens the new file when it notices. A first backup that could
// not be moved up is never replaced; the file keeps its lines until it can be moved.
bool TLogRollingFileAppender::MoveSharedFileAside() {
    const std::string backup = BackupName(FileName(), 1);
    struct stat st {};
    return ::lstat(backup.c_str(), &st) != 0 && std::rename(FileName().c_str(), backup.c_str()) == 0;
}
