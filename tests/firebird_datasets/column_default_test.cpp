// A column's default read from its DEFAULT clause.
#include <gtest/gtest.h>

#include "firebird_datasets/column_default.h"

namespace {

TEST(ColumnDefault, ValueBehindTheKeyword) {
    struct Case {
        const char* source;
        bool present;
        const char* text;
        bool emptyString;
    };
    const Case cases[] = {
        {"DEFAULT ''", true, "", true},
        {"default \"\"", true, "", true},
        {"DEFAULT 'ABC'", true, "ABC", false},
        {"DEFAULT 0", true, "0", false},
        {"  Default   'Привет'  \r\n", true, "Привет", false},
        {"DEFAULT'X'", true, "X", false},
        {"DEFAULT NULL", true, "NULL", false},
        {"DEFAULT CURRENT_DATE", true, "CURRENT_DATE", false},
        {"DEFAULT 'it''s'", true, "it''s", false},
        // No clause: no default, and so no empty-string default either.
        {"", false, "", false},
        {"   ", false, "", false},
        {"0", false, "", false},
        {"DEFAUL", false, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const TColumnDefault parsed = ParseColumnDefault(c.source);
        EXPECT_EQ(parsed.Present, c.present);
        EXPECT_EQ(parsed.Text, c.text);
        EXPECT_EQ(parsed.IsEmptyString(), c.emptyString);
    }
}

}  // namespace
