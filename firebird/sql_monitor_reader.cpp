#include "firebird/sql_monitor_reader.h"

#include <algorithm>
#include <array>

namespace {

using Clock = std::chrono::steady_clock;
// Short waits, so a reader sees a writer's changes to the counters soon.
constexpr std::chrono::milliseconds PollStep(20);

std::chrono::milliseconds StepUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return std::clamp(left, std::chrono::milliseconds(0), PollStep);
}

}  // namespace

TMonitorReader::TMonitorReader(std::string_view namePrefix, std::vector<int> categories)
    : channel_(TMonitorChannel::Open(namePrefix)), categories_(std::move(categories)) {
    for (const int category : categories_)
        if (const auto listeners = channel_->Block().CategoryListeners(category))
            listeners->fetch_add(1);
    channel_->Block().MonitorCount().fetch_add(1);
}

TMonitorReader::~TMonitorReader() {
    LeaveReaders();
    for (const int category : categories_)
        if (const auto listeners = channel_->Block().CategoryListeners(category))
            DecrementIfPositive(*listeners);
    DecrementIfPositive(channel_->Block().MonitorCount());
}

std::optional<TMonitorChunk> TMonitorReader::ReadChunk(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (BecomeReady(deadline) && AwaitWrite(deadline))
        if (auto chunk = TakeChunk())
            return chunk;
    return std::nullopt;
}

// Once the writer has finished the last chunk, this reader counts itself in for the next.
bool TMonitorReader::BecomeReady(Clock::time_point deadline) {
    if (ready_)
        return true;
    while (!channel_->WriteFinishedEvent().Wait(StepUntil(deadline)))
        if (Clock::now() >= deadline)
            return false;
    channel_->Block().ReaderCount().fetch_add(1);
    ready_ = true;
    return true;
}

// The last of the listeners to be ready lets the writer go on. A writer that gave up on a tool
// lowers the monitor count; when that leaves this reader as the last, it lets the writer go too,
// and when the writer has given up on this one as well it counts itself in again.
bool TMonitorReader::AwaitWrite(Clock::time_point deadline) {
    TMonitorSharedBlock& block = channel_->Block();
    while (true) {
        if (block.MonitorCount().load() <= 0)
            block.MonitorCount().fetch_add(1);
        if (block.ReaderCount().load() >= block.MonitorCount().load())
            channel_->ReadEvent().Set();
        if (channel_->WriteEvent().Wait(StepUntil(deadline)))
            return true;
        if (Clock::now() >= deadline)
            return false;
    }
}

std::optional<TMonitorChunk> TMonitorReader::TakeChunk() {
    std::array<std::uint8_t, monitor_block::Size> copy{};
    channel_->Block().CopyTo(copy);
    channel_->ReadEvent().Reset();
    LeaveReaders();
    return ReadMonitorChunk(copy);
}

void TMonitorReader::LeaveReaders() {
    if (!ready_)
        return;
    ready_ = false;
    if (DecrementIfPositive(channel_->Block().ReaderCount()) <= 0 && channel_->WriteEvent().IsSet())
        channel_->ReadFinishedEvent().Set();
}
