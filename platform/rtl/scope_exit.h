#pragma once
// Undo work when a scope ends, however it ends. An undo that fails on a normal exit raises from the
// end of the scope, as the same call after the scope would; while an exception already leaves the
// scope, the undo's own failure is dropped so that the first one goes on.
#include <exception>
#include <utility>

template <class Undo>
class TScopeExit {
  public:
    explicit TScopeExit(Undo undo) : undo_(std::move(undo)) {}
    ~TScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            undo_();
            return;
        }
        try {
            undo_();
        } catch (...) {
            // The exception that is unwinding the scope is the one to report.
        }
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    Undo undo_;
    int exceptions_ = std::uncaught_exceptions();
};
