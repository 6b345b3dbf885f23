#pragma once
// What a stream appender writes to: bytes added at the end.
#include <cstdint>
#include <string>
#include <string_view>

class TLogStream {
  public:
    virtual ~TLogStream() = default;
    // Moves to the end and writes all of the text there.
    virtual void WriteAtEnd(std::string_view text) = 0;
    virtual std::int64_t Size() = 0;
};

// A stream in memory, for appenders whose text is read back by the program.
class TLogMemoryStream : public TLogStream {
  public:
    void WriteAtEnd(std::string_view text) override { data_.append(text); }
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    const std::string& Text() const { return data_; }

  private:
    std::string data_;
};
