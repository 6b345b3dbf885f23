#include "platform/os/registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/os/os_error.h"
#include "platform/os/paths.h"
#include "platform/os/replacing_file.h"

struct RegistryStore::Key {
    std::string name;
    std::vector<Key> keys;
    std::vector<std::pair<std::string, RegistryValue>> values;
};

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

const char* RootName(HKEY root) {
    switch (root) {
        case HKEY_CLASSES_ROOT:
            return "HKEY_CLASSES_ROOT";
        case HKEY_CURRENT_USER:
            return "HKEY_CURRENT_USER";
        case HKEY_LOCAL_MACHINE:
            return "HKEY_LOCAL_MACHINE";
        case HKEY_USERS:
            return "HKEY_USERS";
        case HKEY_CURRENT_CONFIG:
            return "HKEY_CURRENT_CONFIG";
        default:
            return nullptr;
    }
}

// Control characters, "%" and the quote are written as %XX so that every entry stays on one line.
std::string Encode(std::string_view s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || c == '%' || c == '"' || u == 0x7F) {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

bool Decode(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size())
            return false;
        int v = 0;
        for (int k = 1; k <= 2; ++k) {
            const char c = s[i + static_cast<std::size_t>(k)];
            v = v * 16 + (c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1000);
        }
        if (v < 0)
            return false;
        out += static_cast<char>(v);
        i += 2;
    }
    return true;
}

template <typename K>
K* FindChild(K& key, std::string_view name) {
    for (auto& child : key.keys)
        if (SameName(child.name, name))
            return &child;
    return nullptr;
}

template <typename K>
K* FindKey(K& root, std::string_view path) {
    K* key = &root;
    for (const std::string& part : SplitPath(path)) {
        key = FindChild(*key, part);
        if (!key)
            return nullptr;
    }
    return key;
}

template <typename K>
K& CreatePath(K& root, const std::vector<std::string>& parts) {
    K* key = &root;
    for (const std::string& part : parts) {
        K* child = FindChild(*key, part);
        if (!child) {
            key->keys.push_back(K{part, {}, {}});
            child = &key->keys.back();
        }
        key = child;
    }
    return *key;
}

template <typename K>
void WriteKey(std::ostream& out, const K& key, const std::string& path) {
    if (!path.empty() || !key.values.empty())
        out << '[' << Encode(path) << "]\n";
    for (const auto& [name, value] : key.values) {
        out << '"' << Encode(name) << "\"=";
        switch (value.type) {
            case TRegDataType::rdString:
                out << "str:" << Encode(value.text);
                break;
            case TRegDataType::rdExpandString:
                out << "expand:" << Encode(value.text);
                break;
            case TRegDataType::rdInteger:
                out << "int:" << value.integer;
                break;
            default:
                out << "none:";
                break;
        }
        out << '\n';
    }
    for (const K& child : key.keys)
        WriteKey(out, child, path.empty() ? child.name : path + "\\" + child.name);
}

bool ParseValue(std::string_view line, std::string& name, RegistryValue& value) {
    if (line.size() < 2 || line[0] != '"')
        return false;
    const std::size_t close = line.find("\"=", 1);
    if (close == std::string_view::npos || !Decode(line.substr(1, close - 1), name))
        return false;
    std::string_view rest = line.substr(close + 2);
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view type = rest.substr(0, colon), data = rest.substr(colon + 1);
    if (type == "str" || type == "expand") {
        value.type = type == "str" ? TRegDataType::rdString : TRegDataType::rdExpandString;
        return Decode(data, value.text);
    }
    if (type == "int") {
        value.type = TRegDataType::rdInteger;
        try {
            std::size_t used = 0;
            const long long v = std::stoll(std::string(data), &used);
            if (used != data.size() || v < INT32_MIN || v > INT32_MAX)
                return false;
            value.integer = static_cast<std::int32_t>(v);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    return type == "none" && data.empty();
}

// An exclusive lock on a file beside the root file, for the read-change-write of one update.
class FileLock {
  public:
    explicit FileLock(const std::string& fileName) {
        fd_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ < 0)
            throw ERegistryException("Cannot open registry lock " + fileName + ": " + std::strerror(errno));
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace

RegistryStore::RegistryStore(std::string directory) : directory_(std::move(directory)) {}

std::string RegistryStore::Directory() const {
    std::lock_guard lock(mutex_);
    return directory_;
}

void RegistryStore::SetDirectory(std::string directory) {
    std::lock_guard lock(mutex_);
    directory_ = std::move(directory);
}

std::string RegistryStore::FileName(HKEY root) const {
    const char* name = RootName(root);
    if (!name)
        throw ERegistryException("Unknown registry root key " + std::to_string(root));
    std::lock_guard lock(mutex_);
    return directory_ + "/" + name + ".reg";
}

RegistryStore::Key RegistryStore::Load(HKEY root) const {
    const std::string fileName = FileName(root);
    Key tree;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        // No file yet is an empty root. A file that is there but cannot be read is not: treating it
        // as empty would let the next write replace everything in it.
        std::error_code ec;
        if (!std::filesystem::exists(fileName, ec) && !ec)
            return tree;
        throw ERegistryException("Cannot read registry file " + fileName);
    }
    Key* current = &tree;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        bool ok;
        if (line[0] == '[' && line.back() == ']') {
            std::string path;
            ok = Decode(std::string_view(line).substr(1, line.size() - 2), path);
            if (ok)
                current = &CreatePath(tree, SplitPath(path));
        } else {
            std::string name;
            RegistryValue value;
            ok = ParseValue(line, name, value);
            if (ok)
                current->values.emplace_back(std::move(name), std::move(value));
        }
        if (!ok)
            throw ERegistryException("Registry file " + fileName + " is damaged at line " +
                                     std::to_string(lineNo));
    }
    if (in.bad())
        throw ERegistryException("Cannot read registry file " + fileName);
    return tree;
}

void RegistryStore::Save(HKEY root, const Key& tree) const {
    const std::string fileName = FileName(root);
    std::ostringstream text;
    text << "; registry " << RootName(root) << "\n";
    WriteKey(text, tree, "");
    try {
        ReplaceFileContents(fileName, text.str(), 0600);
    } catch (const EOSError& e) {
        throw ERegistryException("Cannot write registry file " + fileName + ": " +
                                 std::strerror(e.ErrorCode));
    }
}

template <typename Change>
auto RegistryStore::Modify(HKEY root, Change change) {
    std::lock_guard lock(mutex_);
    const std::string fileName = FileName(root);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(fileName).parent_path(), ec);
    if (ec)
        throw ERegistryException("Cannot create registry directory for " + fileName + ": " + ec.message());
    FileLock fileLock(fileName + ".lock");
    Key tree = Load(root);
    auto result = change(tree);
    Save(root, tree);
    return result;
}

bool RegistryStore::KeyExists(HKEY root, std::string_view path) const {
    std::lock_guard lock(mutex_);
    Key tree = Load(root);
    return FindKey(tree, path) != nullptr;
}

std::vector<std::string> RegistryStore::SubKeyNames(HKEY root, std::string_view path) const {
    std::lock_guard lock(mutex_);
    Key tree = Load(root);
    std::vector<std::string> names;
    if (const Key* key = FindKey(tree, path))
        for (const Key& child : key->keys) names.push_back(child.name);
    return names;
}

std::vector<std::string> RegistryStore::ValueNames(HKEY root, std::string_view path) const {
    std::lock_guard lock(mutex_);
    Key tree = Load(root);
    std::vector<std::string> names;
    if (const Key* key = FindKey(tree, path))
        for (const auto& value : key->values) names.push_back(value.first);
    return names;
}

std::optional<RegistryValue> RegistryStore::ReadValue(HKEY root, std::string_view path,
                                                      std::string_view name) const {
    std::lock_guard lock(mutex_);
    Key tree = Load(root);
    if (const Key* key = FindKey(tree, path))
        for (const auto& value : key->values)
            if (SameName(value.first, name))
                return value.second;
    return std::nullopt;
}

void RegistryStore::CreateKey(HKEY root, std::string_view path) {
    Modify(root, [&](Key& tree) {
        CreatePath(tree, SplitPath(path));
        return true;
    });
}

void RegistryStore::WriteValue(HKEY root, std::string_view path, std::string_view name,
                               const RegistryValue& value) {
    Modify(root, [&](Key& tree) {
        Key& key = CreatePath(tree, SplitPath(path));
        for (auto& existing : key.values) {
            if (SameName(existing.first, name)) {
                existing.second = value;
                return true;
            }
        }
        key.values.emplace_back(std::string(name), value);
        return true;
    });
}

bool RegistryStore::DeleteValue(HKEY root, std::string_view path, std::string_view name) {
    return Modify(root, [&](Key& tree) {
        Key* key = FindKey(tree, path);
        if (!key)
            return false;
        for (auto it = key->values.begin(); it != key->values.end(); ++it) {
            if (SameName(it->first, name)) {
                key->values.erase(it);
                return true;
            }
        }
        return false;
    });
}

bool RegistryStore::DeleteKey(HKEY root, std::string_view path) {
    std::vector<std::string> parts = SplitPath(path);
    if (parts.empty())
        return false;
    const std::string last = parts.back();
    parts.pop_back();
    return Modify(root, [&](Key& tree) {
        Key* parent = &tree;
        for (const std::string& part : parts) {
            parent = FindChild(*parent, part);
            if (!parent)
                return false;
        }
        for (auto it = parent->keys.begin(); it != parent->keys.end(); ++it) {
            if (SameName(it->name, last)) {
                parent->keys.erase(it);
                return true;
            }
        }
        return false;
    });
}

std::string DefaultRegistryDirectory() {
    return UserConfigDir() + "/clinic-kiosk/registry";
}

RegistryStore& DefaultRegistryStore() {
    static RegistryStore store(DefaultRegistryDirectory());
    return store;
}

void SetRegistryDirectory(std::string directory) {
    DefaultRegistryStore().SetDirectory(std::move(directory));
}
