#pragma once
// Files a fuzz target writes: only inside a folder of its own under the temporary directory,
// emptied after each input and removed when the target ends.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TFuzzScratchFolder {
  public:
    TFuzzScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kiosk_fuzz_XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
    }
    ~TFuzzScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TFuzzScratchFolder(const TFuzzScratchFolder&) = delete;
    TFuzzScratchFolder& operator=(const TFuzzScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Removes whatever the last input left inside.
    void Empty() const {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }

    // The target's one folder.
    static const TFuzzScratchFolder& Get() {
        static const TFuzzScratchFolder folder;
        return folder;
    }

  private:
    std::string path_;
};

// Fuzz input for parsers that read a file: the bytes written to one scratch file, reused per run.
inline const std::string& FuzzScratchFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = TFuzzScratchFolder::Get().Path() + "/input.txt";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
