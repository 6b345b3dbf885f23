#include "platform/ui/system_metrics.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, int>, 12> kMetrics{{
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    // The box a second press must fall in, centred on the first.
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
}};

}  // namespace

int GetSystemMetrics(int index) {
    for (const auto& [id, value] : kMetrics)
        if (id == index)
            return value;
    return 0;
}

UINT GetDoubleClickTime() {
    return 500;
}
