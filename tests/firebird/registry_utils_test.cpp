#include <gtest/gtest.h>

#include <filesystem>

#include "firebird/registry_utils.h"
#include "platform/os/registry.h"
#include "tests/support/temp_dir.h"

namespace {
const std::string kKinds = "Software\\VEVU_Vizidoro\\Transation Kinds";

class RegistryUtils : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = DefaultRegistryStore().Directory();
        SetRegistryDirectory(dir_.string());
        TRegistry reg;
        reg.OpenKey("\\" + kKinds + "\\Read only", true);
        reg.WriteString("Name", "Read only");
        reg.WriteString("Params", "read\r\nread_committed");
        reg.WriteInteger("Level", 2);
        reg.WriteString("Note", "");
        reg.OpenKey("\\" + kKinds + "\\Snapshot", true);
        reg.WriteString("Name", "Snapshot");
        reg.CloseKey();
    }
    void TearDown() override { SetRegistryDirectory(previous_); }
    testsupport::TempDir temp_{"fbreg"};
    const std::filesystem::path dir_ = temp_ / "registry";  // the store makes it
    std::string previous_;
};

TEST_F(RegistryUtils, ReadsNamedValuesIntoATwoRowArray) {
    const std::string path[] = {"Software", "VEVU_Vizidoro", "Transation Kinds", "Read only"};
    const std::string names[] = {"Params", "Level", "Note", "Missing"};
    const Variant v = RegReadUserValues(path, names);
    ASSERT_TRUE(v.IsArray());
    EXPECT_EQ(v.HighBound(1), 1);
    EXPECT_EQ(v.HighBound(2), 3);
    EXPECT_EQ(v.GetElement({0, 0}).AsString(), "read\r\nread_committed");
    EXPECT_TRUE(v.GetElement({1, 0}).AsBoolean());
    EXPECT_EQ(v.GetElement({0, 1}).AsInteger(), 2);
    EXPECT_TRUE(v.GetElement({1, 1}).AsBoolean());
    EXPECT_EQ(v.GetElement({0, 2}).AsString(), "");
    EXPECT_FALSE(v.GetElement({1, 2}).AsBoolean());
    EXPECT_TRUE(v.GetElement({0, 3}).IsEmpty());
    EXPECT_TRUE(v.GetElement({1, 3}).IsEmpty());

    const std::string missing[] = {"Software", "Nothing"};
    const Variant none = RegReadUserValues(missing, names);
    EXPECT_EQ(VarType(none), varBoolean);
    EXPECT_FALSE(none.AsBoolean());
}

TEST_F(RegistryUtils, SubKeyNamesAndLookupByValue) {
    const std::string path[] = {kKinds};
    const Variant keys = RegGetUserSubKeyNames(path);
    ASSERT_TRUE(keys.IsArray());
    EXPECT_EQ(keys.LowBound(1), 0);
    EXPECT_EQ(keys.HighBound(1), 1);
    EXPECT_EQ(keys[0].AsString(), "Read only");
    EXPECT_EQ(keys[1].AsString(), "Snapshot");
    const std::string leaf[] = {kKinds + "\\Snapshot"};
    EXPECT_FALSE(RegGetUserSubKeyNames(leaf).AsBoolean());  // no sub-keys

    EXPECT_EQ(RegFindUserSubKeyByValue(kKinds, "Name", "Snapshot"), "Snapshot");
    EXPECT_EQ(RegFindUserSubKeyByValue(kKinds, "Name", "snapshot"), "");
    EXPECT_EQ(RegFindUserSubKeyByValue("Software\\Missing\\Path", "Name", "Snapshot"), "");
}

TEST_F(RegistryUtils, ValuesAreReadBackByANewStoreAfterARestart) {
    RegistryStore restarted(dir_.string());
    TRegistry reg(restarted);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKinds + "\\Read only"));
    EXPECT_EQ(reg.ReadString("Params"), "read\r\nread_committed");
    EXPECT_EQ(reg.ReadInteger("Level"), 2);
}
}  // namespace
