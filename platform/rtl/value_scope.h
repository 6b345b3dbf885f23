#pragma once
// Gives a variable a value for the length of a scope and puts the old value back when it ends.
#include <utility>

template <class T>
class TValueScope {
  public:
    TValueScope(T& variable, T value)
        : variable_(variable), old_(std::exchange(variable, std::move(value))) {}
    ~TValueScope() { variable_ = std::move(old_); }
    TValueScope(const TValueScope&) = delete;
    TValueScope& operator=(const TValueScope&) = delete;

  private:
    T& variable_;
    T old_;
};
