#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace testsupport {
namespace {

// Two folders made in one test get different numbers, so neither removes the other.
std::string UniqueName(std::string_view prefix) {
    static std::atomic<int> sequence{0};
    std::string name =
        std::string(prefix) + "_" + std::to_string(::getpid()) + "_" + std::to_string(++sequence);
    const auto* unit = ::testing::UnitTest::GetInstance();
    if (const auto* suite = unit->current_test_suite())
        name += std::string("_") + suite->name();
    if (const auto* test = unit->current_test_info())
        name += std::string("_") + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

}  // namespace

TempDir::TempDir(std::string_view prefix)
    : path_(std::filesystem::temp_directory_path() / UniqueName(prefix)) {
    std::filesystem::remove_all(path_);  // left over by an earlier process with the same id
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace testsupport
