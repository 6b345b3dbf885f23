#include "platform/rtl/class_registry.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

void TClassRegistry::RegisterClass(TComponentClass componentClass) {
    for (TComponentClass& known : classes_)
        if (SameText(known.Name, componentClass.Name)) {
            known = std::move(componentClass);
            return;
        }
    classes_.push_back(std::move(componentClass));
}

void TClassRegistry::UnRegisterClass(std::string_view name) {
    std::erase_if(classes_, [name](const TComponentClass& c) { return SameText(c.Name, name); });
}

const TComponentClass* TClassRegistry::GetClass(std::string_view name) const {
    auto found = std::find_if(classes_.begin(), classes_.end(),
                              [name](const TComponentClass& c) { return SameText(c.Name, name); });
    return found == classes_.end() ? nullptr : &*found;
}

const TComponentClass& TClassRegistry::FindClass(std::string_view name) const {
    if (const TComponentClass* found = GetClass(name))
        return *found;
    throw EClassNotFound(Format("Class %s not found", {name}));
}

TClassRegistry& Classes() {
    static auto* classes = new TClassRegistry();
    return *classes;
}
