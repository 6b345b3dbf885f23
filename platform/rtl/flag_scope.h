#pragma once
// Raises a flag for the length of a scope and gives it back the value it had, also when an
// exception leaves the scope, so nested scopes undo in order.
class TFlagScope {
  public:
    explicit TFlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = saved_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

  private:
    bool& flag_;
    bool saved_;
};
