#include "common/collection_instances.h"

#include "common/singleton_class.h"

TCollectionInstanceItem::TCollectionInstanceItem(std::string className, TSingletonClass* instance)
    : FInstanceClassName(std::move(className)), FInstance(instance) {}

TCollectionInstanceItem::~TCollectionInstanceItem() {
    if (FInstance != nullptr) {
        FInstance->Free();
    }
}

TCollectionInstanceItem& TCollectionInstances::Add(TSingletonClass* instance, std::string className) {
    FItems.push_back(std::make_unique<TCollectionInstanceItem>(std::move(className), instance));
    return *FItems.back();
}

int TCollectionInstances::IndexOfName(std::string_view className) const {
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i]->InstanceClassName() == className) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TCollectionInstances::Delete(int index) {
    FItems.erase(FItems.begin() + index);
}
