#pragma once
// A top-level widget's backing store lent to our surface: forms and pop-ups draw straight into the
// pixels Qt flushes to the screen, with no second full-size image copied into it on every paint.
// Only an opaque store of 32-bit pixels without row padding, of the widget's own size, is lent;
// otherwise the surface keeps pixels of its own and the widget's paint event copies them.
#include <QSize>
#include <QWidget>
#include <functional>

#include "platform/ui/raster_image.h"

class QBackingStore;
class QImage;

namespace platform::ui {

class BackingStoreSurface {
  public:
    // lost: the store's pixels went without notice (Qt made the store anew); what the surface showed
    // must be painted again.
    BackingStoreSurface(QWidget& widget, std::function<void()> lost);
    // The surface is left empty: its pixels go with the window.
    ~BackingStoreSurface();
    BackingStoreSurface(const BackingStoreSurface&) = delete;
    BackingStoreSurface& operator=(const BackingStoreSurface&) = delete;

    // Makes surface draw on the store, width x height pixels of it (see NativeWindow::LendPixels).
    bool Lend(RasterImage& surface, int width, int height, std::uint32_t fill);
    // True when the store already holds the surface's pixels: a paint event has nothing to copy.
    // A surface whose store pixels went is emptied here and reported lost.
    bool Holds();
    // The widget's paint event: nothing to do when it paints the store that holds the surface's
    // pixels, else the pixels of rect copied from the surface surfaceOf gives (nullptr: none), as
    // when Qt renders the widget elsewhere (a grab). Meanwhile the store is lent only at its size.
    void Paint(const QRect& rect, const std::function<const RasterImage*()>& surfaceOf);
    // The widget took a size the store does not have: Qt replaces the store's pixels at its next
    // paint, so the surface copies them to pixels of its own first.
    void WidgetResized();

  private:
    QImage* LendableImage(QBackingStore& store, QSize size) const;
    bool StillLent() const;
    // The surface goes back to pixels of its own, copied while the store's are still there.
    void TakeBack();
    void Forget();

    QWidget& widget_;
    std::function<void()> lost_;
    RasterImage* surface_ = nullptr;
    const QBackingStore* store_ = nullptr;  // the store whose pixels the surface draws on
    const std::uint32_t* bits_ = nullptr;   // and where those pixels are
    bool painting_ = false;
};

}  // namespace platform::ui
