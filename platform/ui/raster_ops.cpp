#include "platform/ui/raster_ops.h"

namespace platform::ui {

std::uint32_t ApplyRasterOp(TPenMode mode, std::uint32_t screen, std::uint32_t pen) {
    const std::uint32_t s = screen & 0xFFFFFF;
    const std::uint32_t p = pen & 0xFFFFFF;
    std::uint32_t r = s;
    switch (mode) {
        case pmBlack:
            r = 0;
            break;
        case pmWhite:
            r = 0xFFFFFF;
            break;
        case pmNop:
            r = s;
            break;
        case pmNot:
            r = ~s;
            break;
        case pmCopy:
            r = p;
            break;
        case pmNotCopy:
            r = ~p;
            break;
        case pmMergePenNot:
            r = p | ~s;
            break;
        case pmMaskPenNot:
            r = p & ~s;
            break;
        case pmMergeNotPen:
            r = ~p | s;
            break;
        case pmMaskNotPen:
            r = ~p & s;
            break;
        case pmMerge:
            r = p | s;
            break;
        case pmNotMerge:
            r = ~(p | s);
            break;
        case pmMask:
            r = p & s;
            break;
        case pmNotMask:
            r = ~(p & s);
            break;
        case pmXor:
            r = p ^ s;
            break;
        case pmNotXor:
            r = ~(p ^ s);
            break;
    }
    return 0xFF000000u | (r & 0xFFFFFF);
}

}  // namespace platform::ui
