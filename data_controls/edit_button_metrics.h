#pragma once
// Sizes of edit buttons and check glyphs, and the double-click test of controls that count clicks
// themselves.
#include "platform/rtl/alignment.h"
#include "platform/ui/label.h"
#include "platform/ui/types.h"

// The default width of a flat edit button: two thirds of the default font's height, made odd so
// the glyph has a middle column, and no wider than a scroll bar's arrow.
int ComputeFlatButtonWidth();
// A flat button stands half again as tall as it is wide; a raised one is square.
int EditButtonHeightForWidth(int width, bool flat);
// The system's check-box glyph: one cell of its four-by-three picture of states.
TSize MeasureCheckGlyph();
// Where the check glyph of a cell stands, no larger than the cell.
TRect CheckBoxGlyphRect(const TRect& cell, TAlignment alignment, TTextLayout layout,
                        TSize glyph = MeasureCheckGlyph());
// Whether a click at `current`, `elapsedMs` after the one at `previous`, completes a double click.
bool IsSecondClick(TPoint previous, TPoint current, long long elapsedMs);
