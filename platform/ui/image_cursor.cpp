#include "platform/ui/image_cursor.h"

#include <algorithm>

#include "platform/ui/bitmap.h"
#include "platform/ui/resources.h"

TCursor TImageCursors::Create(const platform::ui::RasterImage& Image, TPoint HotSpot) {
    HotSpot.X = std::clamp(HotSpot.X, 0, std::max(Image.Width() - 1, 0));
    HotSpot.Y = std::clamp(HotSpot.Y, 0, std::max(Image.Height() - 1, 0));
    const TCursor cursor = next_++;
    cursors_.emplace(cursor, TImageCursor{Image, HotSpot});
    return cursor;
}

TCursor TImageCursors::CreateFromPicture(std::span<const std::uint8_t> Bytes, TPoint HotSpot) {
    TBitmap picture;
    try {
        picture.LoadFromBytes(Bytes);
    } catch (const Exception&) {
        return 0;
    }
    return picture.Pixels().Empty() ? 0 : Create(picture.Pixels(), HotSpot);
}

TCursor TImageCursors::LoadFromResource(std::string_view Name, TPoint HotSpot) {
    const platform::ui::Resource* resource = platform::ui::FindResource(Name);
    return resource != nullptr ? CreateFromPicture(resource->Bytes, HotSpot) : 0;
}

void TImageCursors::Destroy(TCursor Cursor) {
    cursors_.erase(Cursor);
}

const TImageCursor* TImageCursors::Find(TCursor Cursor) const {
    const auto found = cursors_.find(Cursor);
    return found != cursors_.end() ? &found->second : nullptr;
}

TImageCursors& ImageCursors() {
    static TImageCursors cursors;
    return cursors;
}
