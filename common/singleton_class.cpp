#include "common/singleton_class.h"

#include <memory>

#include "common/collection_instances.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

namespace {

// Constant-initialised, so it outlives every object whose finalisation frees instances. reset()
// clears the pointer before the registry frees what it holds, so those instances' destructors find
// no registry and leave it alone.
struct RegistryHolder {
    constexpr RegistryHolder() = default;
    ~RegistryHolder() { pointer.reset(); }
    std::unique_ptr<TCollectionInstances> pointer;
};
constinit RegistryHolder holder;
std::unique_ptr<TCollectionInstances>& registry = holder.pointer;

}  // namespace

TCollectionInstances* SingletonRegistry() {
    return registry.get();
}

TSingletonClass::TSingletonClass(Key, std::string className) : FClassName(std::move(className)) {
    if (!registry) {
        registry = std::make_unique<TCollectionInstances>();
    }
    if (registry->IndexOfName(FClassName) >= 0) {
        throw Exception(Format("Нельзя создать второй экземпляр класса \"%s\".", {FClassName}));
    }
    registry->Add(this, FClassName);
}

TSingletonClass::~TSingletonClass() {
    if (!registry) {
        return;
    }
    int index = registry->IndexOfName(FClassName);
    if (index >= 0) {
        registry->Items(index).Forget();
        registry->Delete(index);
    }
    if (registry->Count() == 0) {
        registry.reset();
    }
}

void FreeInstancesOf(std::string_view className) {
    for (int i = registry ? registry->Count() - 1 : -1; i >= 0 && registry; --i) {
        if (i >= registry->Count()) {
            continue;
        }
        TCollectionInstanceItem& item = registry->Items(i);
        if (item.InstanceClassName() == className && item.Instance() != nullptr) {
            item.Instance()->Free();
        }
    }
}
