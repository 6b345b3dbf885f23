#pragma once
// How a drawn colour meets the pixels under it: the platform's binary raster operations on the
// red, green and blue bits (alpha stays opaque).
#include <cstdint>

#include "platform/ui/pen.h"

namespace platform::ui {

std::uint32_t ApplyRasterOp(TPenMode mode, std::uint32_t screen, std::uint32_t pen);

}  // namespace platform::ui
