#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/os/registry.h"
#include "platform/os/registry_store.h"
#include "tests/support/temp_dir.h"

namespace {
class RegistryStoreTest : public ::testing::Test {
  protected:
    testsupport::TempDir temp_{"regstore"};
    const std::filesystem::path dir_ = temp_ / "registry";  // the store makes it
};

TEST_F(RegistryStoreTest, ValuesSurviveANewStoreOverTheSameDirectory) {
    {
        RegistryStore store(dir_.string());
        store.WriteValue(HKEY_CURRENT_USER, "Software\\Kiosk\\Kinds\\Read", "Name",
                         {TRegDataType::rdString, "Чтение \"1\"\r\n%x", 0});
        store.WriteValue(HKEY_CURRENT_USER, "Software\\Kiosk\\Kinds\\Read", "Count",
                         {TRegDataType::rdInteger, {}, -7});
        store.CreateKey(HKEY_CURRENT_USER, "Software\\Kiosk\\Kinds\\Empty");
        store.WriteValue(HKEY_LOCAL_MACHINE, "Software", "Path",
                         {TRegDataType::rdExpandString, "$HOME/x", 0});
    }
    RegistryStore reopened(dir_.string());
    auto name = reopened.ReadValue(HKEY_CURRENT_USER, "software\\KIOSK\\kinds\\read", "NAME");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->type, TRegDataType::rdString);
    EXPECT_EQ(name->text, "Чтение \"1\"\r\n%x");
    EXPECT_EQ(reopened.ReadValue(HKEY_CURRENT_USER, "Software\\Kiosk\\Kinds\\Read", "Count")->integer, -7);
    EXPECT_EQ(reopened.SubKeyNames(HKEY_CURRENT_USER, "Software\\Kiosk\\Kinds"),
              (std::vector<std::string>{"Read", "Empty"}));
    EXPECT_EQ(reopened.ReadValue(HKEY_LOCAL_MACHINE, "Software", "Path")->type, TRegDataType::rdExpandString);
    EXPECT_FALSE(reopened.ReadValue(HKEY_CURRENT_USER, "Software\\Missing", "Name"));
    EXPECT_TRUE(reopened.SubKeyNames(HKEY_CURRENT_USER, "Software\\Missing").empty());
}

TEST_F(RegistryStoreTest, DeletesKeysWithTheirSubKeysAndValues) {
    RegistryStore store(dir_.string());
    store.WriteValue(HKEY_CURRENT_USER, "A\\B\\C", "v", {TRegDataType::rdInteger, {}, 1});
    store.WriteValue(HKEY_CURRENT_USER, "A", "w", {TRegDataType::rdInteger, {}, 2});
    EXPECT_TRUE(store.DeleteKey(HKEY_CURRENT_USER, "a\\b"));
    EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, "A\\B\\C"));
    EXPECT_TRUE(store.DeleteValue(HKEY_CURRENT_USER, "A", "W"));
    EXPECT_FALSE(store.DeleteValue(HKEY_CURRENT_USER, "A", "w"));
    EXPECT_TRUE(store.KeyExists(HKEY_CURRENT_USER, "A"));
    EXPECT_FALSE(store.DeleteKey(HKEY_CURRENT_USER, "Z"));
}

TEST_F(RegistryStoreTest, DamagedFileRaisesAndIsKeptAsItWas) {
    std::filesystem::create_directories(dir_);
    const std::string file = (dir_ / "HKEY_CURRENT_USER.reg").string();
    std::ofstream(file) << "[Software]\ngarbage line\n";
    RegistryStore store(dir_.string());
    EXPECT_THROW(store.KeyExists(HKEY_CURRENT_USER, "Software"), ERegistryException);
    EXPECT_THROW(store.WriteValue(HKEY_CURRENT_USER, "Software", "x", {TRegDataType::rdInteger, {}, 1}),
                 ERegistryException);
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Software]\ngarbage line\n");
}

TEST_F(RegistryStoreTest, UnreadableFileRaisesInsteadOfReadingAsEmpty) {
    // A file that cannot be read (here a directory in its place) must not pass for an empty root,
    // or the next write would replace it.
    const auto file = dir_ / "HKEY_CURRENT_USER.reg";
    std::filesystem::create_directories(file / "kept");
    RegistryStore store(dir_.string());
    EXPECT_THROW(store.KeyExists(HKEY_CURRENT_USER, "Software"), ERegistryException);
    EXPECT_THROW(store.WriteValue(HKEY_CURRENT_USER, "Software", "x", {TRegDataType::rdInteger, {}, 1}),
                 ERegistryException);
    EXPECT_TRUE(std::filesystem::exists(file / "kept"));
}

TEST_F(RegistryStoreTest, WritesOfAnEndedProcessAreReadBackAfterARestart) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int code = 1;
        try {
            TRegistry reg(DefaultRegistryStore());
            SetRegistryDirectory(dir_.string());
            if (reg.OpenKey("Software\\Kiosk\\Kinds\\Snapshot", true)) {
                reg.WriteString("Name", "Snapshot");
                reg.WriteInteger("Level", 3);
                code = 0;
            }
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    RegistryStore store(dir_.string());
    TRegistry reg(store);
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Kiosk\\Kinds\\Snapshot"));
    EXPECT_EQ(reg.ReadString("Name"), "Snapshot");
    EXPECT_EQ(reg.ReadInteger("Level"), 3);
}

TEST_F(RegistryStoreTest, RegistryObjectOpensKeysRelativeToTheOpenOne) {
    RegistryStore store(dir_.string());
    TRegistry reg(store);
    EXPECT_FALSE(reg.OpenKey("Software\\Kiosk", false));
    ASSERT_TRUE(reg.OpenKey("Software\\Kiosk", true));
    ASSERT_TRUE(reg.OpenKey("Kinds\\One", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Kiosk\\Kinds\\One");
    reg.WriteString("Name", "one");
    reg.WriteInteger("Level", 3);
    EXPECT_EQ(reg.GetDataType("name"), TRegDataType::rdString);
    EXPECT_EQ(reg.GetDataType("missing"), TRegDataType::rdUnknown);
    EXPECT_EQ(reg.ReadString("missing"), "");
    EXPECT_THROW(reg.ReadString("Level"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("missing"), ERegistryException);
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Name", "Level"}));
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Kiosk\\Kinds"));
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"One"}));
    EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
    reg.CloseKey();
    EXPECT_THROW(reg.ReadString("Name"), ERegistryException);
}
// Links planted in the store's folder by someone who can write it: at the root file and at the
// name the store once wrote through. The victim file of the store's user stays as it was.
TEST_F(RegistryStoreTest, WritesReplaceLinksInTheFolderInsteadOfWritingThroughThem) {
    std::filesystem::create_directories(dir_);
    const std::filesystem::path victim = temp_ / "victim";
    std::ofstream(victim) << "precious";
    const std::filesystem::path file = dir_ / "HKEY_CURRENT_USER.reg";
    std::filesystem::create_symlink(victim, file.string() + ".tmp" + std::to_string(::getpid()));
    std::filesystem::create_symlink(temp_ / "elsewhere", file);  // dangling: the empty root
    RegistryStore store(dir_.string());
    store.WriteValue(HKEY_CURRENT_USER, "Software", "Name", {TRegDataType::rdString, "v", 0});
    EXPECT_FALSE(std::filesystem::is_symlink(file));
    EXPECT_FALSE(std::filesystem::exists(temp_ / "elsewhere"));
    EXPECT_EQ(store.ReadValue(HKEY_CURRENT_USER, "Software", "Name")->text, "v");
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");

    // The lock file is opened, never followed.
    std::filesystem::create_symlink(victim, dir_ / "HKEY_LOCAL_MACHINE.reg.lock");
    EXPECT_THROW(store.WriteValue(HKEY_LOCAL_MACHINE, "Software", "Name", {TRegDataType::rdString, "v", 0}),
                 ERegistryException);
}

}  // namespace
