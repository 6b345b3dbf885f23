#include "data_controls/image_list_color.h"

COLORREF ImageListColor(TColor color) {
    if (color == clNone)
        return CLR_NONE;
    if (color == clDefault)
        return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(color));
}

TSize RectExtent(const TRect& rect) {
    return TSize{rect.Width(), rect.Height()};
}
