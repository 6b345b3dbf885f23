// The title's sort marker and sort index, kept in step with the grid's list of sort-marked
// columns, and the room the marker takes in the title cell.
#include <algorithm>
#include <memory>
#include <string>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/ui/canvas.h"
#include "platform/ui/font.h"

namespace {

// The columns of the title's collection as titles.
template <class Visit>
void ForEachTitle(TColumnEh& column, Visit visit) {
    TCollection* collection = column.Collection();
    if (collection == nullptr)
        return;
    for (int i = 0; i < collection->Count(); ++i)
        visit(*static_cast<TColumnEh*>(collection->Items(i))->Title());
}

}  // namespace

bool TColumnTitleEh::CollectionUpdating() const {
    TCollection* collection = column_.Collection();
    return collection != nullptr && collection->UpdateCount() > 0;
}

void TColumnTitleEh::MarkSorted() {
    TCustomDBGridEh* grid = column_.OwnerGrid();
    if (grid != nullptr && grid->ExtOptions().Contains(gxoMultiSortMarkingEh)) {
        if (sortIndex_ != 0)
            return;
        int sorted = 0;
        ForEachTitle(column_, [&](const TColumnTitleEh& title) { sorted += title.sortIndex_ != 0 ? 1 : 0; });
        sortIndex_ = sorted + 1;
        grid->SortMarkedColumns().push_back(&column_);
        return;
    }
    ForEachTitle(column_, [&](TColumnTitleEh& title) {
        if (&title != this && title.sortMarker_ != smNoneEh)
            title.SetSortMarker(smNoneEh);
    });
    sortIndex_ = 1;
    if (grid != nullptr)
        grid->SortMarkedColumns().assign(1, &column_);
}

void TColumnTitleEh::UnmarkSorted() {
    TCustomDBGridEh* grid = column_.OwnerGrid();
    if (grid != nullptr && grid->ExtOptions().Contains(gxoMultiSortMarkingEh)) {
        if (sortIndex_ == 0)
            return;
        ForEachTitle(column_, [&](TColumnTitleEh& title) {
            if (title.sortIndex_ > sortIndex_)
                --title.sortIndex_;
        });
        std::erase(grid->SortMarkedColumns(), static_cast<IGridColumnEh*>(&column_));
        sortIndex_ = 0;
        return;
    }
    sortIndex_ = 0;
    if (grid != nullptr)
        grid->SortMarkedColumns().clear();
}

void TColumnTitleEh::SetSortMarker(TSortMarkerEh Value) {
    if (Value == sortMarker_)
        return;
    sortMarker_ = Value;
    // The grid rebuilds its list from the indexes once the update ends.
    if (CollectionUpdating())
        return;
    if (Value != smNoneEh)
        MarkSorted();
    else
        UnmarkSorted();
    column_.NotifyChanged(false);
}

void TColumnTitleEh::SetSortIndex(int Value) {
    Value = std::max(Value, 0);
    if (Value == sortIndex_)
        return;
    if (CollectionUpdating()) {
        sortIndex_ = Value;
        return;
    }
    if (sortMarker_ == smNoneEh || Value == 0)
        return;
    TColumnTitleEh* holder = nullptr;
    ForEachTitle(column_, [&](TColumnTitleEh& title) {
        if (holder == nullptr && &title != this && title.sortIndex_ == Value)
            holder = &title;
    });
    if (holder == nullptr)
        return;
    std::swap(holder->sortIndex_, sortIndex_);
    if (TCustomDBGridEh* grid = column_.OwnerGrid()) {
        std::vector<IGridColumnEh*>& marked = grid->SortMarkedColumns();
        auto own = std::find(marked.begin(), marked.end(), static_cast<IGridColumnEh*>(&column_));
        auto other = std::find(marked.begin(), marked.end(), static_cast<IGridColumnEh*>(&holder->column_));
        if (own != marked.end() && other != marked.end())
            std::iter_swap(own, other);
    }
    column_.NotifyChanged(false);
}

void TColumnTitleEh::CycleSortMarker(bool KeepOthers) {
    if (!KeepOthers)
        ForEachTitle(column_, [&](TColumnTitleEh& title) {
            if (&title != this)
                title.SetSortMarker(smNoneEh);
        });
    switch (sortMarker_) {
        case smNoneEh:
            SetSortMarker(smDownEh);
            break;
        case smDownEh:
            SetSortMarker(smUpEh);
            break;
        case smUpEh:
            SetSortMarker(KeepOthers ? smNoneEh : smDownEh);
            break;
    }
}

int TColumnTitleEh::SortMarkerAreaWidth() const {
    if (sortIndex_ == 0)
        return 0;
    int width = 16;
    int numberWidth = 0;
    TCustomDBGridEh* grid = column_.OwnerGrid();
    if (grid != nullptr && grid->SortMarkedColumns().size() >= 2) {
        TCanvas* canvas = grid->Canvas();
        canvas->Font()->Assign(SortMarkerNumberFont());
        numberWidth = canvas->TextWidth(std::to_string(sortIndex_));
        width += numberWidth;
    }
    const int room = column_.Width() - 4;
    if (width > room)
        width -= 14;
    if (width > room)
        width -= numberWidth + 2;
    return width;
}

const TFont& SortMarkerNumberFont() {
    // Arial with 8-pixel characters, as the sort marker glyphs are drawn.
    static const std::unique_ptr<const TFont> font = [] {
        auto made = std::make_unique<TFont>();
        made->SetName("Arial");
        made->SetHeight(-8);
        return made;
    }();
    return *font;
}

TSortMarkerEh TColumnEh::SortMarker() const {
    return title_ ? title_->SortMarker() : smNoneEh;
}

void TColumnEh::SetSortMarker(TSortMarkerEh Value) {
    if (title_)
        title_->SetSortMarker(Value);
}

int TColumnEh::SortIndex() const {
    return title_ ? title_->SortIndex() : 0;
}
