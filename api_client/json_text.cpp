#include "api_client/json_text.h"

#include <cmath>
#include <limits>

#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

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

bool IsSecretName(const std::string& name) {
    return SameText(name, "password") || SameText(name, "token");
}

void MaskSecrets(ordered_json& value) {
    if (value.is_object()) {
        for (auto& [name, member] : value.items()) {
            if (IsSecretName(name))
                member = "***";
            else
                MaskSecrets(member);
        }
    } else if (value.is_array()) {
        for (auto& item : value) MaskSecrets(item);
    }
}

}  // namespace

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

std::string JsonForLog(const ordered_json& value) {
    ordered_json masked = value;
    MaskSecrets(masked);
    return masked.dump(2, ' ', false, kReplaceInvalid);
}
