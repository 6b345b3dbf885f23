#include "logging/custom_layout.h"

#include "platform/rtl/datetime.h"

namespace {
const char* const DateFormatOption = "dateFormat";
}

TLogCustomLayout::TLogCustomLayout() {
    TLogCustomLayout::SetOption(DateFormatOption, FormatSettings().ShortDateFormat);
}

void TLogCustomLayout::SetOption(std::string_view name, std::string_view value) {
    TLogOptionHandler::SetOption(name, value);
    if (name == DateFormatOption && !value.empty())
        dateFormat_ = value;
}
