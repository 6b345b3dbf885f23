// The layout rebuild: columns, fixed cells, row heights, titles, the horizontal bar, auto-fitted
// widths and the row count, in that order, then the view follows the current record.
#include "data_grid/db_grid.h"
#include "platform/ui/scroll_info.h"

void TCustomDBGridEh::RebuildGridLayout() {
    // Until construction has made the link and the columns there is nothing to lay out.
    if (!dataLink_ || !columns_)
        return;
    LayOutColumns();
    topDataOffset_ = static_cast<std::uint8_t>(ShowsTitles() + SubTitleRowCount());
    MeasureRows();
    MeasureTitleRow();
    ApplyHorzScrollBar();
    ApplyColumnAttributes();
    AutoFitColumns();
    ApplyColumnAttributes();
    if (options_.Contains(gdoRowSelectEh)) {
        // A whole-row selection keeps the view's left column.
        const int left = LeftCol();
        struct Keep {
            TCustomDBGridEh* grid;
            int left;
            ~Keep() {
                if (left < grid->ColCount())
                    grid->SetLeftCol(left);
            }
        } keep{this, left};
        RecalcRowCount();
    } else {
        RecalcRowCount();
    }
    ActiveRecordChanged();
    Invalidate();
    if (selection_)
        selection_->Revalidate();
    PlaceFilterEditor();
}

void TCustomDBGridEh::ApplyHorzScrollBar() {
    const bool designing = ComponentState().Contains(csDesigning);
    auto* bar = horzScrollBar_.get();
    const bool wanted = bar != nullptr && bar->VisibleMode() != sbNeverShowEh &&
                        bar->ExtScrollBar() == nullptr && (!autoFitColWidths_ || designing);
    const bool shown = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
    if (wanted == shown)
        return;
    SetScrollBars(wanted ? ssHorizontal : ssNone);
    if (HandleAllocated())
        RefreshVertScrollBar();
}
