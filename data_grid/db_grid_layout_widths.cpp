// Column widths: auto-fitting them to the client width, what a sized or moved column changes, and
// scaling fonts and widths with the form.
#include <algorithm>
#include <numeric>
#include <optional>

#include "data_controls/edit_button_metrics.h"
#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_layout_scale.h"
#include "data_grid/grid_filter.h"
#include "platform/rtl/mul_div.h"
#include "platform/ui/font.h"
#include "platform/ui/system_metrics.h"

namespace {

std::vector<TColumnEh*> ShownColumns(const std::vector<IGridColumnEh*>& Visible) {
    std::vector<TColumnEh*> shown;
    for (IGridColumnEh* column : Visible)
        if (auto* typed = dynamic_cast<TColumnEh*>(column))
            shown.push_back(typed);
    return shown;
}

void ScaleFont(TFont* Font, int M, int D) {
    Font->SetSize(MulDiv(Font->Size(), M, D));
}

void ScaleColumnFonts(TColumnEh& Column, int M, int D) {
    if (Column.OwnValues().Contains(ovFont))
        ScaleFont(Column.Font(), M, D);
    if (Column.OwnValues().Contains(ovTitleFont))
        ScaleFont(Column.Title()->Font(), M, D);
    if (auto* footer = dynamic_cast<TColumnFooterEh*>(Column.Footer());
        footer != nullptr && footer->FooterOwnValues().Contains(fovFont))
        ScaleFont(footer->Font(), M, D);
    for (int i = 0; Column.Footers() != nullptr && i < Column.Footers()->Count(); ++i)
        if (auto* extra = dynamic_cast<TColumnFooterEh*>(Column.Footers()->Items(i));
            extra != nullptr && extra->FooterOwnValues().Contains(fovFont))
            ScaleFont(extra->Font(), M, D);
}

// The filter row's settings stay in their update while columns are sized or moved.
class FilterUpdate {
  public:
    explicit FilterUpdate(IGridFilterRowEh* Filter) : filter_(dynamic_cast<TSTDBGridEhFilter*>(Filter)) {
        if (filter_ != nullptr)
            filter_->LockUpdate();
    }
    ~FilterUpdate() {
        if (filter_ != nullptr)
            filter_->UnlockUpdate();
    }
    FilterUpdate(const FilterUpdate&) = delete;
    FilterUpdate& operator=(const FilterUpdate&) = delete;

  private:
    TSTDBGridEhFilter* filter_;
};

}  // namespace

void TCustomDBGridEh::AutoFitColumns() {
    if (!autoFitColWidths_ || ComponentState().Contains(csDesigning) || !HandleAllocated())
        return;
    const std::vector<TColumnEh*> shown = ShownColumns(visibleColumns_);
    std::vector<bool> inRange(shown.size(), true);
    const bool colLines = options_.Contains(gdoColLinesEh);
    auto fitting = [&](std::size_t i) { return shown[i]->AutoFitColWidth() && inRange[i]; };
    for (std::size_t pass = 0; pass < shown.size(); ++pass) {
        RefreshVertScrollBar();
        int initSum = 0;
        int fixedSum = 0;
        for (std::size_t i = 0; i < shown.size(); ++i)
            (fitting(i) ? initSum : fixedSum) += fitting(i) ? shown[i]->InitialWidth() : shown[i]->Width();
        int available = std::max(std::max(ClientWidth(), minAutoFitWidth_) - fixedSum, 0);
        if (indicatorOffset_ > 0)
            available -= ColWidths(0);
        if (colLines)
            available -= static_cast<int>(shown.size()) + (indicatorOffset_ > 0 ? 1 : 0);
        bool leftRange = false;
        int given = 0;
        int last = -1;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (!fitting(i))
                continue;
            const int width = ScaleKeeping(shown[i]->InitialWidth(), available, initSum);
            shown[i]->SetWidth(width);
            if (shown[i]->Width() != width) {
                inRange[i] = false;
                leftRange = true;
            }
            given += shown[i]->Width();
            last = static_cast<int>(i);
        }
        if (leftRange)
            continue;
        // Rounding leaves a few pixels over or short: the rightmost fitted column takes them.
        if (last >= 0 && given != available) {
            TColumnEh* column = shown[static_cast<std::size_t>(last)];
            column->SetWidth(std::max(column->Width() + available - given, 0));
        }
        break;
    }
}

void TCustomDBGridEh::ColWidthsChanged() {
    std::optional<FilterUpdate> filterUpdate(std::in_place, stFilter_.get());
    const bool mapped = dataLink_->Active() || (columns_ && columns_->Customized());
    if (mapped && TryBeginLayout()) {
        try {
            TCustomGrid::ColWidthsChanged();
            FitWidthsAfterSizing();
        } catch (...) {
            EndLayout();
            throw;
        }
        EndLayout();
    } else {
        TCustomGrid::ColWidthsChanged();
    }
    RefreshEditors();
    if (OnColumnWidthsChange)
        OnColumnWidthsChange(this);
    SyncExternalHorzScrollBar();
    filterUpdate.reset();
    PlaceFilterEditor();
}

// The user sized a grid column: the columns take the new width, or with auto-fit their initial
// widths change so the next fit keeps the size.
void TCustomDBGridEh::FitWidthsAfterSizing() {
    auto column = [&](int gridCol) {
        return dynamic_cast<TColumnEh*>(columns_->Items(GridColToDataCol(gridCol)));
    };
    const int count = columns_ ? columns_->Count() : 0;
    for (int gridCol = indicatorOffset_; gridCol < ColCount() && GridColToDataCol(gridCol) < count;
         ++gridCol) {
        TColumnEh* c = column(gridCol);
        if (c != nullptr && c->Visible() && ColWidths(gridCol) > 0 &&
            c->ClampWidth(ColWidths(gridCol)) != ColWidths(gridCol))
            SetColWidths(gridCol, c->ClampWidth(ColWidths(gridCol)));
    }
    const bool fitting = autoFitColWidths_ && !ComponentState().Contains(csDesigning);
    const std::vector<TColumnEh*> shown = ShownColumns(visibleColumns_);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        TColumnEh* c = shown[i];
        const int newWidth = ColWidths(DataColToGridCol(c->Index()));
        if (!fitting) {
            c->SetWidth(newWidth);
            continue;
        }
        const int oldWidth = c->Width();
        if (newWidth == oldWidth)
            continue;
        if (extOptions_.Contains(gxoResizeWholeRightPartEh)) {
            if (c->AutoFitColWidth())
                c->SetInitialWidth(ScaleKeeping(c->InitialWidth(), newWidth, oldWidth));
            else
                c->SetWidth(newWidth);
            int rightSum = 0;
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                if (shown[j]->AutoFitColWidth())
                    rightSum += shown[j]->Width();
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                TColumnEh* right = shown[j];
                if (!right->AutoFitColWidth())
                    continue;
                const int initial = right->InitialWidth();
                const int scaled =
                    rightSum == 0 ? initial : MulDiv(rightSum + oldWidth - newWidth, initial, rightSum);
                right->SetInitialWidth(std::max(scaled, 1));
            }
        } else if (c->AutoFitColWidth()) {
            const int oldInitial = c->InitialWidth();
            const int newInitial = ScaleKeeping(oldInitial, newWidth, oldWidth);
            c->SetInitialWidth(newInitial);
            if (i + 1 < shown.size())
                shown[i + 1]->SetInitialWidth(
                    std::max(shown[i + 1]->InitialWidth() + oldInitial - newInitial, 0));
        } else {
            c->SetWidth(newWidth);
        }
    }
}

void TCustomDBGridEh::ColumnMoved(int FromIndex, int ToIndex) {
    const int from = GridColToDataCol(FromIndex);
    const int to = GridColToDataCol(ToIndex);
    std::optional<FilterUpdate> filterUpdate(std::in_place, stFilter_.get());
    if (columns_ && from >= 0 && from < columns_->Count())
        if (auto* item = dynamic_cast<TCollectionItem*>(columns_->Items(from)))
            item->SetIndex(to);
    if (OnColumnMove)
        OnColumnMove(this, from, to);
    filterUpdate.reset();
    PlaceFilterEditor();
}

void TCustomDBGridEh::ChangeScale(int M, int D) {
    if (M != D) {
        if (!ParentFont()) {
            titleFont_->SetSize(MulDiv(Font()->Size(), M, D));
            ScaleFont(footerFont_.get(), M, D);
        }
        auto* columns = dynamic_cast<TDBGridColumnsEh*>(columns_.get());
        if (columns != nullptr) {
            columns->BeginUpdate();
            try {
                // Scaled as running sums, so the columns' right edges land where the scaled whole puts them.
                int sum = 0;
                int previous = 0;
                for (int i = 0; i < columns->Count(); ++i) {
                    TColumnEh* column = columns->ColumnAt(i);
                    ScaleColumnFonts(*column, M, D);
                    sum += column->Width();
                    const int scaled = MulDiv(sum, M, D);
                    column->SetWidth(scaled - previous);
                    previous = scaled;
                }
            } catch (...) {
                columns->EndUpdate();
                throw;
            }
            columns->EndUpdate();
        }
    }
    TCustomGrid::ChangeScale(M, D);
}

void TCustomDBGridEh::CreateWnd() {
    LockLayout();
    try {
        TCustomGrid::CreateWnd();
    } catch (...) {
        UnlockLayout();
        throw;
    }
    UnlockLayout();
    // A new window has no message waiting: moves made from now on start afresh.
    movesWaiting_ = false;
    movedSincePaint_ = false;
    editButtonWidth_ = flat_ ? ComputeFlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
    editButtonHeight_ = DefaultRowHeight() <= (editButtonWidth_ * 3 + 1) / 2
                            ? DefaultRowHeight()
                            : EditButtonHeightForWidth(editButtonWidth_, flat_);
    if (autoFitColWidths_) {
        RefreshLayout();
    } else {
        RecalcRowCount();
        ActiveRecordChanged();
    }
    RefreshVertScrollBar();
}
