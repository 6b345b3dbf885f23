// The grid's option sets and the setters that change its layout.
#include "data_grid/db_grid.h"
#include "data_grid/sum_list_grid.h"

#include <algorithm>

#include "platform/db/data_source.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"

namespace {

bool Loading(const TComponent& component) {
    return component.ComponentState().Contains(csLoading);
}

}  // namespace

void TCustomDBGridEh::ApplyGridOptions(TDBGridEhOptions Value) {
    TGridOptions grid;
    if (rowSizingAllowed_)
        grid.Include(goRowSizing);
    if (Value.Contains(gdoColLinesEh))
        grid = grid + TGridOptions{goFixedVertLine, goVertLine};
    if (Value.Contains(gdoRowLinesEh))
        grid = grid + TGridOptions{goFixedHorzLine, goHorzLine};
    if (Value.Contains(gdoColumnResizeEh))
        grid = grid + TGridOptions{goColSizing, goColMoving};
    if (Value.Contains(gdoTabsEh))
        grid.Include(goTabs);
    if (Value.Contains(gdoRowSelectEh))
        grid.Include(goRowSelect);
    if (Value.Contains(gdoEditingEh))
        grid.Include(goEditing);
    if (Value.Contains(gdoAlwaysShowEditorEh))
        grid.Include(goAlwaysShowEditor);
    TCustomGrid::SetOptions(grid);
}

void TCustomDBGridEh::SetOptions(TDBGridEhOptions Value) {
    if (Value == options_)
        return;
    if (Value.Contains(gdoRowSelectEh))
        Value = Value - TDBGridEhOptions{gdoEditingEh, gdoAlwaysShowEditorEh};
    ApplyGridOptions(Value);
    // Rows selected while multi-select was on would stay selected, unseen, and a Ctrl+Delete
    // would still delete them.
    if (options_.Contains(gdoMultiSelectEh) && !Value.Contains(gdoMultiSelectEh))
        DropSelection();
    const std::uint32_t changed = options_.Bits() ^ Value.Bits();
    options_ = Value;
    if ((changed & LayoutDBGridEhOptionBits) != 0)
        RefreshLayout();
    if (EditorMode())
        RefreshEditors();
}

void TCustomDBGridEh::DropSelection() {
    if (selectedRows_)
        selectedRows_->Clear();
    if (selection_ && selection_->Kind() != gskNoneEh) {
        selection_->Clear();
        Invalidate();
        RefreshEditors();
    }
}

void TCustomDBGridEh::SetExtOptions(TDBGridEhExtOptions Value) {
    if (Value == extOptions_)
        return;
    if (extOptions_.Contains(gxoMultiSortMarkingEh) && !Value.Contains(gxoMultiSortMarkingEh))
        for (std::size_t i = sortMarkedColumns_.size(); i > 1; --i)
            sortMarkedColumns_[i - 1]->SetSortMarker(smNoneEh);
    extOptions_ = Value;
    RefreshLayout();
}

TDataSource* TCustomDBGridEh::DataSource() const {
    return dataLink_ ? dataLink_->DataSource() : nullptr;
}

void TCustomDBGridEh::SetDataSource(TDataSource* Source) {
    if (Source == DataSource())
        return;
    DropSelection();
    dataLink_->SetDataSource(Source);
    if (Source != nullptr)
        Source->FreeNotification(this);
    DataLinkActiveChanged(dataLink_->Active());
    if (sumList_)
        sumList_->SetDataSet(Source != nullptr ? Source->DataSet() : nullptr);
}

void TCustomDBGridEh::SetFlat(bool Value) {
    if (Value == flat_)
        return;
    flat_ = Value;
    titleMargin_ = flat_ ? 2 : 4;
    if (HandleAllocated())
        RecreateWnd();
    RefreshLayout();
}

void TCustomDBGridEh::TitleFontChanged() {
    if (!copyingParentFont_ && !Loading(*this))
        SetParentFont(false);
    if (ShowsTitles() != 0)
        RefreshLayout();
}

void TCustomDBGridEh::FooterFontChanged() {
    if (!copyingParentFont_ && !Loading(*this))
        SetParentFont(false);
    if (footerRowCount_ > 0)
        RefreshLayout();
}

void TCustomDBGridEh::SetTitleFont(const TFont& Value) {
    titleFont_->Assign(Value);
}

void TCustomDBGridEh::SetFooterFont(const TFont& Value) {
    footerFont_->Assign(Value);
}

void TCustomDBGridEh::SetFooterColor(TColor Value) {
    if (!Loading(*this))
        SetParentColor(false);
    footerColor_ = Value;
    if (footerRowCount_ > 0)
        Invalidate();
}

void TCustomDBGridEh::SetFooterRowCount(int Value) {
    if (Value == footerRowCount_)
        return;
    footerRowCount_ = std::max(Value, 0);
    RefreshLayout();
}

void TCustomDBGridEh::SetTitleImages(TCustomImageList* Value) {
    if (titleImages_ != nullptr)
        titleImages_->UnRegisterChanges(titleImageChangeLink_.get());
    titleImages_ = Value;
    if (titleImages_ != nullptr) {
        titleImages_->RegisterChanges(titleImageChangeLink_.get());
        titleImages_->FreeNotification(this);
    }
    RefreshLayout();
}

void TCustomDBGridEh::SetAutoFitColWidths(bool Value) {
    if (Value == autoFitColWidths_)
        return;
    autoFitColWidths_ = Value;
    if (ComponentState().Contains(csDesigning))
        return;
    if (Value) {
        // The widths the user gave are kept to fit from.
        if (!Loading(*this)) {
            KeepColumnWidthsAsInitial();
            SetScrollBars(ssNone);
        }
    } else {
        if (columns_) {
            columns_->BeginUpdate();
            for (int i = 0; i < columns_->Count(); ++i)
                columns_->Items(i)->SetWidth(columns_->Items(i)->InitialWidth());
            columns_->EndUpdate();
        }
        SetScrollBars(ssHorizontal);
    }
    RefreshLayout();
}

void TCustomDBGridEh::SetMemoAsText(bool Value) {
    memoAsText_ = Value;
    Invalidate();
}

void TCustomDBGridEh::SetUseMultiTitle(bool Value) {
    useMultiTitle_ = Value;
    RefreshLayout();
}

void TCustomDBGridEh::SetTitleExtraHeight(int Value) {
    titleExtraHeight_ = Value;
    RefreshLayout();
}

void TCustomDBGridEh::SetRowHeight(int Value) {
    if (Value == rowHeight_)
        return;
    rowHeight_ = std::max(Value, 0);
    RefreshLayout();
}

void TCustomDBGridEh::Loaded() {
    TCustomGrid::Loaded();
    if (columns_ && columns_->Count() > 0)
        SetColCount(columns_->Count());
    if (autoFitColWidths_ && !ComponentState().Contains(csDesigning)) {
        KeepColumnWidthsAsInitial();
        SetScrollBars(ssNone);
    }
    RebuildSortMarkedList();
    if (sumList_ && DataSource() != nullptr)
        sumList_->AfterLoad();
    RefreshLayout();
    // Once more after the form's other components have settled.
    BeginLayout();
    PostDeferredUpdate();
}
