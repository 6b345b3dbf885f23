// Replies of the JSON-RPC server: any bytes through the transport's reading of a reply, and the
// socket-data filter that keeps secrets out of the debug log.
#include <nlohmann/json.hpp>

#include "api_client/reply_result.h"
#include "api_client/secret_member_filter.h"
#include "api_client/transport_exceptions.h"
#include "logging/log_level.h"
#include "logging/logger.h"

namespace {

const nlohmann::ordered_json& Request() {
    static const nlohmann::ordered_json request = {
        {"jsonrpc", "2.0"}, {"id", "0"}, {"method", "Tickets.Check"}, {"params", {{"token", "t"}}}};
    return request;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        TLogLogger::GetLogger("RestV2")->SetLevel(TLogLevel::Off());
        return true;
    }();
    (void)quiet;
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    try {
        ReplyResult("https://fuzz/rest/v2/infomat", Request(), reply);
    } catch (const Exception&) {
        // not JSON, or the server's error: both are answers the kiosk shows
    }
    TSecretMemberFilter filter({"password", "token", "result"});
    filter.Filter(reply.substr(0, size / 2));
    filter.Filter(reply.substr(size / 2));
    return 0;
}
