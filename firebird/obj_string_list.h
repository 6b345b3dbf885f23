#pragma once
// A string-keyed list of owned objects. Plain mode keeps the keys sorted without letter case and
// ignores duplicates. Hashed mode compares keys exactly and keeps them in the order of their hash
// (equal hashes in the order they came), so that long keys are found by comparing a few integers
// and then only the keys of equal hash.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

class TObjStringList : public TObject {
  public:
    TObjStringList(TObject* owner, bool hashed);
    ~TObjStringList() override;
    std::string ClassName() const override { return "TObjStringList"; }

    // Takes the object unless the key is present: then the list keeps its first object and frees
    // this one. Returns the key's index either way.
    int AddObject(std::string key, TObjectPtr<TObject> object);
    // True when present; index is its position or where it would be inserted.
    bool Find(std::string_view key, int& index) const;
    bool FindHashed(std::string_view key, std::int32_t& hash, int& index) const;
    // Both hand the object back to the caller; Remove gives nullptr for a key that is absent.
    TObjectPtr<TObject> Remove(std::string_view key);
    TObjectPtr<TObject> Delete(int index);  // EStringListError outside the list
    TObject* GetObject(int index) const;    // EStringListError outside the list
    const std::string& Key(int index) const;
    int Count() const { return items_.Count(); }
    void FreeObjects();

    // The first character never enters the hash; keys of 16 or more characters are sampled at
    // about eight places.
    static std::int32_t HashOf(std::string_view key);

    TObject* Owner() const { return owner_; }
    bool Hashed() const { return hashed_; }

  private:
    TObject* owner_;  // not owned
    bool hashed_;
    TStringList items_;                 // the objects are owned
    std::vector<std::int32_t> hashes_;  // hashed mode: the hash of the key at the same index
};
