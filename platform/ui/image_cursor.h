#pragma once
// Cursors made from a picture and its hot spot (the pixel that points), such as a program's own
// cursors built in as resources. Each gets a number above every built-in cursor, to be shown like
// them; the host draws the picture with its transparency.
#include <cstdint>
#include <map>
#include <span>
#include <string_view>

#include "platform/ui/cursors.h"
#include "platform/ui/raster_image.h"
#include "platform/ui/types.h"

class TBitmap;

struct TImageCursor {
    platform::ui::RasterImage Image;
    TPoint HotSpot;
};

class TImageCursors {
  public:
    // A new cursor of the picture; the hot spot is kept inside it.
    TCursor Create(const platform::ui::RasterImage& Image, TPoint HotSpot);
    // From a picture file's bytes (any kind TBitmap reads); 0 when they hold no picture.
    TCursor CreateFromPicture(std::span<const std::uint8_t> Bytes, TPoint HotSpot);
    // From the program resource Name (a picture TBitmap reads); 0 when it is missing or no picture.
    TCursor LoadFromResource(std::string_view Name, TPoint HotSpot);
    // Forgets the cursor; an unknown number is ignored.
    void Destroy(TCursor Cursor);
    // nullptr for a built-in or destroyed cursor.
    const TImageCursor* Find(TCursor Cursor) const;
    int Count() const { return static_cast<int>(cursors_.size()); }

  private:
    std::map<TCursor, TImageCursor> cursors_;
    TCursor next_ = 1;
};

// The program's cursors, which the hosts show.
TImageCursors& ImageCursors();
