// Where the grid's areas lie: cell kinds, the data-cell area, data row counts and the draw
// information with the frozen columns' and footer rows' pixels.
#include <algorithm>

#include "data_grid/db_grid.h"
#include "data_grid/grid_cell_type.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/system_metrics.h"

namespace {

// Pixels from the top of the first footer row shown to the end of the rows shown; 0 when none shows.
int FooterPixelsOf(const TGridAxisDrawInfo& Vert, int FirstFooterRow) {
    if (FirstFooterRow >= Vert.GridCellCount)
        return 0;
    int pos = Vert.FixedBoundary;
    for (int row = Vert.FirstGridCell; row < Vert.GridCellCount && pos < Vert.GridBoundary; ++row) {
        if (row >= FirstFooterRow)
            return Vert.GridBoundary - pos;
        pos += Vert.Span(row);
    }
    return 0;
}

}  // namespace

std::uint16_t TCustomDBGridEh::GetCellType(int ACol, int ARow, int& AreaCol, int& AreaRow) {
    std::uint16_t horz = gctDataColEh;
    AreaCol = ACol - indicatorOffset_;
    if (ACol < indicatorOffset_) {
        horz = gctIndicatorEh;
        AreaCol = ACol;
    }
    if (ARow < topDataOffset_) {
        const int titles = ShowsTitles();
        if (ARow < titles) {
            AreaRow = ARow;
            return gctTitleRowEh | horz;
        }
        AreaRow = ARow - titles;
        return gctSubTitleRowEh | horz;
    }
    const TGridRect area = DataCellArea();
    if (ARow <= area.Bottom) {
        AreaRow = ARow - area.Top;
        return gctDataRowEh | horz;
    }
    if (footerRowCount_ > 0 && ARow < RowCount()) {
        const int firstFooter = RowCount() - footerRowCount_;
        if (ARow == firstFooter - 1) {
            AreaRow = 0;
            return gctFillerRowEh | horz;
        }
        if (ARow >= firstFooter) {
            AreaRow = ARow - firstFooter + 1;
            return gctFooterRowEh | horz;
        }
    }
    throw Exception("Algorithm error in TCustomDBGridEh.GetCellType");
}

TGridRect TCustomDBGridEh::DataCellArea() {
    TGridRect area;
    area.Left = indicatorOffset_;
    area.Top = topDataOffset_;
    area.Right = ColCount() - 1;
    // With footers the filler row and the footer rows follow the data; without them the data rows
    // end with the grid.
    area.Bottom = footerRowCount_ > 0 ? RowCount() - footerRowCount_ - 2 : RowCount() - 1;
    return area;
}

int TCustomDBGridEh::DataRowCount() {
    if (footerRowCount_ > 0)
        return RowCount() - footerRowCount_ - topDataOffset_ - 1;
    return RowCount() - topDataOffset_;
}

void TCustomDBGridEh::CalcGridDrawInfo(TGridDrawInfoEh& Info) const {
    TGridDrawInfo base;
    CalcDrawInfo(base);
    static_cast<TGridAxisDrawInfo&>(Info.Horz) = base.Horz;
    static_cast<TGridAxisDrawInfo&>(Info.Vert) = base.Vert;
    Info.Horz.FrozenPixels = 0;
    for (int col = indicatorOffset_; col < Info.Horz.FixedCellCount; ++col)
        Info.Horz.FrozenPixels += Info.Horz.Span(col);
    Info.Horz.FooterPixels = 0;
    Info.Vert.FrozenPixels = 0;
    Info.Vert.FooterPixels =
        footerRowCount_ > 0 ? FooterPixelsOf(Info.Vert, RowCount() - footerRowCount_) : 0;
}

int TCustomDBGridEh::EditButtonWidth() const {
    // Until the window is made the system's scroll-bar width stands in.
    return editButtonWidth_ > 0 ? editButtonWidth_ : GetSystemMetrics(SM_CXVSCROLL);
}

int TCustomDBGridEh::GridLineWidthFor(TDBGridEhOption LineOption) const {
    return options_.Contains(LineOption) ? GridLineWidth() : 0;
}
