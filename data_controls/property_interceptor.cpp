#include "data_controls/property_interceptor.h"

#include <algorithm>

void TPropertyInterceptorRegistry::Register(const TInterceptedClass& targetClass,
                                            const TPropertyInterceptorClass& interceptorClass) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.Target.Name == targetClass.Name; });
    entries_.push_back({targetClass, interceptorClass});
}

void TPropertyInterceptorRegistry::Unregister(const TInterceptedClass& targetClass,
                                              const TPropertyInterceptorClass& interceptorClass) {
    std::erase_if(entries_, [&](const Entry& entry) {
        return entry.Target.Name == targetClass.Name && entry.Interceptor.Name == interceptorClass.Name;
    });
}

const TPropertyInterceptorClass* TPropertyInterceptorRegistry::InterceptorClassFor(
    const TPersistent& target) const {
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (entry->Target.InstanceOf(target))
            return &entry->Interceptor;
    }
    return nullptr;
}
