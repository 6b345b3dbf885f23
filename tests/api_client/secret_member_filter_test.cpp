#include "api_client/secret_member_filter.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
    const char* text;
    const char* logged;
};

// The secret members of the HTTP client, and "result" as for a login.
const FilterCase kCases[] = {
    {R"({"user":"7","password":"s3cret"})", R"({"user":"7","password":"***"})"},
    {R"({"params":{"Token" : "T-1","n":2}})", R"({"params":{"Token" : "***","n":2}})"},
    {"{\"token\":\n\t\"T-1\"}", "{\"token\":\n\t\"***\"}"},
    {R"({"password":"a\"b\\","x":1})", R"({"password":"***","x":1})"},
    {R"({"token":12345,"password":true})", R"({"token":"***","password":"***"})"},
    {R"({"token":-1.5e3})", R"({"token":"***"})"},
    {R"({"result":"tok-1","id":"1"})", R"({"result":"***","id":"1"})"},
    {R"({"token":{"password":"p","a":"b"}})", R"({"token":{"password":"***","a":"b"}})"},
    {R"({"list":[{"token":"x"},"token",{"b":"token"}]})",
     R"({"list":[{"token":"***"},"token",{"b":"token"}]})"},
    {R"({"tokens":"shown","passwordx":"shown","xtoken":"shown"})",
     R"({"tokens":"shown","passwordx":"shown","xtoken":"shown"})"},
    {R"({"pass\u0077ord":"kept"})", R"({"pass\u0077ord":"kept"})"},  // escaped names are not read
    {R"({"a":"\"token\":\"x"})", R"({"a":"\"token\":\"x"})"},        // inside a string
    // A lone quote in a header line does not carry over to the body.
    {"ETag: \"abc\r\nX: \"\r\n\r\n{\"token\":\"T\"}", "ETag: \"abc\r\nX: \"\r\n\r\n{\"token\":\"***\"}"},
    {"POST /rest/v2/auth HTTP/1.1\r\nHost: h\r\n\r\n", "POST /rest/v2/auth HTTP/1.1\r\nHost: h\r\n\r\n"},
};

std::string FilterWhole(std::string_view text) {
    return TSecretMemberFilter({"password", "token", "result"}).Filter(text);
}

}  // namespace

TEST(SecretMemberFilter, MasksTheValuesOfSecretMembers) {
    for (const auto& c : kCases) EXPECT_EQ(FilterWhole(c.text), c.logged) << c.text;
}

TEST(SecretMemberFilter, MasksAlikeWhereverThePiecesSplitTheText) {
    for (const auto& c : kCases) {
        const std::string_view text = c.text;
        for (std::size_t split = 0; split <= text.size(); ++split) {
            TSecretMemberFilter filter({"password", "token", "result"});
            std::string logged = filter.Filter(text.substr(0, split));
            logged += filter.Filter(text.substr(split));
            EXPECT_EQ(logged, c.logged) << c.text << " split at " << split;
        }
        TSecretMemberFilter byCharacter({"password", "token", "result"});
        std::string logged;
        for (char ch : text) logged += byCharacter.Filter(std::string_view(&ch, 1));
        EXPECT_EQ(logged, c.logged) << c.text << " one character at a time";
    }
}

TEST(SecretMemberFilter, MasksOnlyTheNamesItWasGiven) {
    TSecretMemberFilter filter({"Password"});
    EXPECT_EQ(filter.Filter(R"({"PASSWORD":"p","token":"t","result":"r"})"),
              R"({"PASSWORD":"***","token":"t","result":"r"})");
}
