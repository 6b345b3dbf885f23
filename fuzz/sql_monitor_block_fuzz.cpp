// The trace channel's shared block as a monitor tool reads it: any bytes another process left
// there. A chunk is taken only with a length and category in range, and never reads past the block.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "firebird/sql_monitor_block.h"
#include "firebird/sql_monitor_texts.h"

namespace {

void CheckChunk(std::span<const std::uint8_t> block) {
    const auto chunk = ReadMonitorChunk(block);
    if (!chunk)
        return;
    if (block.size() < monitor_block::Size)
        std::abort();
    if (chunk->Text.empty() || chunk->Text.size() > MonitorChunkSize)
        std::abort();
    if (chunk->Category < 0 || chunk->Category >= MonitorCategoryCount)
        std::abort();
    if (std::memcmp(chunk->Text.data(), block.data(), chunk->Text.size()) != 0)
        std::abort();
}

// What the writer makes of a text: no control character but CR and LF, in chunks that join back.
void CheckEscapedChunks(std::string_view text) {
    const std::string escaped = EscapeTraceText(text);
    std::string joined;
    for (const std::string_view chunk : SplitTraceChunks(escaped)) {
        if (chunk.empty() || chunk.size() > MonitorChunkSize)
            std::abort();
        joined += chunk;
    }
    if (joined != escaped)
        std::abort();
    for (const char c : escaped)
        if (static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\n')
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckChunk(std::span<const std::uint8_t>(data, size));
    CheckEscapedChunks(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
