#include <gtest/gtest.h>

#include "platform/db/field_list.h"

namespace {

using Names = std::vector<std::string>;

TEST(FieldList, SplitsOnSemicolonsAndDropsBlanks) {
    struct Case {
        const char* text;
        Names names;
    };
    const Case cases[] = {
        {"", {}},
        {"ID", {"ID"}},
        {"ID;NAME;CITY", {"ID", "NAME", "CITY"}},
        {" ID ; NAME ", {"ID", "NAME"}},
        {"ID;;NAME;", {"ID", "NAME"}},
        {";", {}},
        {"FIRST NAME;X", {"FIRST NAME", "X"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitFieldNames(c.text), c.names);
    }
}

TEST(FieldList, ExtractStepsPastEachSeparator) {
    std::size_t pos = 0;
    EXPECT_EQ(ExtractFieldName("A;B", pos), "A");
    EXPECT_EQ(pos, 2U);
    EXPECT_EQ(ExtractFieldName("A;B", pos), "B");
    EXPECT_EQ(pos, 3U);
    EXPECT_EQ(ExtractFieldName("A;B", pos), "");
    EXPECT_EQ(pos, 3U);
}

}  // namespace
