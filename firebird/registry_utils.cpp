#include "firebird/registry_utils.h"

#include <mutex>
#include <vector>

#include "platform/os/registry.h"

namespace {

// The process's registry object; the lock keeps two threads from sharing its open key.
struct SharedRegistry {
    std::mutex mutex;
    TRegistry registry;
};

SharedRegistry& Shared() {
    static SharedRegistry shared;
    return shared;
}

// Closes the shared object's key on every path out.
class OpenedPath {
  public:
    OpenedPath(TRegistry& reg, HKEY root, std::span<const std::string> path) : reg_(reg) {
        reg_.SetRootKey(root);
        ok_ = true;
        for (const std::string& key : path) {
            if (!reg_.OpenKeyReadOnly(key)) {
                ok_ = false;
                break;
            }
        }
        if (path.empty())
            ok_ = reg_.OpenKeyReadOnly("");
    }
    ~OpenedPath() { reg_.CloseKey(); }
    OpenedPath(const OpenedPath&) = delete;
    OpenedPath& operator=(const OpenedPath&) = delete;
    bool Ok() const { return ok_; }

  private:
    TRegistry& reg_;
    bool ok_ = false;
};

void ReadOne(const TRegistry& reg, Variant& result, int i, const std::string& name) {
    try {
        switch (reg.GetDataType(name)) {
            case TRegDataType::rdString:
            case TRegDataType::rdExpandString: {
                std::string text = reg.ReadString(name);
                result.PutElement({1, i}, Variant(!text.empty()));
                result.PutElement({0, i}, Variant(std::move(text)));
                break;
            }
            case TRegDataType::rdInteger:
                result.PutElement({0, i}, Variant(reg.ReadInteger(name)));
                result.PutElement({1, i}, Variant(true));
                break;
            default:
                break;
        }
    } catch (const Exception&) {
        result.PutElement({1, i}, Variant(false));
    }
}

}  // namespace

Variant RegReadValues(HKEY root, std::span<const std::string> path, std::span<const std::string> names) {
    SharedRegistry& shared = Shared();
    std::lock_guard lock(shared.mutex);
    OpenedPath opened(shared.registry, root, path);
    if (!opened.Ok())
        return Variant(false);
    Variant result = VarArrayCreate({0, 1, 0, static_cast<int>(names.size()) - 1}, varVariant);
    for (std::size_t i = 0; i < names.size(); ++i)
        ReadOne(shared.registry, result, static_cast<int>(i), names[i]);
    return result;
}

Variant RegReadUserValues(std::span<const std::string> path, std::span<const std::string> names) {
    return RegReadValues(HKEY_CURRENT_USER, path, names);
}

Variant RegGetSubKeyNames(HKEY root, std::span<const std::string> path) {
    SharedRegistry& shared = Shared();
    std::lock_guard lock(shared.mutex);
    OpenedPath opened(shared.registry, root, path);
    if (!opened.Ok())
        return Variant(false);
    const std::vector<std::string> keys = shared.registry.GetKeyNames();
    if (keys.empty())
        return Variant(false);
    Variant result = VarArrayCreate({0, static_cast<int>(keys.size()) - 1}, varVariant);
    for (std::size_t i = 0; i < keys.size(); ++i) result.PutElement({static_cast<int>(i)}, Variant(keys[i]));
    return result;
}

Variant RegGetUserSubKeyNames(std::span<const std::string> path) {
    return RegGetSubKeyNames(HKEY_CURRENT_USER, path);
}

std::string RegFindUserSubKeyByValue(std::string_view keyPath, std::string_view valueName,
                                     std::string_view value) {
    const std::string path[] = {std::string(keyPath)};
    const Variant keys = RegGetUserSubKeyNames(path);
    if (!keys.IsArray())
        return {};
    const std::string names[] = {std::string(valueName)};
    for (int i = keys.LowBound(1); i <= keys.HighBound(1); ++i) {
        const std::string sub = keys[i].AsString();
        const std::string subPath[] = {std::string(keyPath) + "\\" + sub};
        const Variant read = RegReadUserValues(subPath, names);
        if (!read.IsArray())
            continue;
        const Variant& text = read.GetElement({0, 0});
        if (text.IsString() && text.AsString() == value)
            return sub;
    }
    return {};
}
