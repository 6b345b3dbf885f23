#pragma once
// The record cache's error: "Incompatible Sizes" and the "Incorrect RecordNo" family.
#include "platform/rtl/exceptions.h"

class EMemManagerError : public Exception {
  public:
    using Exception::Exception;
};

inline constexpr const char* kIncompatibleSizes = "Incompatible Sizes";
inline constexpr const char* kCantReadBuffer = "Can't read Buffer.Incorrect RecordNo";
inline constexpr const char* kCantReadLogBuffer = "Can't read LogBuffer.Incorrect RecordNo";
inline constexpr const char* kCantWriteBuffer = "Can't write to Buffer.Incorrect RecordNo";
