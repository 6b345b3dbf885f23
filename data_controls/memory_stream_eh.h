#pragma once
// TMemoryStreamEh: a memory stream that grows in larger steps, for the grid's clipboard export,
// which writes many small pieces.
#include <cstdint>

#include "platform/rtl/memory_stream.h"

class TMemoryStreamEh : public TMemoryStream {
  public:
    std::string ClassName() const override { return "TMemoryStreamEh"; }
    // The capacity grows in multiples of twice this.
    std::int32_t HalfMemoryDelta() const { return halfMemoryDelta_; }
    void SetHalfMemoryDelta(std::int32_t value) { halfMemoryDelta_ = value; }

  protected:
    void* Realloc(std::int64_t& newCapacity) override;

  private:
    std::int32_t halfMemoryDelta_ = 0x1000;
};
