#pragma once
// Fuzz input for parsers that read a file: the bytes written to one scratch file, reused per run.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <string>

inline const std::string& FuzzScratchFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/kiosk_fuzz_" + std::to_string(getpid()) + ".txt";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
