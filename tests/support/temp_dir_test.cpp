// Scratch folders: one flat folder per test, gone with all it holds.
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class TempDirTest : public ::testing::TestWithParam<int> {};

TEST_P(TempDirTest, ParameterisedTestsGetAFlatFolderRemovedWithItsContents) {
    fs::path kept;
    {
        testsupport::TempDir dir("support");
        kept = dir.Path();
        EXPECT_EQ(kept.parent_path(), fs::temp_directory_path());
        EXPECT_NE(kept.filename().string().find("TempDirTest"), std::string::npos) << kept;
        ASSERT_TRUE(fs::is_directory(kept));
        fs::create_directories(dir / "a" / "b");
        std::ofstream(dir / "a" / "b" / "file") << "text";
    }
    EXPECT_FALSE(fs::exists(kept));
}

INSTANTIATE_TEST_SUITE_P(Cases, TempDirTest, ::testing::Values(1, 2));

TEST(TempDir, TwoFoldersOfOneTestAreApart) {
    testsupport::TempDir first("support");
    testsupport::TempDir second("support");
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(fs::is_directory(first.Path()));
    EXPECT_TRUE(fs::is_directory(second.Path()));
}

}  // namespace
