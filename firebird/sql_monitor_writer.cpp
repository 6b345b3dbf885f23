#include "firebird/sql_monitor_writer.h"

#include <chrono>

#include "firebird/sql_monitor_sources.h"
#include "firebird/sql_monitor_texts.h"
#include "platform/os/clock.h"
#include "platform/os/paths.h"
#include "platform/os/thread_priority.h"
#include "platform/rtl/datetime.h"

namespace {
constexpr std::chrono::milliseconds IdleStep(50);
}

TMonitorWriterThread::TMonitorWriterThread(TMonitorChannel& channel, TMonitorWriterFlags flags,
                                           std::size_t queueBound)
    : channel_(channel),
      flags_(flags),
      queueBound_(queueBound),
      programName_(ExtractFileName(ExecutablePath())),
      thread_([this] { Execute(); }) {}

TMonitorWriterThread::~TMonitorWriterThread() {
    Terminate();
    if (thread_.joinable())
        thread_.join();
}

std::size_t TMonitorWriterThread::Cost(const TFIBTraceObject& message) {
    return sizeof(TFIBTraceObject) + message.Text.capacity();
}

bool TMonitorWriterThread::AddMessage(std::string text, int category) {
    if (channel_.MonitorCount() == 0)
        return false;
    TFIBTraceObject message{std::move(text), category, platform::CurrentClock().UnixMillis()};
    const std::size_t cost = Cost(message);
    std::string droppedText;  // freed after the lock is let go
    {
        std::lock_guard lock(queueLock_);
        while (!queue_.empty() && queuedBytes_ + cost > queueBound_) {
            queuedBytes_ -= Cost(queue_.front());
            droppedText = std::move(queue_.front().Text);
            queue_.pop_front();
            ++dropped_;
        }
        queue_.push_back(std::move(message));
        queuedBytes_ += cost;
    }
    wake_.notify_all();
    return true;
}

void TMonitorWriterThread::Terminate() {
    {
        std::lock_guard lock(queueLock_);
        terminated_ = true;
    }
    wake_.notify_all();
}

void TMonitorWriterThread::RequestStop() {
    {
        std::lock_guard lock(queueLock_);
        stopRequested_ = true;
    }
    wake_.notify_all();
}

std::size_t TMonitorWriterThread::QueuedCount() const {
    std::lock_guard lock(queueLock_);
    return queue_.size();
}

std::size_t TMonitorWriterThread::QueuedBytes() const {
    std::lock_guard lock(queueLock_);
    return queuedBytes_;
}

bool TMonitorWriterThread::KeepRunning() {
    std::lock_guard lock(queueLock_);
    return !stopRequested_ && ((!terminated_ && !flags_.Shutdown.load()) || !queue_.empty());
}

void TMonitorWriterThread::Execute() {
    LowerCurrentThreadPriority();
    while (KeepRunning()) {
        if (channel_.MonitorCount() == 0) {
            DropAll();
            IdleWait();
        } else if (QueuedCount() == 0) {
            IdleWait();
        } else if (flags_.Enabled.load()) {
            WriteTraceChunks();
        } else {
            // Tracing switched off: the message goes unwritten. No handshake for it, or the tools
            // would take the previous chunk, still in the block, for a new one.
            TakeOldest();
        }
    }
}

void TMonitorWriterThread::IdleWait() {
    std::unique_lock lock(queueLock_);
    wake_.wait_for(lock, IdleStep, [this] { return stopRequested_ || terminated_ || !queue_.empty(); });
}

// No tool listens: nobody is left to tell of the drops either.
void TMonitorWriterThread::DropAll() {
    std::lock_guard lock(queueLock_);
    queue_.clear();
    queuedBytes_ = 0;
    dropped_ = 0;
}

// Out of the queue before it is written, so the bound never drops the message in hand.
std::optional<TMonitorWriterThread::TTaken> TMonitorWriterThread::TakeOldest() {
    std::lock_guard lock(queueLock_);
    if (queue_.empty())
        return std::nullopt;
    TTaken taken{std::move(queue_.front()), dropped_};
    queuedBytes_ -= Cost(taken.Message);
    queue_.pop_front();
    dropped_ = 0;
    return taken;
}

// Holds the mutex across all chunks of the message, and of the drop notice before it, so no
// other writer's chunks come between.
void TMonitorWriterThread::WriteTraceChunks() {
    TSharedMutex& mutex = channel_.Mutex();
    if (!mutex.Lock(MonitorMutexWait)) {
        TakeOldest();
        return;
    }
    std::optional<TTaken> taken = TakeOldest();
    if (taken && channel_.MonitorCount() > 0) {
        // Every tool hears of the gap, whatever categories it listens to.
        if (taken->DroppedBefore > 0)
            WriteMessage({WithApplicationHeader(programName_, DroppedTraceText(taken->DroppedBefore)),
                          mcService, taken->Message.QueuedUnixMillis});
        WriteMessage(taken->Message);
    }
    mutex.Unlock();
}

void TMonitorWriterThread::WriteMessage(const TFIBTraceObject& message) {
    TSharedMutex& mutex = channel_.Mutex();
    const TDateTime timeStamp = UtcToLocal(UnixMillisToDateTime(message.QueuedUnixMillis));
    EscapeTraceTextInto(escaped_, message.Text);
    for (const std::string_view chunk : SplitTraceChunks(escaped_)) {
        if (!mutex.Lock(MonitorMutexWait))
            break;
        channel_.Block().WriteChunk(message.Category, timeStamp, chunk);
        channel_.WaitMonitorReaders();
    }
}
