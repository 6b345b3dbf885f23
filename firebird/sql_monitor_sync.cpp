#include "firebird/sql_monitor_sync.h"

#include <linux/futex.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <thread>

#include "firebird/fib_errors.h"

namespace {

using std::chrono::milliseconds;

// How long an opener waits for the creator in another process to set an object up.
constexpr milliseconds SetUpWait(1000);

// Set last by the creator: until then the rest of the object is not to be used.
using ReadyFlag = std::atomic<std::uint32_t>;

void AwaitReady(const ReadyFlag& ready) {
    const auto deadline = std::chrono::steady_clock::now() + SetUpWait;
    while (ready.load(std::memory_order_acquire) == 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            RaiseClientError(fceCannotCreateSharedResource, {EAGAIN});
        std::this_thread::sleep_for(milliseconds(1));
    }
}

timespec MonotonicDeadline(milliseconds timeout) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nanos = now.tv_nsec + static_cast<long long>(timeout.count() % 1000) * 1000000LL;
    timespec at{};
    at.tv_sec = now.tv_sec + static_cast<time_t>(timeout.count() / 1000 + nanos / 1000000000LL);
    at.tv_nsec = static_cast<long>(nanos % 1000000000LL);
    return at;
}

void InitRobustMutex(pthread_mutex_t* mutex) {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
    const int result = pthread_mutex_init(mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
    if (result != 0)
        RaiseClientError(fceCannotCreateSharedResource, {result});
}

std::uint32_t* FutexWord(std::atomic<std::uint32_t>& word) {
    static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t));
    return reinterpret_cast<std::uint32_t*>(&word);
}

}  // namespace

struct TSharedMutex::State {
    ReadyFlag ready;
    pthread_mutex_t mutex;
};

TSharedMutex::TSharedMutex(std::unique_ptr<TNamedSharedMemory> memory)
    : memory_(std::move(memory)), state_(static_cast<State*>(memory_->Data())) {}

std::unique_ptr<TSharedMutex> TSharedMutex::CreateOrOpen(const std::string& name) {
    auto memory = TNamedSharedMemory::CreateOrOpen(name, sizeof(State), SetUpWait);
    const bool created = memory->Created();
    std::unique_ptr<TSharedMutex> mutex(new TSharedMutex(std::move(memory)));
    if (created) {
        InitRobustMutex(&mutex->state_->mutex);
        mutex->state_->ready.store(1, std::memory_order_release);
    } else {
        AwaitReady(mutex->state_->ready);
    }
    return mutex;
}

bool TSharedMutex::Lock(milliseconds timeout) {
    const timespec deadline = MonotonicDeadline(timeout);
    const int result = pthread_mutex_clocklock(&state_->mutex, CLOCK_MONOTONIC, &deadline);
    if (result == EOWNERDEAD)
        return pthread_mutex_consistent(&state_->mutex) == 0;
    return result == 0;
}

void TSharedMutex::Unlock() {
    pthread_mutex_unlock(&state_->mutex);
}

struct TSharedEvent::State {
    ReadyFlag ready;
    std::atomic<std::uint32_t> signalled;
};

TSharedEvent::TSharedEvent(std::unique_ptr<TNamedSharedMemory> memory)
    : memory_(std::move(memory)), state_(static_cast<State*>(memory_->Data())) {}

std::unique_ptr<TSharedEvent> TSharedEvent::CreateOrOpen(const std::string& name, bool initiallySet) {
    auto memory = TNamedSharedMemory::CreateOrOpen(name, sizeof(State), SetUpWait);
    const bool created = memory->Created();
    std::unique_ptr<TSharedEvent> event(new TSharedEvent(std::move(memory)));
    if (created) {
        event->state_->signalled.store(initiallySet ? 1 : 0);
        event->state_->ready.store(1, std::memory_order_release);
    } else {
        AwaitReady(event->state_->ready);
    }
    return event;
}

void TSharedEvent::Set() {
    state_->signalled.store(1);
    syscall(SYS_futex, FutexWord(state_->signalled), FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

void TSharedEvent::Reset() {
    state_->signalled.store(0);
}

bool TSharedEvent::IsSet() const {
    return state_->signalled.load() != 0;
}

bool TSharedEvent::Wait(milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!IsSet()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        timespec wait{};
        wait.tv_sec = static_cast<time_t>(left.count() / 1000000000LL);
        wait.tv_nsec = static_cast<long>(left.count() % 1000000000LL);
        // Returns at once when the word is no longer 0, so a Set between the test and here is not missed.
        syscall(SYS_futex, FutexWord(state_->signalled), FUTEX_WAIT, 0, &wait, nullptr, 0);
    }
    return true;
}
