#include "platform/ui/resources.h"

#include <memory>
#include <vector>

#include "platform/rtl/strings.h"

namespace platform::ui {
namespace {
std::vector<std::unique_ptr<Resource>>& Registry() {
    static std::vector<std::unique_ptr<Resource>> registry;
    return registry;
}
}  // namespace

bool RegisterResource(std::string_view name, std::string_view extension, const std::uint8_t* data,
                      std::size_t size) {
    auto resource = std::make_unique<Resource>();
    resource->Name = std::string(name);
    resource->Extension = AnsiLowerCase(extension);
    resource->Bytes = std::span<const std::uint8_t>(data, size);
    for (auto& existing : Registry())
        if (SameText(existing->Name, name)) {
            existing = std::move(resource);
            return true;
        }
    Registry().push_back(std::move(resource));
    return true;
}

const Resource* FindResource(std::string_view name) {
    for (const auto& resource : Registry())
        if (SameText(resource->Name, name))
            return resource.get();
    return nullptr;
}

const Resource& GetResource(std::string_view name) {
    const Resource* resource = FindResource(name);
    if (resource == nullptr)
        throw EResNotFound("Resource " + std::string(name) + " not found");
    return *resource;
}

}  // namespace platform::ui
