#pragma once
// The faces of edit buttons and check boxes, drawn directly, classic or by the host's theme. Controls
// paint through PaintEditButton (button_bitmap_cache.h), which keeps each distinct face as a bitmap.
#include "data_controls/edit_button_style.h"
#include "platform/ui/canvas.h"

// Half: 0 the upper arrow or a whole button, 1 the lower arrow of an up-down pair.
void DrawButtonFace(HDC dc, TDrawButtonStyleEh style, TRect rect, int half, bool pressed, bool hot, bool flat,
                    bool enabled);
// CheckState: 0 unchecked, 1 checked, 2 grayed.
void DrawCheckGlyph(HDC dc, TRect rect, int checkState, bool hot, bool pressed, bool flat, bool enabled);

void DrawDropDownGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat);
void DrawEllipsisGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat);
void DrawUpDownGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat, int half);
void DrawPlusMinusGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat,
                        bool isPlus);
