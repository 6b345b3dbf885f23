#include "platform/ui/system_metrics.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, int>, 28> kMetrics{{
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},
    {SM_CYCAPTION, 18},
    {SM_CYMENU, 19},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    // How far the pointer goes with a button held before it is a drag.
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_SWAPBUTTON, 0},
    {SM_MIDEASTENABLED, 0},
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

TSize SystemBitmapSize(int id) {
    if (id == OBM_CHECKBOXES)
        return {4 * GetSystemMetrics(SM_CXMENUCHECK), 3 * GetSystemMetrics(SM_CYMENUCHECK)};
    return {};
}

UINT GetDoubleClickTime() {
    return 500;
}
