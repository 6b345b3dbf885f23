#pragma once
// File names and the executable's own path.
#include <string>
#include <string_view>

std::string ExecutablePath();  // full path of the running program
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);  // ext with its dot
std::string ExtractFilePath(std::string_view fileName);                      // with the trailing '/'
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);  // with the dot, or empty
bool FileExists(std::string_view fileName);             // a regular file (or a link to one)
bool DirectoryExists(std::string_view dir);
bool CopyFile(std::string_view from, std::string_view to, bool failIfExists);
std::string UserConfigDir();  // $XDG_CONFIG_HOME or ~/.config
