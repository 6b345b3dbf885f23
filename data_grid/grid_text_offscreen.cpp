#include "data_grid/draw_bitmap.h"
#include "data_grid/grid_text_scope.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "platform/ui/dc_drawing.h"

bool BrushNeedsDrawBitmap(TCanvas& Canvas) {
    const TColor rgb = ColorToRGB(Canvas.Brush()->Color());
    return GetNearestColor(Canvas.Handle(), rgb) != rgb;
}

TOffscreenCellEh::TOffscreenCellEh(TCanvas& Canvas, int Width, int Height) : width_(Width), height_(Height) {
    // A drawing outside any grid's lifetime still has a bitmap for its duration.
    TBitmap* bitmap = AcquireDrawBitmap();
    canvas_ = bitmap->Canvas();
    canvas_->Lock();
    GrowDrawBitmap(*bitmap, Width, Height);
    canvas_->Font()->Assign(*Canvas.Font());
    canvas_->Font()->SetColor(Canvas.Font()->Color());
    canvas_->Brush()->Assign(*Canvas.Brush());
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->FillRect({0, 0, Width, Height});
    // Transparent text: the fill above is the background.
    canvas_->Brush()->SetStyle(bsClear);
}

TOffscreenCellEh::~TOffscreenCellEh() {
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Unlock();
    ReleaseDrawBitmap();
}

void TOffscreenCellEh::CopyTo(TCanvas& Dest, const TRect& DestRect) {
    BitBlt(Dest.Handle(), DestRect.Left, DestRect.Top, width_, height_, canvas_->Handle(), 0, 0, SRCCOPY);
}
