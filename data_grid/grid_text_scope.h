#pragma once
// Undoing what a text drawing changed on a canvas, on every way out.
#include "platform/ui/brush.h"
#include "platform/ui/canvas.h"

// Clears the brush for a text drawn without fill; the style comes back afterwards.
class TClearBrushScopeEh {
  public:
    TClearBrushScopeEh(TCanvas& Canvas, bool Clear)
        : brush_(*Canvas.Brush()), style_(brush_.Style()), clear_(Clear) {
        if (clear_)
            brush_.SetStyle(bsClear);
    }
    ~TClearBrushScopeEh() {
        if (clear_)
            brush_.SetStyle(style_);
    }
    TClearBrushScopeEh(const TClearBrushScopeEh&) = delete;
    TClearBrushScopeEh& operator=(const TClearBrushScopeEh&) = delete;

  private:
    TBrush& brush_;
    TBrushStyle style_;
    bool clear_;
};

class TCanvasLockScopeEh {
  public:
    explicit TCanvasLockScopeEh(TCanvas& Canvas) : canvas_(Canvas) { canvas_.Lock(); }
    ~TCanvasLockScopeEh() { canvas_.Unlock(); }
    TCanvasLockScopeEh(const TCanvasLockScopeEh&) = delete;
    TCanvasLockScopeEh& operator=(const TCanvasLockScopeEh&) = delete;

  private:
    TCanvas& canvas_;
};

// Whether the display shows the canvas's brush colour as another: text then goes off-screen.
bool BrushNeedsDrawBitmap(TCanvas& Canvas);

// The shared bitmap made ready for a cell: grown, its canvas taking the font, its colour and the
// brush (solid), and the cell's size filled. Holds a user of the bitmap and its canvas's lock.
class TOffscreenCellEh {
  public:
    TOffscreenCellEh(TCanvas& Canvas, int Width, int Height);
    ~TOffscreenCellEh();
    TOffscreenCellEh(const TOffscreenCellEh&) = delete;
    TOffscreenCellEh& operator=(const TOffscreenCellEh&) = delete;
    TCanvas& Canvas() { return *canvas_; }
    // Copies the cell back onto the canvas at Dest.
    void CopyTo(TCanvas& Dest, const TRect& DestRect);

  private:
    TCanvas* canvas_ = nullptr;
    int width_;
    int height_;
};
