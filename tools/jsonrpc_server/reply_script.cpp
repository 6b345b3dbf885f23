#include "tools/jsonrpc_server/reply_script.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace testpeer {

namespace {

using nlohmann::ordered_json;

TScriptedReply ParseReply(const ordered_json& item) {
    if (!item.is_object())
        throw std::runtime_error("reply script: each reply must be a JSON object");
    TScriptedReply reply;
    reply.status = item.value("status", 200);
    if (item.contains("headers"))
        for (const auto& [name, value] : item["headers"].items())
            reply.headers.emplace_back(name, value.is_string() ? value.get<std::string>() : value.dump());
    if (item.contains("body"))
        reply.body = item["body"].is_string() ? item["body"].get<std::string>() : item["body"].dump();
    reply.contentType = item.value("content_type", reply.contentType);
    reply.gzip = item.value("gzip", false);
    reply.delayMs = item.value("delay_ms", 0);
    reply.hang = item.value("hang", false);
    reply.method = item.value("method", std::string());
    reply.repeat = item.value("repeat", false);
    return reply;
}

}  // namespace

std::vector<TScriptedReply> ParseReplyScript(const std::string& json) {
    ordered_json script;
    try {
        script = ordered_json::parse(json);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("reply script: not JSON: ") + e.what());
    }
    if (!script.is_array())
        throw std::runtime_error("reply script: expected a JSON array of replies");
    std::vector<TScriptedReply> replies;
    try {
        for (const auto& item : script) replies.push_back(ParseReply(item));
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(std::string("reply script: ") + e.what());
    }
    return replies;
}

}  // namespace testpeer
