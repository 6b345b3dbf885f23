#pragma once
// Program resources: named byte blobs built into the executable. The CMake function
// kiosk_embed_resource(<target> NAME <name> FILE <path>) (cmake/embed_resource.cmake) builds a file
// into a target and registers it under its name at start-up. Names compare without letter case.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"

class EResNotFound : public Exception {
  public:
    using Exception::Exception;
};

namespace platform::ui {

struct Resource {
    std::string Name;
    std::string Extension;  // of the embedded file, without its dot ("jpg")
    std::span<const std::uint8_t> Bytes;
};

// Called by the generated code; the bytes stay where the program holds them.
bool RegisterResource(std::string_view name, std::string_view extension, const std::uint8_t* data,
                      std::size_t size);
const Resource* FindResource(std::string_view name);
// Raises EResNotFound "Resource <name> not found".
const Resource& GetResource(std::string_view name);

}  // namespace platform::ui
