#include "api_client/json_text.h"

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

#include "platform/rtl/numbers.h"

using nlohmann::ordered_json;

namespace {

constexpr auto kReplaceInvalid = ordered_json::error_handler_t::replace;

std::int32_t ClampToInt32(double v) {
    if (std::isnan(v))
        return 0;
    v = std::trunc(v);
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

// Thrown from the parser's callback to stop at the first level too deep: the parser itself does
// not recurse, and stopping there keeps the work bounded by the limit.
struct TTooDeep {};

bool TooDeep(int depth, ordered_json::parse_event_t event) {
    bool opens = event == ordered_json::parse_event_t::object_start ||
                 event == ordered_json::parse_event_t::array_start;
    return opens && depth >= kMaxJsonDepth;
}

}  // namespace

ordered_json ParseJsonReply(std::string_view text) {
    bool tooDeep = false;
    return ParseJsonReply(text, tooDeep);
}

ordered_json ParseJsonReply(std::string_view text, bool& tooDeep) {
    tooDeep = false;
    auto limitDepth = [](int depth, ordered_json::parse_event_t event, ordered_json&) {
        if (TooDeep(depth, event))
            throw TTooDeep{};
        return true;
    };
    try {
        return ordered_json::parse(text, limitDepth, false, true);
    } catch (const TTooDeep&) {
        tooDeep = true;
        return ordered_json(ordered_json::value_t::discarded);
    }
}

std::string JsonAsText(const ordered_json& value) {
    if (value.is_string())
        return value.get<std::string>();
    return JsonCompact(value);
}

std::int32_t JsonAsInteger(const ordered_json& value) {
    if (value.is_number())
        return ClampToInt32(value.get<double>());
    if (value.is_boolean())
        return value.get<bool>() ? 1 : 0;
    if (value.is_string())
        return StrToIntDef(value.get<std::string>(), 0);
    return 0;
}

std::string JsonCompact(const ordered_json& value) {
    return value.dump(-1, ' ', false, kReplaceInvalid);
}
