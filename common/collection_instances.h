#pragma once
// The process-wide registry of live single-instance objects, one item per class name.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TSingletonClass;

class TCollectionInstanceItem {
  public:
    TCollectionInstanceItem(std::string className, TSingletonClass* instance);
    // Frees the instance it still refers to.
    ~TCollectionInstanceItem();
    TCollectionInstanceItem(const TCollectionInstanceItem&) = delete;
    TCollectionInstanceItem& operator=(const TCollectionInstanceItem&) = delete;

    const std::string& InstanceClassName() const { return FInstanceClassName; }
    TSingletonClass* Instance() const { return FInstance; }
    // Drops the reference without freeing, for an instance that is being freed already.
    void Forget() { FInstance = nullptr; }

  private:
    std::string FInstanceClassName;
    TSingletonClass* FInstance;
};

class TCollectionInstances {
  public:
    TCollectionInstanceItem& Add(TSingletonClass* instance, std::string className);
    TCollectionInstanceItem& Items(int index) { return *FItems.at(static_cast<std::size_t>(index)); }
    int Count() const { return static_cast<int>(FItems.size()); }
    // The first index whose class name equals the given one exactly, letter case included; -1 if none.
    int IndexOfName(std::string_view className) const;
    void Delete(int index);

  private:
    std::vector<std::unique_ptr<TCollectionInstanceItem>> FItems;
};

// The registry while any instance lives; nullptr otherwise.
TCollectionInstances* SingletonRegistry();
