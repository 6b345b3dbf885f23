#include "platform/rtl/class_info.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "platform/rtl/component.h"

namespace {

// The part after the last "::" that is not inside template arguments.
std::string WithoutNamespaces(const std::string& name) {
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '<')
            ++depth;
        else if (name[i] == '>')
            --depth;
        else if (depth == 0 && name.compare(i, 2, "::") == 0)
            start = i + 2;
    }
    return name.substr(start);
}

}  // namespace

TClass TClass::Of(const TObject& object) {
    return TClass(typeid(object));
}

std::string TClass::ClassName() const {
    if (type_ == nullptr)
        return {};
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type_->name(), nullptr, nullptr, &status), &std::free);
    return WithoutNamespaces(status == 0 && demangled ? demangled.get() : type_->name());
}

TClass TClass::ClassParent() const {
    if (const auto* single = dynamic_cast<const abi::__si_class_type_info*>(type_))
        return TClass(*single->__base_type);
    if (const auto* several = dynamic_cast<const abi::__vmi_class_type_info*>(type_))
        if (several->__base_count > 0)
            return TClass(*several->__base_info[0].__base_type);
    return {};
}

bool TClass::InheritsFrom(TClass Ancestor) const {
    for (TClass c = *this; c; c = c.ClassParent())
        if (c == Ancestor)
            return true;
    return false;
}
