#pragma once
// A monitor tool inside the test process: attaches at construction and gathers every chunk on a
// thread of its own until destroyed.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "firebird/sql_monitor_reader.h"
#include "firebird/sql_monitor_texts.h"
#include "platform/os/paths.h"

namespace monitor_test {

// A text as the trace channel sends it from this program: with the program's header, escaped.
inline std::string Traced(std::string_view text) {
    return EscapeTraceText(WithApplicationHeader(ExtractFileName(ExecutablePath()), text));
}

// Polls until the condition holds; false when the time ran out first.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class Listener {
  public:
    Listener(const std::string& prefix, std::vector<int> categories)
        : reader_(prefix, std::move(categories)), thread_([this] { Run(); }) {}
    ~Listener() {
        stop_ = true;
        thread_.join();
    }

    // The chunks so far once the condition holds, or when the time runs out.
    std::vector<TMonitorChunk> WaitFor(const std::function<bool(const std::vector<TMonitorChunk>&)>& done,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return done(chunks_); });
        return chunks_;
    }
    // Everything received, joined.
    std::string WaitForText(std::size_t length,
                            std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        return Joined(WaitFor([&](const auto& chunks) { return Joined(chunks).size() >= length; }, timeout));
    }
    static std::string Joined(const std::vector<TMonitorChunk>& chunks) {
        std::string text;
        for (const TMonitorChunk& chunk : chunks) text += chunk.Text;
        return text;
    }

  private:
    void Run() {
        while (!stop_) {
            if (auto chunk = reader_.ReadChunk(std::chrono::milliseconds(50))) {
                std::lock_guard lock(mutex_);
                chunks_.push_back(std::move(*chunk));
                changed_.notify_all();
            }
        }
    }

    TMonitorReader reader_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TMonitorChunk> chunks_;
    std::thread thread_;
};

}  // namespace monitor_test
