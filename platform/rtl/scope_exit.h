#pragma once
// Undo work when a scope ends. TScopeExit undoes however the scope ends: an undo that fails on a
// normal exit raises from the end of the scope, as the same call after the scope would. TScopeFail
// undoes only when the scope is left by an exception, taking back what a failed step left half done
// while a normal end keeps it. While an exception leaves the scope, the undo's own failure is
// dropped so that the first one goes on.
#include <exception>
#include <utility>

namespace scope_detail {

// Runs the undo while an exception unwinds, dropping the undo's own failure.
template <class Undo>
void UndoWhileUnwinding(Undo& undo) noexcept {
    try {
        undo();
    } catch (...) {
        // The exception that is unwinding the scope is the one to report.
    }
}

}  // namespace scope_detail

template <class Undo>
class TScopeExit {
  public:
    explicit TScopeExit(Undo undo) : undo_(std::move(undo)) {}
    ~TScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_)
            undo_();
        else
            scope_detail::UndoWhileUnwinding(undo_);
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    Undo undo_;
    int exceptions_ = std::uncaught_exceptions();
};

template <class Undo>
class TScopeFail {
  public:
    explicit TScopeFail(Undo undo) : undo_(std::move(undo)) {}
    ~TScopeFail() {
        if (std::uncaught_exceptions() != exceptions_)
            scope_detail::UndoWhileUnwinding(undo_);
    }
    TScopeFail(const TScopeFail&) = delete;
    TScopeFail& operator=(const TScopeFail&) = delete;

  private:
    Undo undo_;
    int exceptions_ = std::uncaught_exceptions();
};
