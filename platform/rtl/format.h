#pragma once
// Format: the platform's "%" formatting, interpreted here and never handed to printf, because
// a format text may come from a settings file. A specifier is
//   "%" [index ":"] ["-"] [width] ["." precision] type
// with width and precision digits or "*" (taken from the arguments), and type one of
// d u x (integers), e f g n m (floating point), s (text), p (pointer); "%%" is a literal "%".
// A specifier that does not fit its argument, or runs out of arguments, raises EConvertError.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "platform/rtl/exceptions.h"

class FormatArg {
  public:
    using Value = std::variant<std::int64_t, std::uint64_t, double, std::string_view, const void*>;
    FormatArg(int v) : value_(std::int64_t{v}) {}
    FormatArg(long v) : value_(std::int64_t{v}) {}
    FormatArg(long long v) : value_(std::int64_t{v}) {}
    FormatArg(unsigned v) : value_(std::uint64_t{v}) {}
    FormatArg(unsigned long v) : value_(std::uint64_t{v}) {}
    FormatArg(unsigned long long v) : value_(std::uint64_t{v}) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(const char* v) : value_(std::string_view(v ? v : "")) {}
    FormatArg(const std::string& v) : value_(std::string_view(v)) {}
    FormatArg(std::string_view v) : value_(v) {}
    FormatArg(const void* v) : value_(v) {}
    const Value& value() const { return value_; }

  private:
    Value value_;
};

std::string Format(std::string_view format, std::initializer_list<FormatArg> args);
