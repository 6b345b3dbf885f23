#include "logging/log_option_handler.h"

#include "platform/rtl/strings.h"

std::string TLogOptionHandler::GetOption(std::string_view name) const {
    for (const auto& [key, value] : options_) {
        if (key == name)
            return value;
    }
    return {};
}

void TLogOptionHandler::SetOption(std::string_view name, std::string_view value) {
    for (auto& [key, stored] : options_) {
        if (key == name) {
            stored = value;
            return;
        }
    }
    options_.emplace_back(name, value);
}

void TLogOptionHandler::EndOptions() {
    if (optionBatch_ > 0 && --optionBatch_ == 0)
        OptionsApplied();
}

bool LogStrToBool(std::string_view value, bool defaultValue) {
    const std::string lower = LowerCase(value);
    if (lower == "true" || lower == "yes")
        return true;
    if (lower == "false" || lower == "no")
        return false;
    return defaultValue;
}
