#include "firebird/sql_monitor_writer.h"

#include <chrono>

#include "firebird/sql_monitor_texts.h"

namespace {
constexpr std::chrono::milliseconds IdleStep(50);
}

TMonitorWriterThread::TMonitorWriterThread(TMonitorChannel& channel, TMonitorWriterFlags flags)
    : channel_(channel), flags_(flags), thread_([this] { Execute(); }) {}

TMonitorWriterThread::~TMonitorWriterThread() {
    Terminate();
    if (thread_.joinable())
        thread_.join();
}

bool TMonitorWriterThread::AddMessage(std::string text, int category) {
    if (channel_.MonitorCount() == 0)
        return false;
    {
        std::lock_guard lock(queueLock_);
        queue_.push_back(TFIBTraceObject{std::move(text), category, Now()});
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

bool TMonitorWriterThread::KeepRunning() {
    std::lock_guard lock(queueLock_);
    return !stopRequested_ && ((!terminated_ && !flags_.Shutdown.load()) || !queue_.empty());
}

void TMonitorWriterThread::Execute() {
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
            DropOldest();
        }
    }
}

void TMonitorWriterThread::IdleWait() {
    std::unique_lock lock(queueLock_);
    wake_.wait_for(lock, IdleStep, [this] { return stopRequested_ || terminated_ || !queue_.empty(); });
}

void TMonitorWriterThread::DropAll() {
    std::lock_guard lock(queueLock_);
    queue_.clear();
}

void TMonitorWriterThread::DropOldest() {
    std::lock_guard lock(queueLock_);
    if (!queue_.empty())
        queue_.pop_front();
}

// Holds the mutex across all chunks of the message so no other writer's chunks come between.
void TMonitorWriterThread::WriteTraceChunks() {
    TSharedMutex& mutex = channel_.Mutex();
    if (!mutex.Lock(MonitorMutexWait)) {
        DropOldest();
        return;
    }
    if (channel_.MonitorCount() > 0) {
        TFIBTraceObject message;
        {
            std::lock_guard lock(queueLock_);
            message = queue_.front();
        }
        const std::string escaped = EscapeTraceText(message.Text);
        for (const std::string_view chunk : SplitTraceChunks(escaped)) {
            if (!mutex.Lock(MonitorMutexWait))
                break;
            channel_.Block().WriteChunk(message.Category, message.TimeStamp, chunk);
            channel_.WaitMonitorReaders();
        }
    }
    DropOldest();
    mutex.Unlock();
}
