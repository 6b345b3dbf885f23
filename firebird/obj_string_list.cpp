#include "firebird/obj_string_list.h"

#include <algorithm>

TObjStringList::TObjStringList(TObject* owner, bool hashed) : owner_(owner), hashed_(hashed) {
    if (!hashed_) {
        items_.SetSorted(true);
        items_.SetDuplicates(TDuplicates::dupIgnore);
    }
}

TObjStringList::~TObjStringList() {
    FreeObjects();
}

int TObjStringList::AddObject(std::string key, TObjectPtr<TObject> object) {
    if (!hashed_) {
        const int index = items_.AddObject(std::move(key), object.get());
        if (items_.GetObject(index) == object.get())
            object.release();
        return index;
    }
    std::int32_t hash;
    int index;
    if (FindHashed(key, hash, index))
        return index;
    hashes_.reserve(hashes_.size() + 1);  // so that the two lists cannot part after the insert
    items_.InsertObject(index, std::move(key), object.get());
    object.release();
    hashes_.insert(hashes_.begin() + index, hash);
    return index;
}

bool TObjStringList::Find(std::string_view key, int& index) const {
    if (!hashed_)
        return items_.Find(key, index);
    std::int32_t hash;
    return FindHashed(key, hash, index);
}

// Finds the run of entries with the key's hash and compares their keys; a new key goes behind the
// run, so that equal hashes stay in the order they came.
bool TObjStringList::FindHashed(std::string_view key, std::int32_t& hash, int& index) const {
    hash = HashOf(key);
    auto it = std::lower_bound(hashes_.begin(), hashes_.end(), hash);
    for (; it != hashes_.end() && *it == hash; ++it) {
        const int at = static_cast<int>(it - hashes_.begin());
        if (items_[at] == key) {
            index = at;
            return true;
        }
    }
    index = static_cast<int>(it - hashes_.begin());
    return false;
}

TObjectPtr<TObject> TObjStringList::Remove(std::string_view key) {
    int index;
    if (hashed_) {
        if (!Find(key, index))
            return nullptr;
    } else if ((index = items_.IndexOf(key)) < 0) {
        return nullptr;
    }
    return Delete(index);
}

TObjectPtr<TObject> TObjStringList::Delete(int index) {
    TObjectPtr<TObject> object(GetObject(index));
    items_.Delete(index);
    if (hashed_)
        hashes_.erase(hashes_.begin() + index);
    return object;
}

TObject* TObjStringList::GetObject(int index) const {
    return static_cast<TObject*>(items_.GetObject(index));
}

const std::string& TObjStringList::Key(int index) const {
    return items_[index];
}

void TObjStringList::FreeObjects() {
    // Emptied first, so that an object that fails while it is freed is never freed twice.
    std::vector<TObject*> objects;
    objects.reserve(static_cast<std::size_t>(items_.Count()));
    for (int i = 0; i < items_.Count(); ++i) objects.push_back(GetObject(i));
    items_.Clear();
    hashes_.clear();
    for (TObject* object : objects) Free(object);
}

std::int32_t TObjStringList::HashOf(std::string_view key) {
    // Index L is the terminating zero of a key of L characters; it takes part in the hash.
    const auto byteAt = [key](std::size_t i) -> std::uint32_t {
        return i < key.size() ? static_cast<unsigned char>(key[i]) : 0u;
    };
    const std::size_t length = key.size();
    std::uint32_t hash = 0;
    if (length < 16) {
        for (std::size_t i = 1; i <= length; ++i) hash = byteAt(i) + hash * 37 - 32;
    } else {
        const auto step = static_cast<std::ptrdiff_t>(length / 8);
        std::size_t i = 1;
        auto remaining = static_cast<std::ptrdiff_t>(length) - 1;
        do {
            hash = byteAt(i) + hash * 39 - 32;
            remaining -= step;
            i += static_cast<std::size_t>(step);
        } while (remaining >= 0);
    }
    return static_cast<std::int32_t>(hash);
}
