#pragma once
// A re-entrant lock, entered again by the thread that holds it.
#include <mutex>

class TCriticalSection {
  public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    bool TryEnter() { return mutex_.try_lock(); }
    // Lockable, for std::lock_guard / std::unique_lock.
    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

  private:
    std::recursive_mutex mutex_;
};
