#pragma once
// Colours and sizes as the image-list and window calls take them.
#include "platform/ui/colors.h"
#include "platform/ui/image_list.h"
#include "platform/ui/types.h"

// clNone and clDefault become the image list's own "none" and "default"; other colours their RGB.
COLORREF ImageListColor(TColor color);
TSize RectExtent(const TRect& rect);

// One image of the list at (x, y), blended with the selection colour when selected.
void DrawImageListImage(HDC dc, int x, int y, TCustomImageList* images, bool selected, int imageIndex);
// One image centred in rect, clipped to it when larger.
void DrawImageCentered(HDC dc, const TRect& rect, TCustomImageList* images, bool selected, int imageIndex);
