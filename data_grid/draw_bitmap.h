#pragma once
// The off-screen bitmap all grids share for drawing text on colours the display cannot show
// exactly. Each grid is a user from its construction to its destruction; the bitmap exists while
// there are users and only ever grows.
class TBitmap;

// Makes the bitmap for the first user; returns it.
TBitmap* AcquireDrawBitmap();
// Frees the bitmap when the last user goes; an unmatched call does nothing.
void ReleaseDrawBitmap();
// The bitmap, or nullptr while nobody uses it.
TBitmap* DrawBitmap();
int DrawBitmapUsers();
// Makes the bitmap at least width x height; it never shrinks.
void GrowDrawBitmap(TBitmap& Bitmap, int Width, int Height);

// A user of the shared bitmap for its own lifetime (a grid holds one).
class TDrawBitmapUserEh {
  public:
    TDrawBitmapUserEh() { AcquireDrawBitmap(); }
    ~TDrawBitmapUserEh() { ReleaseDrawBitmap(); }
    TDrawBitmapUserEh(const TDrawBitmapUserEh&) = delete;
    TDrawBitmapUserEh& operator=(const TDrawBitmapUserEh&) = delete;
};
