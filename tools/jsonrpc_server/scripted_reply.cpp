#include "tools/jsonrpc_server/scripted_reply.h"

#include <zlib.h>

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace testpeer {

TScriptedReply ResultReply(std::string_view resultJson) {
    TScriptedReply reply;
    reply.body = R"({"jsonrpc":"2.0","id":"1","result":)" + std::string(resultJson) + "}";
    return reply;
}

TScriptedReply ErrorReply(int code, std::string_view message, std::string_view dataJson) {
    nlohmann::ordered_json error = {{"code", code}, {"message", std::string(message)}};
    if (!dataJson.empty())
        error["data"] = nlohmann::ordered_json::parse(dataJson);
    TScriptedReply reply;
    reply.body = nlohmann::ordered_json{{"jsonrpc", "2.0"}, {"id", "1"}, {"error", error}}.dump();
    return reply;
}

std::string GzipBody(std::string_view body) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&z, body.size()) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.data()));
    z.avail_in = static_cast<uInt>(body.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

}  // namespace testpeer
