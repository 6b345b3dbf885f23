// An image centred vertically in a cell: drawn straight when it fits, else clipped to the cell.
#include "data_grid/grid_text.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/image_list.h"

namespace {

int ImageX(const TRect& ARect, int DX, int Width, TAlignment Align) {
    switch (Align) {
        case taRightJustify:
            return DX + ARect.Right - Width;
        case taCenter:
            return DX + (ARect.Right + ARect.Left - Width) / 2;
        default:
            return DX + ARect.Left;
    }
}

// The canvas's own clip comes back as it was, even when drawing raises.
class TClipScopeEh {
  public:
    explicit TClipScopeEh(TCanvas& Canvas)
        : canvas_(Canvas), had_(GetClipRgn(Canvas.Handle(), saved_) == 1) {}
    ~TClipScopeEh() { SelectClipRgn(canvas_.Handle(), had_ ? &saved_ : nullptr); }
    TClipScopeEh(const TClipScopeEh&) = delete;
    TClipScopeEh& operator=(const TClipScopeEh&) = delete;

  private:
    TCanvas& canvas_;
    platform::ui::Region saved_;
    bool had_;
};

}  // namespace

void DrawImageClipped(TCustomImageList* Images, TBitmap* Bitmap, TCanvas* ACanvas, const TRect& ARect,
                      int ImageIndex, int DX, TAlignment Align) {
    if (Images == nullptr && Bitmap == nullptr)
        return;
    const TSize size = Images != nullptr ? TSize{Images->Width(), Images->Height()}
                                         : TSize{Bitmap->Width(), Bitmap->Height()};
    const int x = ImageX(ARect, DX, size.cx, Align);
    const int y = (ARect.Bottom + ARect.Top - size.cy) / 2;
    auto draw = [&] {
        if (Images != nullptr)
            Images->Draw(ACanvas, x, y, ImageIndex, true);
        else
            ACanvas->Draw(x, y, Bitmap);
    };
    if (UnionRect(Bounds(x, y, size.cx, size.cy), ARect) == ARect) {
        draw();
        return;
    }
    TClipScopeEh clip(*ACanvas);
    IntersectClipRect(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    draw();
}
