#pragma once
// The grid's value types: options, cell states, mouse states, cell coordinates and ranges, and the
// per-axis draw information every geometry question is answered from.
#include <functional>

#include "platform/rtl/exceptions.h"
#include "platform/ui/set.h"
#include "platform/ui/types.h"

// A grid operation on cells or counts that cannot be done (an index out of range, too many fixed cells).
class EInvalidGridOperation : public Exception {
  public:
    using Exception::Exception;
};

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

// Bits 1, 2 and 4 of a cell's drawing state.
enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// What the mouse is doing in the grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridScrollDirectionItem { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = TSet<TGridScrollDirectionItem>;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    bool operator==(const TGridRect&) const = default;
};

// One axis of the grid as shown: columns across, rows down. Pixels count from the client area's edge;
// a cell's line follows it, and a cell of negative extent takes no room, its line neither.
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;
    int FixedBoundary = 0;        // end of the fixed cells and their lines
    int GridBoundary = 0;         // end of the last cell shown (at most GridExtent)
    int GridExtent = 0;           // the client area's size on this axis
    int LastFullVisibleCell = 0;  // the last cell shown whole
    int FullVisBoundary = 0;      // end of that cell and its line
    int FixedCellCount = 0;
    int FirstGridCell = 0;  // the first scrolling cell shown (LeftCol, TopRow)
    int GridCellCount = 0;
    std::function<int(int)> GetExtent;
    // The room a cell takes with its line.
    int Span(int index) const {
        int extent = GetExtent(index);
        return extent < 0 ? 0 : extent + EffectiveLineWidth;
    }
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};
