#include "firebird/login_dialog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LoginDialog, LongDatabaseNamesKeepTheirEnds) {
    const std::string fifty = "srv:/var/lib/firebird/3.0/data/clinic_kiosk_01.fdb";
    ASSERT_EQ(fifty.size(), 50u);
    const struct {
        std::string name, shown;
    } cases[] = {
        {std::string(45, 'a'), std::string(45, 'a')},
        {std::string(10, 'b') + std::string(3, 'x') + std::string(33, 'c'),
         std::string(10, 'b') + "..." + std::string(33, 'c')},
        {fifty, "srv:/var/l...bird/3.0/data/clinic_kiosk_01.fdb"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortDatabaseName(c.name), c.shown) << c.name;
}

TEST(LoginDialog, ShowsItsTextsAndReturnsTheEditsOnOk) {
    TDBLoginDialogModel seen;
    TDBLoginDialog dialog([&](TDBLoginDialogModel& d) {
        seen = d;
        d.UserName = "NURSE";
        d.Password = "pw";
        d.Role = "";
        return true;
    });
    std::string user = "guest", password = "old", role = "ADMIN";
    ASSERT_TRUE(dialog.Show("clinic.fdb", user, password, role));
    EXPECT_EQ(seen.Caption, "Database login");
    EXPECT_EQ(seen.DatabaseLabel, "Database:");
    EXPECT_EQ(seen.DatabaseName, "clinic.fdb");
    EXPECT_EQ(seen.UserNameLabel, "&User name");
    EXPECT_EQ(seen.PasswordLabel, "&Password");
    EXPECT_EQ(seen.RoleLabel, "Rol&e");
    EXPECT_EQ(seen.OkCaption, "&OK");
    EXPECT_EQ(seen.CancelCaption, "&Cancel");
    EXPECT_EQ(seen.PasswordChar, '*');
    EXPECT_EQ(seen.UserName, "guest");
    EXPECT_EQ(seen.Password, "") << "the password is never shown";
    EXPECT_EQ(seen.Role, "ADMIN");
    EXPECT_EQ(user, "NURSE");
    EXPECT_EQ(password, "pw");
    EXPECT_EQ(role, "");
}

TEST(LoginDialog, CancelChangesNothing) {
    TDBLoginDialog dialog([](TDBLoginDialogModel& d) {
        d.UserName = "changed";
        return false;
    });
    std::string user = "guest", password = "old", role = "ADMIN";
    EXPECT_FALSE(dialog.Show("clinic.fdb", user, password, role));
    EXPECT_EQ(user, "guest");
    EXPECT_EQ(password, "old");
    EXPECT_EQ(role, "ADMIN");
}

TEST(LoginDialog, TheInstalledDialogServesTheDatabasesLogin) {
    const TLoginDialogHook before = SetLoginDialogHook({});
    {
        TDBLoginDialogInstaller installed([](TDBLoginDialogModel& d) {
            d.Password = "secret";
            return true;
        });
        auto db = MakeComponent<TFIBDatabase>(nullptr);
        db->DBParams().SetText("user_name=guest");
        ASSERT_TRUE(db->Login());
        EXPECT_EQ(db->DBParams().Text(), "user_name=guest\r\npassword=secret\r\nsql_role_name=\r\n");
    }
    EXPECT_FALSE(LoginDialogHook()) << "the hook goes with the dialog";
    SetLoginDialogHook(before);
}

}  // namespace
