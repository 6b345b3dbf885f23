#include "data_controls/button_bitmap_cache.h"

#include <algorithm>

#include "data_controls/button_faces.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/themes.h"

namespace {

TRect Shrunk(const TRect& r, int by) {
    return Rect(r.Left + by, r.Top + by, r.Right - by, r.Bottom - by);
}

void RenderFace(TBitmap& bitmap, const TButtonBitmapKeyEh& key) {
    HDC dc = bitmap.Canvas();
    const TRect all = Rect(0, 0, key.Width, key.Height);
    if (key.Style == dbsCheckBoxEh)
        DrawCheckGlyph(dc, all, key.CheckState, key.Hot, key.Pressed, key.Flat, key.Enabled);
    else
        DrawButtonFace(dc, key.Style, all, key.Half, key.Pressed, key.Hot, key.Flat, key.Enabled);
}

void StretchInto(HDC dc, const TRect& rect, const TButtonBitmapKeyEh& key) {
    TBitmap* face = ButtonsBitmapCache().GetButtonBitmap(key);
    StretchBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), face->Canvas(), 0, 0, face->Width(),
               face->Height(), SRCCOPY);
}

TButtonBitmapKeyEh KeyFor(const TRect& rect, TDrawButtonStyleEh style, bool flat, bool pressed, bool hot,
                          bool enabled, int half, int checkState) {
    return {rect.Width(),
            rect.Height(),
            style,
            flat,
            pressed,
            hot,
            enabled,
            static_cast<std::uint8_t>(half),
            static_cast<std::uint8_t>(checkState)};
}

void FrameWith(HDC dc, const TRect& rect, TColor color) {
    dc->Brush()->SetColor(color);
    dc->FrameRect(rect);
}

void PaintCheckBox(HDC dc, TRect rect, TColor parentColor, int checkState, bool enabled, bool hot, bool flat,
                   int downButton) {
    const int w = rect.Width(), h = rect.Height();
    if (w < h) {
        rect.Top += (h - w) / 2;
        rect.Bottom -= (h - w) / 2 + (h - w) % 2;
    } else if (h < w) {
        rect.Left += (w - h) / 2;
        rect.Right -= (w - h) / 2 + (w - h) % 2;
    }
    if (flat)
        rect = Shrunk(rect, 1);
    StretchInto(dc, rect, KeyFor(rect, dbsCheckBoxEh, flat, downButton != 0, hot, enabled, 0, checkState));
    if (!flat)
        return;
    rect = Shrunk(rect, -1);
    if (hot) {
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    FrameWith(dc, rect, parentColor);
}

void PaintUpDown(HDC dc, TRect rect, TColor parentColor, bool enabled, bool hot, bool flat, int downButton,
                 bool thin) {
    if (thin)
        rect = Shrunk(rect, -1);
    const int halfHeight = rect.Height() / 2;
    const TRect halves[2] = {Rect(rect.Left, rect.Top, rect.Right, rect.Top + halfHeight),
                             Rect(rect.Left, rect.Bottom - halfHeight, rect.Right, rect.Bottom)};
    for (int half = 0; half < 2; ++half) {
        const TRect part = thin ? Shrunk(halves[half], 1) : halves[half];
        StretchInto(dc, part, KeyFor(part, dbsUpDownEh, flat, downButton == half + 1, hot, enabled, half, 0));
    }
    const bool oddHeight = rect.Height() % 2 != 0;
    if (thin)
        rect = Shrunk(rect, 1);
    if (oddHeight || thin) {
        // The row between the halves.
        TRect middle = Rect(rect.Left, halves[0].Bottom, rect.Right, halves[1].Top);
        if (thin) {
            middle.Top -= 1;
            middle.Bottom += 1;
        }
        platform::ui::PaintSolid(*dc, middle, parentColor);
    }
}

}  // namespace

TBitmap* TButtonsBitmapCache::GetButtonBitmap(TButtonBitmapKeyEh key) {
    key.Width = std::max(key.Width, 0);
    key.Height = std::max(key.Height, 0);
    for (const Entry& entry : entries_)
        if (entry.Key == key)
            return entry.Bitmap.get();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(key.Width, key.Height);
    if (key.Style <= dbsMinusEh && key.Width > 0 && key.Height > 0)
        RenderFace(*bitmap, key);
    entries_.push_back({key, std::move(bitmap)});
    return entries_.back().Bitmap.get();
}

TButtonsBitmapCache& ButtonsBitmapCache() {
    static TButtonsBitmapCache cache;
    return cache;
}

void FlushButtonBitmapCache() {
    ButtonsBitmapCache().Clear();
}

void PaintEditButton(HDC dc, TRect rect, TColor parentColor, int checkState, bool enabled, bool hot,
                     bool flat, int downButton, TDrawButtonStyleEh style) {
    if (style == dbsCheckBoxEh) {
        PaintCheckBox(dc, rect, parentColor, checkState, enabled, hot, flat, downButton);
        return;
    }
    // A flat button at rest shows a one-pixel frame of its parent's colour instead of a rim.
    const bool thin = flat && !hot && !ThemeServices().ThemesEnabled();
    if (thin)
        rect = Shrunk(rect, 1);
    if (style == dbsUpDownEh)
        PaintUpDown(dc, rect, parentColor, enabled, hot, flat, downButton, thin);
    else
        StretchInto(dc, rect, KeyFor(rect, style, flat, downButton != 0, hot, enabled, 0, 0));
    if (thin)
        FrameWith(dc, Shrunk(rect, -1), parentColor);
}
