#include "api_client/gzip_util.h"

#include <zlib.h>

#include <array>

namespace {

constexpr int kGzipWindowBits = 15 + 16;  // deflate window of 32 KB, gzip wrapper
constexpr std::size_t kChunk = 16384;
constexpr std::size_t kMaxSize = 0x7fffffff;  // zlib counts input in 32 bits, memory streams in 31

Bytef* InputBytes(std::string_view source) {
    // zlib takes a non-const pointer but never writes through next_in.
    return reinterpret_cast<Bytef*>(const_cast<char*>(source.data()));
}

bool Deflate(z_stream& z, std::string& out) {
    std::array<char, kChunk> buffer;
    int rc;
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = buffer.size();
        rc = deflate(&z, Z_FINISH);
        if (rc == Z_STREAM_ERROR)
            return false;
        out.append(buffer.data(), buffer.size() - z.avail_out);
    } while (rc != Z_STREAM_END);
    return true;
}

// Inflates one member; leaves z.avail_in on the bytes that follow it.
bool InflateMember(z_stream& z, std::string& out) {
    std::array<char, kChunk> buffer;
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = buffer.size();
        int rc = inflate(&z, Z_NO_FLUSH);
        out.append(buffer.data(), buffer.size() - z.avail_out);
        if (rc == Z_STREAM_END)
            return true;
        if (rc != Z_OK)
            return false;  // damaged data, or Z_BUF_ERROR: the input ended early
    }
}

}  // namespace

bool GzipStream(std::string_view source, std::string& destination) {
    if (source.size() > kMaxSize)
        return false;
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    z.next_in = InputBytes(source);
    z.avail_in = static_cast<uInt>(source.size());
    std::string out;
    bool ok = Deflate(z, out);
    deflateEnd(&z);
    if (ok)
        destination = std::move(out);
    return ok;
}

bool GunzipStream(std::string_view source, std::string& destination) {
    if (source.empty() || source.size() > kMaxSize)
        return false;
    z_stream z{};
    if (inflateInit2(&z, kGzipWindowBits) != Z_OK)
        return false;
    std::string out;
    bool ok = true;
    std::size_t offset = 0;
    // Members may follow one another, as gzip -d accepts them.
    while (ok && offset < source.size()) {
        std::string_view rest = source.substr(offset);
        z.next_in = InputBytes(rest);
        z.avail_in = static_cast<uInt>(rest.size());
        ok = InflateMember(z, out);
        offset += rest.size() - z.avail_in;
        if (ok && offset < source.size())
            ok = inflateReset(&z) == Z_OK;
    }
    inflateEnd(&z);
    if (ok)
        destination = std::move(out);
    return ok;
}
