#pragma once
// Colours and sizes as the image-list and window calls take them.
#include "platform/ui/colors.h"
#include "platform/ui/image_list.h"
#include "platform/ui/types.h"

// clNone and clDefault become the image list's own "none" and "default"; other colours their RGB.
COLORREF ImageListColor(TColor color);
TSize RectExtent(const TRect& rect);
