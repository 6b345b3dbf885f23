#pragma once
// Writes each formatted event at the end of a stream it owns.
#include <memory>

#include "logging/custom_appender.h"
#include "logging/log_stream.h"

class TLogStreamAppender : public TLogCustomAppender {
  public:
    TLogStreamAppender() = default;
    TLogStreamAppender(std::string_view name, std::unique_ptr<TLogStream> stream, ILogLayoutPtr layout);
    ~TLogStreamAppender() override;

    TLogStream* Stream() const { return stream_.get(); }

  protected:
    void DoAppendText(std::string_view text) override;
    void SetStream(std::unique_ptr<TLogStream> stream) { stream_ = std::move(stream); }
    std::unique_ptr<TLogStream> ReleaseStream() { return std::move(stream_); }

  private:
    std::unique_ptr<TLogStream> stream_;
};
