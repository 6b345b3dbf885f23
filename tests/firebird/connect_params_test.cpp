// The connection settings as parameter lines, and the stored form of those lines, which can leave
// the password out.
#include <gtest/gtest.h>

#include "firebird/connect_params.h"
#include "firebird/database.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/string_stream.h"

namespace {

struct TSettingCase {
    void (TConnectParams::*Set)(const std::string&);
    std::string (TConnectParams::*Get)() const;
    std::string Line;
};

class ConnectSetting : public ::testing::TestWithParam<TSettingCase> {};

TEST_P(ConnectSetting, ReadsAndWritesItsParameterLine) {
    auto db = MakeComponent<TFIBDatabase>(nullptr);
    db->DBParams().SetText("isc_dpb_user_name=OTHER\nlc_ctype=NONE\nsql_role_name=R0\npassword=old");
    TConnectParams params(db.get());
    (params.*GetParam().Set)("value");
    EXPECT_EQ((params.*GetParam().Get)(), "value");
    EXPECT_NE(db->DBParams().IndexOf(GetParam().Line + "=value"), -1) << db->DBParams().Text();
    EXPECT_EQ(db->DBParams().Count(), 4) << "the line is replaced, not added";
    (params.*GetParam().Set)("");
    EXPECT_EQ((params.*GetParam().Get)(), "");
    EXPECT_EQ(db->DBParams().Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectSetting,
    ::testing::Values(TSettingCase{&TConnectParams::SetUserName, &TConnectParams::UserName, "user_name"},
                      TSettingCase{&TConnectParams::SetPassword, &TConnectParams::Password, "password"},
                      TSettingCase{&TConnectParams::SetCharSet, &TConnectParams::CharSet, "lc_ctype"},
                      TSettingCase{&TConnectParams::SetRoleName, &TConnectParams::RoleName,
                                   "sql_role_name"}));

TEST(ConnectParams, WithoutADatabaseReadsEmptyAndIgnoresWrites) {
    TConnectParams orphan(nullptr);
    orphan.SetUserName("SYSDBA");
    EXPECT_EQ(orphan.UserName(), "");
    auto notADatabase = MakeComponent<TComponent>(nullptr);
    TConnectParams other(notADatabase.get());
    EXPECT_EQ(other.Password(), "");
}

struct TPasswordCase {
    TDesignDBOptions Options;
    bool Stored;
};

class StoredPassword : public ::testing::TestWithParam<TPasswordCase> {};

TEST_P(StoredPassword, IsLeftOutOnlyWhenAskedAndTheDatabaseKeepsIt) {
    auto db = MakeComponent<TFIBDatabase>(nullptr);
    db->SetName("Clinic");
    db->SetDesignDBOptions(GetParam().Options);
    db->DBParams().SetText("user_name=SYSDBA\npassword=masterkey\nlc_ctype=UTF8");

    const std::string text = ComponentToText(*db);
    EXPECT_EQ(text.find("masterkey") != std::string::npos, GetParam().Stored) << text;
    EXPECT_NE(text.find("lc_ctype=UTF8"), std::string::npos) << text;
    EXPECT_EQ(TConnectParams(db.get()).Password(), "masterkey");

    auto read = MakeComponent<TFIBDatabase>(nullptr);
    TClassRegistry classes;
    classes.RegisterClass<TFIBDatabase>("TFIBDatabase");
    TStringStream stream(text);
    ReadComponentText(stream, *read, classes);
    EXPECT_EQ(TConnectParams(read.get()).Password(), GetParam().Stored ? "masterkey" : "");
    EXPECT_EQ(TConnectParams(read.get()).UserName(), "SYSDBA");
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredPassword,
                         ::testing::Values(TPasswordCase{TDesignDBOptions{ddoStoreConnected}, true},
                                           TPasswordCase{TDesignDBOptions{ddoNotSavePassword}, false}));

}  // namespace
