#pragma once
// Every distinct button face is rendered once into a bitmap, keyed by size and state, and
// afterwards only stretched into place: a grid column of equal cells shares one bitmap.
#include <cstdint>
#include <memory>
#include <vector>

#include "data_controls/edit_button_style.h"
#include "platform/ui/bitmap.h"

struct TButtonBitmapKeyEh {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TDrawButtonStyleEh Style = dbsDropDownEh;
    bool Flat = false;
    bool Pressed = false;
    bool Hot = false;
    bool Enabled = true;
    std::uint8_t Half = 0;        // 1: the lower arrow of an up-down pair
    std::uint8_t CheckState = 0;  // 0 unchecked, 1 checked, 2 grayed
    bool operator==(const TButtonBitmapKeyEh&) const = default;
};

class TButtonsBitmapCache {
  public:
    // The bitmap for the key, rendered on first request; it stays the cache's. A negative size
    // counts as 0.
    TBitmap* GetButtonBitmap(TButtonBitmapKeyEh key);
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

  private:
    struct Entry {
        TButtonBitmapKeyEh Key;
        std::unique_ptr<TBitmap> Bitmap;
    };
    std::vector<Entry> entries_;
};

// The cache the edit controls and the grid share.
TButtonsBitmapCache& ButtonsBitmapCache();
// Drops every face; the grid calls it when the system colours change.
void FlushButtonBitmapCache();

// Paints one edit button or check box into rect through the cache. DownButton: 0 none, 1 the
// whole button or the upper arrow, 2 the lower arrow.
void PaintEditButton(HDC dc, TRect rect, TColor parentColor, int checkState, bool enabled, bool hot,
                     bool flat, int downButton, TDrawButtonStyleEh style);
