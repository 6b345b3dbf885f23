#include "logging/stream_appender.h"

TLogStreamAppender::TLogStreamAppender(std::string_view name, std::unique_ptr<TLogStream> stream,
                                       ILogLayoutPtr layout)
    : TLogCustomAppender(name, std::move(layout)), stream_(std::move(stream)) {
    WriteHeader();
}

TLogStreamAppender::~TLogStreamAppender() {
    Close();
}

void TLogStreamAppender::DoAppendText(std::string_view text) {
    if (stream_ && !text.empty())
        stream_->WriteAtEnd(text);
}
