#pragma once
// A monitor tool's side of the trace channel: it counts itself among the listeners of the
// categories it wants while it exists, and takes the chunks the writers send, one handshake each.
#include <chrono>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "firebird/sql_monitor_channel.h"

class TMonitorReader {
  public:
    // Raises client error 54 when the channel cannot be opened. Category 5 needs no counter: it
    // reaches every listener.
    TMonitorReader(std::string_view namePrefix, std::vector<int> categories);
    ~TMonitorReader();
    TMonitorReader(const TMonitorReader&) = delete;
    TMonitorReader& operator=(const TMonitorReader&) = delete;

    // The next chunk, or nothing when none came within the time. A chunk whose length or category
    // is out of range is passed over.
    std::optional<TMonitorChunk> ReadChunk(std::chrono::milliseconds timeout);

  private:
    bool BecomeReady(std::chrono::steady_clock::time_point deadline);
    bool AwaitWrite(std::chrono::steady_clock::time_point deadline);
    std::optional<TMonitorChunk> TakeChunk();
    void LeaveReaders();

    std::unique_ptr<TMonitorChannel> channel_;
    std::vector<int> categories_;
    bool ready_ = false;  // counted among the readers of the next chunk
};
