#include "firebird_datasets/column_default.h"

#include "firebird/str_basics.h"
#include "firebird/str_search.h"
#include "platform/rtl/strings.h"

namespace {

constexpr std::string_view kKeyword = "DEFAULT";

}  // namespace

TColumnDefault ParseColumnDefault(std::string_view source) {
    TColumnDefault result;
    const std::string clause = TrimLeft(source);
    // Only a clause that starts with the keyword is a default: a column without one must not read
    // as having an empty-string default.
    if (clause.size() < kKeyword.size() ||
        !AsciiSameStr(std::string_view(clause).substr(0, kKeyword.size()), kKeyword, false))
        return result;
    result.Present = true;
    result.Text = StripQuotes(Trim(std::string_view(clause).substr(kKeyword.size())));
    return result;
}
