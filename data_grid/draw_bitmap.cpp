#include "data_grid/draw_bitmap.h"

#include <algorithm>
#include <memory>

#include "platform/ui/bitmap.h"

namespace {

// One for the whole program: every grid draws through the same bitmap.
struct SharedDrawBitmap {
    std::unique_ptr<TBitmap> Bitmap;
    int Users = 0;
};

SharedDrawBitmap& Shared() {
    static SharedDrawBitmap shared;
    return shared;
}

}  // namespace

TBitmap* AcquireDrawBitmap() {
    SharedDrawBitmap& shared = Shared();
    if (shared.Users == 0)
        shared.Bitmap = std::make_unique<TBitmap>();
    ++shared.Users;
    return shared.Bitmap.get();
}

void ReleaseDrawBitmap() {
    SharedDrawBitmap& shared = Shared();
    if (shared.Users == 0)
        return;
    if (--shared.Users == 0)
        shared.Bitmap.reset();
}

TBitmap* DrawBitmap() {
    return Shared().Bitmap.get();
}

int DrawBitmapUsers() {
    return Shared().Users;
}

void GrowDrawBitmap(TBitmap& Bitmap, int Width, int Height) {
    const int width = std::max(Bitmap.Width(), Width);
    const int height = std::max(Bitmap.Height(), Height);
    if (width != Bitmap.Width() || height != Bitmap.Height())
        Bitmap.SetSize(width, height);
}
