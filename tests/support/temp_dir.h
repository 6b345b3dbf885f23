#pragma once
// A scratch folder of its own for the running test, removed with everything in it on destruction.
#include <filesystem>
#include <string_view>

namespace testsupport {

class TempDir {
  public:
    // Creates <temp>/<prefix>_<pid>_<n>_<suite>_<test>: one flat name even where parameterised
    // names hold "/". Outside a test (a suite's set-up) the test part is left out.
    explicit TempDir(std::string_view prefix);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

}  // namespace testsupport
