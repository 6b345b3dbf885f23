#include "platform/rtl/published_properties.h"

#include "platform/rtl/strings.h"

bool TPropInfo::IsDefault(const TPropValue& value) const {
    if (Default)
        return value == *Default;
    if (Kind == pkString)
        return std::get<std::string>(value).empty();
    if (Kind == pkFloat)
        return std::get<double>(value) == 0.0;
    return false;
}

const TPropInfo* TPropertyList::Find(std::string_view name) const {
    for (const TPropertyList* list = this; list != nullptr; list = list->parent_)
        for (const TPropInfo& info : list->own_)
            if (SameText(info.Name, name))
                return &info;
    return nullptr;
}

bool TPropertyList::Includes(const TPropertyList& list) const {
    for (const TPropertyList* l = this; l != nullptr; l = l->parent_)
        if (l == &list)
            return true;
    return false;
}

void TPropertyList::ForEach(const std::function<void(const TPropertyList&, const TPropInfo&)>& visit) const {
    std::vector<const TPropertyList*> chain;
    for (const TPropertyList* l = this; l != nullptr; l = l->parent_) chain.push_back(l);
    for (auto l = chain.rbegin(); l != chain.rend(); ++l)
        for (const TPropInfo& info : (*l)->own_)
            if (Find(info.Name) == &info)  // not hidden by a descendant
                visit(**l, info);
}
