#include "logging/ods_appender.h"

#include "platform/os/debug_output.h"

TLogODSAppender::~TLogODSAppender() {
    Close();
}

void TLogODSAppender::DoAppendText(std::string_view text) {
    if (!text.empty())
        OutputDebugString(text);
}
