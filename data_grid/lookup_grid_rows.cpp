// The lookup grid's whole-row geometry, its own column-width fitting and its vertical scroll bar
// over the list dataset.
#include <algorithm>

#include "data_controls/spec_row.h"
#include "data_grid/columns.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/grid_scroll_bar.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/dataset.h"
#include "platform/rtl/flag_scope.h"
#include "platform/ui/scroll_info.h"

int TDBLookupGridEh::BorderSize() {
    return HandleAllocated() ? Height() - ClientHeight() : 0;
}

int TDBLookupGridEh::DataRowHeight() {
    return DefaultRowHeight() + GridLineWidthFor(gdoRowLinesEh);
}

int TDBLookupGridEh::RowPitch() {
    return DataRowHeight();
}

bool TDBLookupGridEh::TitlesShown() const {
    return TCustomDBGridEh::Options().Contains(gdoTitlesEh);
}

int TDBLookupGridEh::TitleHeight() const {
    return TitlesShown() ? RowHeights(0) : 0;
}

void TDBLookupGridEh::SetRowCount(int N) {
    N = std::clamp(N, 1, MaxRowCount);
    const int line = GridLineWidthFor(gdoRowLinesEh);
    SetHeight(TitleHeight() + line + N * DefaultRowHeight() + N * line + BorderSize() + specRowHeight_);
}

void TDBLookupGridEh::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    specRowHeight_ = specRow_ && specRow_->Visible() ? DataRowHeight() : 0;
    const int pitch = std::max(RowPitch(), 1);
    rowCount_ = std::max(1, (AHeight - BorderSize() - TitleHeight() - specRowHeight_) / pitch);
    const int height =
        TitleHeight() + BorderSize() + pitch * rowCount_ + specRowHeight_ + GridLineWidthFor(gdoRowLinesEh);
    TCustomDBGridEh::SetBounds(ALeft, ATop, AWidth, height);
}

void TDBLookupGridEh::SetShowTitles(bool Value) {
    if (Value == TitlesShown())
        return;
    TDBGridEhOptions options = TCustomDBGridEh::Options();
    if (Value)
        options.Include(gdoTitlesEh);
    else
        options.Exclude(gdoTitlesEh);
    TCustomDBGridEh::SetOptions(options);
    SetHeight(RowPitch() * rowCount_ + BorderSize() + TitleHeight() + specRowHeight_);
}

void TDBLookupGridEh::SetUseMultiTitle(bool Value) {
    TCustomDBGridEh::SetUseMultiTitle(Value);
    SetRowCount(rowCount_);
}

void TDBLookupGridEh::CreateWnd() {
    TCustomDBGridEh::CreateWnd();
    // The border is known only now, and whole rows count it.
    SetRowCount(rowCount_);
}

// Sizing a column of an auto-fitting grid widens or narrows the whole grid.
void TDBLookupGridEh::ColWidthsChanged() {
    TCustomDBGridEh::ColWidthsChanged();
    if (widthSetting_ || !HandleAllocated() || GridState() != gsColSizing || !ownAutoFit_)
        return;
    const int line = GridLineWidthFor(gdoColLinesEh);
    int sum = 0;
    for (int col = 0; col < ColCount(); ++col) sum += ColWidths(col) + line;
    TFlagScope setting(widthSetting_);
    SetClientWidth(sum);
    KeepColumnWidthsAsInitial();
}

// The widths as they stand are what the next fit starts from.
void TDBLookupGridEh::KeepColumnWidthsAsInitial() {
    for (int i = 0; i < LookupColumns()->Count(); ++i)
        LookupColumns()->ColumnAt(i)->SetInitialWidth(LookupColumns()->ColumnAt(i)->Width());
}

void TDBLookupGridEh::FitColumnWidths() {
    if (widthSetting_)
        return;
    if (ownAutoFit_) {
        TFlagScope setting(widthSetting_);
        TCustomDBGridEh::SetAutoFitColWidths(true);
        KeepColumnWidthsAsInitial();
        TCustomDBGridEh::SetAutoFitColWidths(false);
    }
    SetRowCount(rowCount_);
}

void TDBLookupGridEh::RefreshVertScrollBar() {
    if (HasMemTable()) {
        TCustomDBGridEh::RefreshVertScrollBar();
        return;
    }
    if (!HandleAllocated())
        return;
    SCROLLINFO wanted;
    wanted.fMask = SIF_ALL;
    TDataSet* list = ListDataSet();
    if (!ListDataLink()->Active() || list == nullptr) {
        wanted.nMax = 2;
    } else if (list->IsSequenced()) {
        wanted.nPage = static_cast<UINT>(std::max(DataRowCount(), 0));
        wanted.nMax = list->RecordCount() - 1;
        const TDataSetState state = list->State();
        wanted.nPos = state == dsInactive || state == dsBrowse || state == dsEdit
                          ? list->RecNo() - ListDataLink()->ActiveRecord() - 1
                          : 0;
    } else if (ListDataLink()->BufferCount() == recordCount_) {
        // The link's window is full: more records may lie beyond it.
        wanted.nMax = 4;
        wanted.nPos = list->Bof() ? 0 : list->Eof() ? 4 : 2;
    }
    SCROLLINFO current;
    current.fMask = SIF_ALL;
    if (GetScrollInfo(Handle(), SB_VERT, current) && current.nMin == wanted.nMin &&
        current.nMax == wanted.nMax && current.nPage == wanted.nPage && current.nPos == wanted.nPos)
        return;
    SetScrollInfo(Handle(), SB_VERT, wanted, true);
}

void TDBLookupGridEh::ListScrollMessage(int Code, int Pos) {
    searchText_.clear();
    TDataSet* list = ListDataSet();
    if (!ListDataLink()->Active() || list == nullptr)
        return;
    const int r = recordIndex_;
    const int c = recordCount_;
    switch (Code) {
        case SB_LINEUP:
            list->MoveBy(-r - 1);
            break;
        case SB_LINEDOWN:
            list->MoveBy(c - r);
            break;
        case SB_PAGEUP:
            list->MoveBy(1 - r - c);
            break;
        case SB_PAGEDOWN:
            list->MoveBy(2 * c - r - 2);
            break;
        case SB_THUMBPOSITION:
            if (Pos == 0)
                list->First();
            else if (Pos == 1)
                list->MoveBy(1 - r - c);
            else if (Pos == 3)
                list->MoveBy(2 * c - r - 2);
            else if (Pos == 4)
                list->Last();
            break;
        case SB_THUMBTRACK:
            if (list->IsSequenced())
                TrackThumb(*list);
            break;
        case SB_TOP:
            list->First();
            break;
        case SB_BOTTOM:
            list->Last();
            break;
        default:
            break;
    }
}

void TDBLookupGridEh::TrackThumb(TDataSet& List) {
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    if (!GetScrollInfo(Handle(), SB_VERT, info))
        return;
    const int track = info.nTrackPos;
    TGridDataLinkEh* link = ListDataLink();
    const int saved = link->ActiveRecord();
    link->SetActiveRecord(0);
    const int top = List.RecNo() - 1;
    if (track < top)
        List.MoveBy(track - top);
    else if (track > top)
        List.MoveBy(link->RecordCount() + track - top - 1);
    else
        link->SetActiveRecord(saved);
}

bool TDBLookupGridEh::WheelMoves(int Direction) {
    TDataSet* list = ListDataSet();
    if (list == nullptr)
        return false;
    list->MoveBy(Direction > 0 ? recordCount_ - recordIndex_ : -recordIndex_ - 1);
    return true;
}

bool TDBLookupGridEh::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (HasMemTable() && ListDataSet() != nullptr && !Shift.Contains(ssShift))
        return TCustomGrid::DoMouseWheelDown(Shift, MousePos);
    return WheelMoves(1);
}

bool TDBLookupGridEh::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (HasMemTable() && ListDataSet() != nullptr && !Shift.Contains(ssShift))
        return TCustomGrid::DoMouseWheelUp(Shift, MousePos);
    return WheelMoves(-1);
}

void TDBLookupGridEh::SetLookupAutoFitColWidths(bool Value) {
    if (Value == ownAutoFit_)
        return;
    ownAutoFit_ = Value;
    if (auto* bar = dynamic_cast<TDBGridEhScrollBar*>(HorzScrollBar()))
        bar->SetVisible(!Value);
    SetRowCount(rowCount_);
    RefreshVertScrollBar();
    FitColumnWidths();
}

int TDBLookupGridEh::ColumnsWidth() {
    TDBGridColumnsEh* columns = LookupColumns();
    const int line = GridLineWidthFor(gdoColLinesEh);
    int width = 0;
    for (int i = 0; i < columns->Count(); ++i) {
        TColumnEh* column = columns->ColumnAt(i);
        if (column->Visible())
            width += ownAutoFit_ ? column->InitialWidth() : column->Width();
        width += line;
    }
    return width;
}

TRect TDBLookupGridEh::DataRowsRect() {
    const int top = TopDataOffset() - (specRow_->Visible() ? 1 : 0);
    const int bottom = FooterRowCount() > 0 ? rowCount_ - FooterRowCount() - 2 : rowCount_;
    return BoxRect(IndicatorOffset(), top, ColCount() - 1, bottom);
}
