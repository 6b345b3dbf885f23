#include "data_controls/image_list_color.h"

#include "platform/ui/dc_drawing.h"

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

void DrawImageListImage(HDC dc, int x, int y, TCustomImageList* images, bool selected, int imageIndex) {
    if (images == nullptr || !images->HandleAllocated())
        return;
    const COLORREF blend = ImageListColor(selected ? clHighlight : images->BlendColor());
    const UINT style = (images->ImageType() == itMask ? ILD_MASK : ILD_NORMAL) | (selected ? ILD_BLEND50 : 0);
    ImageList_DrawEx(images, imageIndex, dc, x, y, 0, 0, ImageListColor(images->BkColor()), blend, style);
}

void DrawImageCentered(HDC dc, const TRect& rect, TCustomImageList* images, bool selected, int imageIndex) {
    if (images == nullptr)
        return;
    const int x = (rect.Left + rect.Right - images->Width()) / 2;
    const int y = (rect.Top + rect.Bottom - images->Height()) / 2;
    const TRect image = Bounds(x, y, images->Width(), images->Height());
    const bool inside = image.Left >= rect.Left && image.Top >= rect.Top && image.Right <= rect.Right &&
                        image.Bottom <= rect.Bottom;
    if (inside) {
        DrawImageListImage(dc, x, y, images, selected, imageIndex);
        return;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    DrawImageListImage(dc, x, y, images, selected, imageIndex);
    RestoreDC(dc, saved);
}
