#include "platform/os/registry.h"

TRegistry::TRegistry(RegistryStore& store) : store_(store) {}

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    rootKey_ = root;
}

std::string TRegistry::Resolve(std::string_view key) const {
    if (!key.empty() && key.front() == '\\')
        return std::string(key.substr(1));
    if (!open_ || currentPath_.empty())
        return std::string(key);
    return key.empty() ? currentPath_ : currentPath_ + "\\" + std::string(key);
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    const std::string path = Resolve(key);
    if (!store_.KeyExists(rootKey_, path)) {
        if (!canCreate)
            return false;
        store_.CreateKey(rootKey_, path);
    }
    currentPath_ = path;
    open_ = true;
    readOnly_ = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key) {
    const std::string path = Resolve(key);
    if (!store_.KeyExists(rootKey_, path))
        return false;
    currentPath_ = path;
    open_ = true;
    readOnly_ = true;
    return true;
}

void TRegistry::CloseKey() {
    open_ = false;
    readOnly_ = false;
    currentPath_.clear();
}

void TRegistry::CheckOpen(std::string_view name) const {
    if (!open_)
        throw ERegistryException("No registry key is open for '" + std::string(name) + "'");
}

bool TRegistry::KeyExists(std::string_view key) const {
    return store_.KeyExists(rootKey_, Resolve(key));
}

bool TRegistry::ValueExists(std::string_view name) const {
    return open_ && store_.ReadValue(rootKey_, currentPath_, name).has_value();
}

TRegDataType TRegistry::GetDataType(std::string_view name) const {
    if (!open_)
        return TRegDataType::rdUnknown;
    auto value = store_.ReadValue(rootKey_, currentPath_, name);
    return value ? value->type : TRegDataType::rdUnknown;
}

std::string TRegistry::ReadString(std::string_view name) const {
    CheckOpen(name);
    auto value = store_.ReadValue(rootKey_, currentPath_, name);
    if (!value)
        return {};
    if (value->type != TRegDataType::rdString && value->type != TRegDataType::rdExpandString)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return value->text;
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
    CheckOpen(name);
    auto value = store_.ReadValue(rootKey_, currentPath_, name);
    if (!value)
        throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    if (value->type != TRegDataType::rdInteger)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return value->integer;
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    CheckOpen(name);
    if (readOnly_)
        throw ERegistryException("Failed to set data for '" + std::string(name) + "'");
    store_.WriteValue(rootKey_, currentPath_, name, {TRegDataType::rdString, std::string(value), 0});
}

void TRegistry::WriteExpandString(std::string_view name, std::string_view value) {
    CheckOpen(name);
    if (readOnly_)
        throw ERegistryException("Failed to set data for '" + std::string(name) + "'");
    store_.WriteValue(rootKey_, currentPath_, name, {TRegDataType::rdExpandString, std::string(value), 0});
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value) {
    CheckOpen(name);
    if (readOnly_)
        throw ERegistryException("Failed to set data for '" + std::string(name) + "'");
    store_.WriteValue(rootKey_, currentPath_, name, {TRegDataType::rdInteger, {}, value});
}

bool TRegistry::DeleteValue(std::string_view name) {
    return open_ && !readOnly_ && store_.DeleteValue(rootKey_, currentPath_, name);
}

bool TRegistry::DeleteKey(std::string_view key) {
    return store_.DeleteKey(rootKey_, Resolve(key));
}

std::vector<std::string> TRegistry::GetKeyNames() const {
    return open_ ? store_.SubKeyNames(rootKey_, currentPath_) : std::vector<std::string>{};
}

std::vector<std::string> TRegistry::GetValueNames() const {
    return open_ ? store_.ValueNames(rootKey_, currentPath_) : std::vector<std::string>{};
}

bool TRegistry::HasSubKeys() const {
    return !GetKeyNames().empty();
}
