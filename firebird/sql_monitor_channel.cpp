#include "firebird/sql_monitor_channel.h"

namespace {

// A counter left below zero by a tool that lowered it once too often.
void ClampNegative(std::atomic_ref<std::int32_t> counter) {
    std::int32_t value = counter.load();
    while (value < 0 && !counter.compare_exchange_weak(value, 0)) {
    }
}

}  // namespace

TMonitorChannel::TMonitorChannel(std::unique_ptr<TNamedSharedMemory> memory)
    : memory_(std::move(memory)), block_(static_cast<std::uint8_t*>(memory_->Data())) {}

std::unique_ptr<TMonitorChannel> TMonitorChannel::Open(std::string_view namePrefix) {
    auto name = [namePrefix](std::string_view base) { return MonitorObjectName(namePrefix, base); };
    // A new block comes zero-filled, which is every counter at 0; writing the zeros again could
    // wipe out a tool that attached in between.
    std::unique_ptr<TMonitorChannel> channel(new TMonitorChannel(TNamedSharedMemory::CreateOrOpen(
        name(monitor_names::SharedMem), monitor_block::Size, MonitorHandshakeStep)));
    channel->mutex_ = TSharedMutex::CreateOrOpen(name(monitor_names::Mutex));
    channel->writeEvent_ = TSharedEvent::CreateOrOpen(name(monitor_names::WriteEvent), false);
    channel->writeFinishedEvent_ = TSharedEvent::CreateOrOpen(name(monitor_names::WriteFinishedEvent), true);
    channel->readEvent_ = TSharedEvent::CreateOrOpen(name(monitor_names::ReadEvent), false);
    channel->readFinishedEvent_ = TSharedEvent::CreateOrOpen(name(monitor_names::ReadFinishedEvent), false);
    ClampNegative(channel->block_.MonitorCount());
    ClampNegative(channel->block_.ReaderCount());
    return channel;
}

void TMonitorChannel::Unlink(std::string_view namePrefix) {
    for (const std::string_view base :
         {monitor_names::SharedMem, monitor_names::Mutex, monitor_names::WriteEvent,
          monitor_names::WriteFinishedEvent, monitor_names::ReadEvent, monitor_names::ReadFinishedEvent})
        TNamedSharedMemory::Unlink(MonitorObjectName(namePrefix, base));
}

void TMonitorChannel::WaitMonitorReaders() {
    WaitForReadyReaders();
    writeFinishedEvent_->Reset();
    readFinishedEvent_->Reset();
    writeEvent_->Set();
    WaitForReadersDone();
    writeEvent_->Reset();
    writeFinishedEvent_->Set();
    mutex_->Unlock();
}

void TMonitorChannel::WaitForReadyReaders() {
    while (!readEvent_->Wait(MonitorHandshakeStep)) {
        DecrementIfPositive(block_.MonitorCount());
        const std::int32_t monitors = block_.MonitorCount().load();
        if (monitors <= 0 || monitors == block_.ReaderCount().load() + 1)
            readEvent_->Set();
    }
}

void TMonitorChannel::WaitForReadersDone() {
    while (!readFinishedEvent_->Wait(MonitorHandshakeStep)) {
        // Below 0 only when a tool wrote nonsense: nobody is reading then either.
        if (block_.ReaderCount().load() <= 0 || DecrementIfPositive(block_.ReaderCount()) <= 0)
            readFinishedEvent_->Set();
    }
}
