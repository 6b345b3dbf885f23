#pragma once
// TStringStream: a stream over a text held in the stream (DataString). Writing inside the text
// overwrites it and leaves the rest; writing past the end extends it, zero-filling any gap.
#include <cstdint>
#include <string>

#include "platform/rtl/stream.h"

class TStringStream : public TStream {
  public:
    explicit TStringStream(std::string data = {}) : data_(std::move(data)) {}
    std::string ClassName() const override { return "TStringStream"; }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t newSize) override;

    const std::string& DataString() const { return data_; }
    // Up to count bytes from the position (fewer at the end).
    std::string ReadString(std::int64_t count);
    void WriteString(const std::string& text) {
        WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    }

  private:
    std::string data_;
    std::int64_t position_ = 0;
};
