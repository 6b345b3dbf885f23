#include "data_controls/property_interceptor.h"

#include <algorithm>
#include <ranges>

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
    auto latest = std::ranges::find_if(entries_ | std::views::reverse,
                                       [&](const Entry& entry) { return entry.Target.InstanceOf(target); });
    return latest == std::ranges::end(entries_ | std::views::reverse) ? nullptr : &latest->Interceptor;
}
