#pragma once
// The registry as a file store: one text file per root key ("HKEY_CURRENT_USER.reg" ...) in a
// directory, by default <UserConfigDir()>/clinic-kiosk/registry. Keys hold sub-keys and named
// string, expandable-string and 32-bit integer values. Key and value names are found without
// regard to ASCII letter case and keep the case they were created with; paths use "\" between
// key names.
//
// Every operation reads the file afresh, so two store objects (or processes) over the same
// directory see each other's writes. A write replaces the file through a temporary file and a
// rename, under an exclusive lock on "<root file>.lock", so a reader never sees half a file. A
// damaged or unreadable file raises ERegistryException and is never overwritten.
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/exception.h"

using HKEY = std::uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

class ERegistryException : public Exception {
  public:
    using Exception::Exception;
};

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger };

struct RegistryValue {
    TRegDataType type = TRegDataType::rdUnknown;
    std::string text;          // rdString, rdExpandString
    std::int32_t integer = 0;  // rdInteger
};

class RegistryStore {
  public:
    explicit RegistryStore(std::string directory);
    std::string Directory() const;
    void SetDirectory(std::string directory);

    bool KeyExists(HKEY root, std::string_view path) const;
    // Sub-keys and values in the order they were created; empty for a missing key.
    std::vector<std::string> SubKeyNames(HKEY root, std::string_view path) const;
    std::vector<std::string> ValueNames(HKEY root, std::string_view path) const;
    std::optional<RegistryValue> ReadValue(HKEY root, std::string_view path, std::string_view name) const;

    void CreateKey(HKEY root, std::string_view path);  // with the keys above it
    void WriteValue(HKEY root, std::string_view path, std::string_view name, const RegistryValue& value);
    bool DeleteValue(HKEY root, std::string_view path, std::string_view name);
    bool DeleteKey(HKEY root, std::string_view path);  // with everything below it; the root stays

    std::string FileName(HKEY root) const;  // raises ERegistryException for an unknown root

  private:
    struct Key;
    Key Load(HKEY root) const;
    void Save(HKEY root, const Key& tree) const;
    template <typename Change>
    auto Modify(HKEY root, Change change);

    std::string directory_;
    mutable std::recursive_mutex mutex_;
};

std::string DefaultRegistryDirectory();
// The process's store; SetRegistryDirectory moves it (tests point it at a temporary directory).
RegistryStore& DefaultRegistryStore();
void SetRegistryDirectory(std::string directory);
