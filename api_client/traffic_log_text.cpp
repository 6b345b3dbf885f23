#include "api_client/traffic_log_text.h"

#include "platform/rtl/strings.h"

namespace {

// A request line ("POST /x HTTP/1.1") or a status line ("HTTP/1.1 200 OK") starts a message.
bool StartsMessage(std::string_view piece) {
    if (piece.rfind("HTTP/", 0) == 0)
        return true;
    const std::size_t lineEnd = piece.find("\r\n");
    const std::string_view line = piece.substr(0, lineEnd);
    const std::size_t version = line.rfind(" HTTP/");
    return lineEnd != std::string_view::npos && version != std::string_view::npos && line.find(' ') < version;
}

// Control bytes other than tab and line ends do not occur in the texts this client exchanges.
bool IsText(std::string_view piece) {
    for (const char c : piece) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F)
            return false;
    }
    return true;
}

}  // namespace

TTrafficLogText::TTrafficLogText(std::vector<std::string> secretMembers)
    : filter_(std::move(secretMembers)) {}

void TTrafficLogText::ReadHeaders(std::string_view piece) {
    const std::string lower = LowerCase(piece);
    for (std::size_t at = lower.find("content-encoding:"); at != std::string::npos;
         at = lower.find("content-encoding:", at + 1)) {
        const std::size_t lineEnd = lower.find('\n', at);
        if (lower.substr(at, lineEnd - at).find("gzip") != std::string::npos)
            gzipBody_ = true;
    }
    // A request's headers come as one piece; a reply's a line at a time, the empty line last.
    if (lower.find("\r\n\r\n") != std::string::npos || lower == "\r\n")
        inHeaders_ = false;
}

std::string TTrafficLogText::Describe(std::string_view piece) {
    if (StartsMessage(piece)) {
        inHeaders_ = true;
        gzipBody_ = false;
    }
    if (inHeaders_) {
        ReadHeaders(piece);
        return filter_.Filter(piece);
    }
    if (gzipBody_)
        return "(" + std::to_string(piece.size()) + " bytes of gzip-compressed body)";
    if (!IsText(piece))
        return "(" + std::to_string(piece.size()) + " bytes of binary body)";
    return filter_.Filter(piece);
}
