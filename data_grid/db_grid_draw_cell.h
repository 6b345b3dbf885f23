#pragma once
// The cell being drawn, as DrawCell hands it to the drawing of each cell kind.
#include <cstdint>

#include "data_controls/db_check_box.h"
#include "data_grid/db_grid.h"

struct TCustomDBGridEh::TCellDrawEh {
    int ACol = 0;
    int ARow = 0;
    // Inside the 3-D frame when the cell has one; Full is the whole cell.
    TRect Rect;
    TRect Full;
    TGridDrawState State;
    std::uint16_t CellType = 0;
    // The column and row within the cell's area (the data column and data row for data cells).
    int AreaCol = 0;
    int AreaRow = 0;
    bool Framed = false;
    // A framed fixed cell takes the host theme's face as its background.
    bool Themed = false;
    int MarginX = 2;
    int MarginY = 2;
    bool Highlighted = false;
    bool Pressed = false;
    TColumnEh* Column = nullptr;
    TCanvas* Canvas = nullptr;
};

// What a data cell shows after its parameter events; one per cell drawn.
struct TCustomDBGridEh::TCellLookEh {
    std::string Text;
    int ImageIndex = -1;
    TCheckBoxState BoxState = cbUnchecked;
    TAlignment Alignment = taLeftJustify;
    TColor Background = 0;
    // The text's room: the cell less its always-shown buttons.
    TRect TextRect;
    int ButtonsWidth = 0;
};

// A fixed cell's background: the host theme's button face over ThemedArea (the whole cell, frame
// ring included), or without one the brush's fill of Drawn.
void PaintFixedBackground(TCanvas& Canvas, const TRect& Drawn, const TRect* ThemedArea, bool Pressed);
