#include "firebird/component_path.h"

#include "platform/rtl/component.h"

std::string ComponentPath(const TComponent* c) {
    std::string path;
    for (; c != nullptr; c = c->Owner()) {
        if (c->Name().empty())
            continue;
        path = path.empty() ? c->Name() : c->Name() + "." + path;
    }
    return path;
}
