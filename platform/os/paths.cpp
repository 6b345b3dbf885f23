#include "platform/os/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string ExecutablePath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

namespace {
std::size_t NameStart(std::string_view fileName) {
    auto slash = fileName.find_last_of('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// Position of the extension's dot within the last path component, or npos.
std::size_t ExtDot(std::string_view fileName) {
    auto dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos || dot < NameStart(fileName))
        return std::string_view::npos;
    return dot;
}
}  // namespace

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
    auto dot = ExtDot(fileName);
    std::string base(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
    return base + std::string(ext);
}

std::string ExtractFilePath(std::string_view fileName) {
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileName(std::string_view fileName) {
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
    auto dot = ExtDot(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

bool FileExists(std::string_view fileName) {
    struct stat st {};
    return !fileName.empty() && ::stat(std::string(fileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(std::string_view dir) {
    struct stat st {};
    return !dir.empty() && ::stat(std::string(dir).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CopyFile(std::string_view from, std::string_view to, bool failIfExists) {
    namespace fs = std::filesystem;
    std::error_code ec;
    auto opts = failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
    return fs::copy_file(fs::path(from), fs::path(to), opts, ec) && !ec;
}

std::string UserConfigDir() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config";
    return "/tmp";
}
