#include "api_client/json_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "api_client/json_log_text.h"

using nlohmann::ordered_json;
using testing::EndsWith;
using testing::HasSubstr;
using testing::Not;

namespace {

// depth arrays, one inside the other.
std::string NestedArrays(std::size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

// depth objects {"a":{"a":...{}}}.
std::string NestedObjects(std::size_t depth) {
    std::string text;
    for (std::size_t i = 1; i < depth; ++i) text += "{\"a\":";
    return text + "{}" + std::string(depth - 1, '}');
}

// Built level by level, since nothing may parse or copy it recursively.
ordered_json DeepValue(std::size_t depth) {
    ordered_json value = "bottom";
    for (std::size_t i = 0; i < depth; ++i) {
        ordered_json outer = ordered_json::array();
        outer.push_back(std::move(value));
        value = std::move(outer);
    }
    return value;
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// True when text is where (cut or not) the full text starts.
bool IsPrefixOf(const std::string& text, const std::string& full) {
    return full.compare(0, text.size(), text) == 0;
}

}  // namespace

TEST(ParseJsonReply, RefusesNestingDeeperThanTheLimitAsNotJson) {
    const std::string deepInString = "[\"" + std::string(10000, '[') + "\"]";
    const std::string deepInComment = "// " + std::string(10000, '{') + "\n[1]";
    const struct {
        const char* name;
        std::string text;
        bool parses;
    } cases[] = {
        {"arrays at the limit", NestedArrays(kMaxJsonDepth), true},
        {"arrays one past it", NestedArrays(kMaxJsonDepth + 1), false},
        {"objects at the limit", NestedObjects(kMaxJsonDepth), true},
        {"objects one past it", NestedObjects(kMaxJsonDepth + 1), false},
        {"50000 deep", NestedArrays(50000), false},
        {"too deep and cut short", std::string(1000000, '['), false},
        {"too deep inside a reply", R"({"result":)" + NestedArrays(20000) + "}", false},
        {"brackets inside a string", deepInString, true},
        {"brackets inside a comment", deepInComment, true},
        {"not JSON", "<html>", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        ordered_json parsed = ParseJsonReply(c.text);
        EXPECT_EQ(!parsed.is_discarded(), c.parses) << c.name;
    }
}

TEST(ParseJsonReply, ReadsWhatTheLenientParserReads) {
    EXPECT_EQ(ParseJsonReply("/* c */ {\"a\":[1,{\"b\":null}]} // end"),
              ordered_json::parse(R"({"a":[1,{"b":null}]})"));
}

TEST(JsonForLog, WritesAsTheLibraryDoesWhenNothingIsSecretOrLong) {
    const ordered_json values[] = {
        ordered_json::parse(R"({"jsonrpc":"2.0","params":{"ticket":"Талон №5","ids":[1,2.5,true,null],
            "empty":{},"none":[],"quote":"a\"b\\c\n"}})"),
        ordered_json::parse("[[],[{}],{\"a\":[[1]]}]"),
        "plain",
        42,
        ordered_json::object(),
    };
    for (const auto& value : values) {
        EXPECT_EQ(JsonForLog(value), value.dump(2)) << value.dump();
        EXPECT_EQ(JsonCompactForLog(value), value.dump()) << value.dump();
    }
}

TEST(JsonForLog, MasksPasswordAndTokenValuesAtAnyDepthInAnyCase) {
    const ordered_json value = ordered_json::parse(R"({"user":"7","Password":"s3cret",
        "auth":{"TOKEN":{"inner":"t-secret"}},"list":[{"token":17},{"passwords":"shown"}]})");
    EXPECT_EQ(JsonCompactForLog(value),
              R"({"user":"7","Password":"***","auth":{"TOKEN":"***"},"list":[{"token":"***"},)"
              R"({"passwords":"shown"}]})");
    const std::string indented = JsonForLog(value);
    EXPECT_THAT(indented, HasSubstr("\"Password\": \"***\""));
    EXPECT_THAT(indented, Not(HasSubstr("secret")));
}

TEST(JsonForLog, CutsLongValuesAtTheLimitAndSaysSo) {
    ordered_json wide = ordered_json::array();
    for (int i = 0; i < 100000; ++i) wide.push_back({{"n", i}});
    const struct {
        const char* name;
        ordered_json value;
        bool dumpable;  // not too deep for the library's own dump
    } cases[] = {
        {"wide", wide, true},
        {"a long string", std::string(100000, 'z'), true},
        {"a long name", ordered_json{{std::string(100000, 'k'), 1}}, true},
        {"200000 deep", DeepValue(200000), false},
        // Two-byte characters, the limit falling inside one of them.
        {"Cyrillic", ordered_json::array({"Ж", Repeat("б", 10000)}), true},
    };
    for (const auto& c : cases) {
        for (bool indented : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (indented ? ", indented" : ", compact"));
            const std::string text = indented ? JsonForLog(c.value) : JsonCompactForLog(c.value);
            ASSERT_THAT(text, EndsWith(kJsonLogCutMark));
            const std::string kept = text.substr(0, text.size() - std::string(kJsonLogCutMark).size());
            EXPECT_LE(kept.size(), kJsonLogLimit);
            EXPECT_GE(kept.size(), kJsonLogLimit - 3);  // a character is never split
            if (c.dumpable) {
                EXPECT_TRUE(IsPrefixOf(kept, indented ? c.value.dump(2) : c.value.dump()));
            }
            EXPECT_NO_THROW(ordered_json(kept).dump()) << "a character was split";
        }
    }
}

TEST(JsonForLog, ValueJustAtTheLimitIsNotCut) {
    const ordered_json value = std::string(kJsonLogLimit - 2, 'a');  // with its quotes: the limit
    EXPECT_EQ(JsonCompactForLog(value), value.dump());
    const ordered_json over = std::string(kJsonLogLimit - 1, 'a');
    EXPECT_THAT(JsonCompactForLog(over), EndsWith(kJsonLogCutMark));
}
