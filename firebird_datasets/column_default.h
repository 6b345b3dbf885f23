#pragma once
// The value of a column's DEFAULT clause, read from the clause's source text as the system tables
// keep it ("DEFAULT 'ABC'", "default 0").
#include <string>
#include <string_view>

struct TColumnDefault {
    bool Present = false;  // the column has a DEFAULT clause
    std::string Text;      // the value behind the keyword, without its quotes
    // DEFAULT '' (or DEFAULT ""): a text column whose empty value is a real value, not NULL.
    bool IsEmptyString() const { return Present && Text.empty(); }
};

// The clause's value from its source; a blank source, or one without the keyword, is no default.
TColumnDefault ParseColumnDefault(std::string_view source);
