// Making and freeing the grid. The steps that call the grid's own virtual operations wait for
// AfterConstruction, so a derived grid's overrides make its parts.
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_cell_hints.h"
#include "data_grid/db_grid_filter_row_editing.h"
#include "data_grid/db_grid_inplace_search.h"

#include "data_grid/bookmark_list.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_scroll_bar.h"
#include "data_grid/grid_selection.h"
#include "data_grid/grid_style.h"

#include "data_grid/column_def_values.h"
#include "data_grid/sum_list_grid.h"

#include "data_grid/column_interceptors.h"
#include "data_grid/columns.h"

#include "platform/db/data_source.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"

TCustomDBGridEh::TCustomDBGridEh(TComponent* AOwner)
    : TCustomGrid(AOwner),
      search_(std::make_unique<TGridInplaceSearchEh>(*this)),
      filterRow_(std::make_unique<TGridFilterRowEditingEh>(*this)),
      cellHints_(std::make_unique<TGridCellHintsEh>(*this)) {
    RefreshDefaultStyle();
    TCustomGrid::SetDefaultDrawing(false);
    DesignOptionsBoost = {goColSizing};
    SetVirtualView(true);
    SetScrollBars(ssHorizontal);
    TCustomGrid::SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing,
                             goColMoving, goEditing, goTabs});
    SetRowCount(2);
    SetColCount(2);
    dataLink_ = std::make_unique<TGridDataLinkEh>(this);
    SetColor(clWindow);
    SetParentColor(false);
    titleFont_ = std::make_unique<TFont>();
    titleFont_->OnChange = [this](TObject*) { TitleFontChanged(); };
    SetSaveCellExtents(false);
    footerFont_ = std::make_unique<TFont>();
    footerFont_->OnChange = [this](TObject*) { FooterFontChanged(); };
    titleImageChangeLink_ = std::make_unique<TChangeLink>();
    titleImageChangeLink_->OnChange = [this](TObject*) { Invalidate(); };
    // The grid's start-up: its interceptors join the program's registry once.
    static const bool interceptorsRegistered = [] {
        RegisterColumnPropertyInterceptors(PropertyInterceptors());
        return true;
    }();
    (void)interceptorsRegistered;
}

void TCustomDBGridEh::AfterConstruction() {
    TCustomGrid::AfterConstruction();
    columnDefValues_ = NewColumnDefValues();
    columns_ = NewColumns();
    selectedRows_ = NewSelectedRows();
    horzScrollBar_ = NewScrollBar(sbHorizontalEh);
    vertScrollBar_ = NewScrollBar(sbVerticalEh);
    selection_ = std::make_unique<TDBGridEhSelection>(this);
    stFilter_ = NewFilterRow();
    sumList_ = NewSumList();
    // Only now: the filter row tells SubTitleRowCount whether it shows.
    topDataOffset_ = static_cast<std::uint8_t>(ShowsTitles() + SubTitleRowCount());
}

TCustomDBGridEh::~TCustomDBGridEh() {
    if (style_ != nullptr)
        style_->RemoveChangeNotification(this);
    if (titleImages_ != nullptr)
        titleImages_->UnRegisterChanges(titleImageChangeLink_.get());
    if (selection_)
        selection_->Clear();
    // The link goes first: its dataset must not call back into a grid being taken apart.
    dataLink_.reset();
    visibleColumns_.clear();
    sortMarkedColumns_.clear();
}

std::unique_ptr<IGridColumnDefValuesEh> TCustomDBGridEh::NewColumnDefValues() {
    return std::make_unique<TDBGridEhColumnDefValuesEh>(this);
}

std::unique_ptr<IGridColumnsEh> TCustomDBGridEh::NewColumns() {
    return std::make_unique<TDBGridColumnsEh>(this, TDBGridColumnsEh::ColumnClass<TDBGridColumnEh>());
}

std::unique_ptr<IGridScrollBarEh> TCustomDBGridEh::NewScrollBar(TScrollBarKindEh Kind) {
    if (Kind == sbVerticalEh)
        return std::make_unique<TVertDBGridEhScrollBar>(this);
    return std::make_unique<TDBGridEhScrollBar>(this, Kind);
}

std::unique_ptr<IGridFilterRowEh> TCustomDBGridEh::NewFilterRow() {
    return std::make_unique<TSTDBGridEhFilter>(this);
}

std::unique_ptr<IGridSelectedRowsEh> TCustomDBGridEh::NewSelectedRows() {
    return std::make_unique<TBookmarkListEh>(this);
}
