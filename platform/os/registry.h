#pragma once
// TRegistry: the registry object of the platform over a RegistryStore. It has a root key and at
// most one open key at a time; the reading and writing operations work on the open key.
// A key path that begins with "\" is taken from the root, any other from the open key.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/registry_store.h"

class TRegistry {
  public:
    explicit TRegistry(RegistryStore& store = DefaultRegistryStore());

    HKEY RootKey() const { return rootKey_; }
    void SetRootKey(HKEY root);  // closes the open key

    // Opens the key; with canCreate a missing key (and the keys above it) is created first.
    bool OpenKey(std::string_view key, bool canCreate);
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();
    bool HasCurrentKey() const { return open_; }
    const std::string& CurrentPath() const { return currentPath_; }

    bool KeyExists(std::string_view key) const;
    bool ValueExists(std::string_view name) const;
    TRegDataType GetDataType(std::string_view name) const;  // rdUnknown for a missing value

    // A missing value reads as ""; a value of another type raises "Invalid data type for '%s'".
    std::string ReadString(std::string_view name) const;
    // A missing value or one of another type raises ERegistryException.
    std::int32_t ReadInteger(std::string_view name) const;
    void WriteString(std::string_view name, std::string_view value);
    void WriteExpandString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, std::int32_t value);
    bool DeleteValue(std::string_view name);
    bool DeleteKey(std::string_view key);

    std::vector<std::string> GetKeyNames() const;
    std::vector<std::string> GetValueNames() const;
    bool HasSubKeys() const;

  private:
    std::string Resolve(std::string_view key) const;
    void CheckOpen(std::string_view name) const;

    RegistryStore& store_;
    HKEY rootKey_ = HKEY_CURRENT_USER;
    bool open_ = false;
    bool readOnly_ = false;
    std::string currentPath_;
};
