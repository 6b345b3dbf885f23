// Scrolling: the vertical bar shows the current record's place, its codes and the wheel move the
// dataset, the horizontal bar (the window's or an external one) follows the left column, and the
// window's size reaches the row count.
#include <algorithm>
#include <tuple>

#include "data_grid/db_grid.h"
#include "data_grid/db_grid_layout_scale.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/dataset.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/scroll_info.h"

namespace {

struct BarValues {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    bool operator==(const BarValues&) const = default;
};

BarValues ReadBar(HWND Wnd, int Bar) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(Wnd, Bar, info))
        return {};
    return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

TScrollBar* ExternalBar(const IGridScrollBarEh* Bar) {
    return Bar != nullptr ? dynamic_cast<TScrollBar*>(Bar->ExtScrollBar()) : nullptr;
}

}  // namespace

void TCustomDBGridEh::RefreshVertScrollBar() {
    if (!dataLink_ || !HandleAllocated())
        return;
    const TScrollBarVisibleModeEh mode = vertScrollBar_ ? vertScrollBar_->VisibleMode() : sbAutoShowEh;
    TScrollBar* external = ExternalBar(vertScrollBar_.get());
    BarValues values{0, 1, 2, 0};
    const BarValues old = ReadBar(Handle(), SB_VERT);
    if (dataLink_->Active()) {
        TDataSet* dataSet = dataLink_->DataSet();
        if (sumList_ && sumList_->HasSequence()) {
            values.Min = 1;
            values.Page = VisibleDataRowCount();
            values.Max = sumList_->VirtualRecordCount() + values.Page - 1;
            // While a record is inserted or edited in a later state its number is not yet known.
            values.Pos = dataSet->State() >= dsInsert ? (external ? external->Position() : old.Pos)
                                                      : sumList_->VirtualRecNo();
        } else {
            values = {0, 4, 0, dataSet->Bof() ? 0 : dataSet->Eof() ? 4 : 2};
        }
    }
    const BarValues saved = values;
    if (mode == sbNeverShowEh || external != nullptr)
        values.Max = values.Min;
    if (values != old || mode != lastVertMode_) {
        const bool modeChanged = mode != lastVertMode_;
        lastVertMode_ = mode;
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (mode == sbAlwaysShowEh ? SIF_DISABLENOSCROLL : 0);
        info.nMin = values.Min;
        info.nMax = values.Max;
        info.nPage = static_cast<UINT>(std::max(values.Page, 0));
        info.nPos = values.Pos;
        const bool idle = values.Min >= values.Max || values.Page >= values.Max - values.Min;
        if (mode == sbAlwaysShowEh && external == nullptr) {
            ShowScrollBar(Handle(), SB_VERT, true);
            EnableScrollBar(Handle(), SB_VERT, idle ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
        } else if (modeChanged && idle) {
            EnableScrollBar(Handle(), SB_VERT, ESB_ENABLE_BOTH);
            ShowScrollBar(Handle(), SB_VERT, false);
        }
        SetScrollInfo(Handle(), SB_VERT, info, true);
    }
    if (external != nullptr) {
        external->SetPageSize(0);
        external->SetParams(saved.Pos, std::min(saved.Min, saved.Max), saved.Max);
        external->SetPageSize(saved.Page);
    }
}

void TCustomDBGridEh::SyncExternalHorzScrollBar() {
    TScrollBar* external = ExternalBar(horzScrollBar_.get());
    if (external == nullptr)
        return;
    const int scrollable = ColCount() - FixedCols();
    const bool allShown = VisibleColCount() >= scrollable;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const int furthest = CalcMaxTopLeft(info).X - FixedCols();
    const int max = allShown ? 0 : 127;
    const int page = VisibleColCount();
    const int pos = ScaleKeeping(LeftCol() - FixedCols(), 127, furthest);
    if (external->Min() == 0 && external->Max() == max && external->PageSize() == page &&
        external->Position() == pos)
        return;
    external->SetPageSize(0);
    external->SetParams(pos, 0, max);
    external->SetPageSize(page);
}

namespace {

// The active record's distance from the middle of the link's buffer.
int MiddleOffset(const TGridDataLinkEh& Link) {
    const int count = Link.RecordCount();
    return Link.ActiveRecord() + ((count + 1) % 2) - count / 2;
}

}  // namespace

void TCustomDBGridEh::SaveDataPosition() {
    if (!dataLink_->Active())
        return;
    TDataSet* dataSet = dataLink_->DataSet();
    const int offset = MiddleOffset(*dataLink_);
    dataSet->MoveBy(-offset);
    savedDataPosition_ = dataSet->GetBookmark();
    savedDataOffset_ = offset;
    dataSet->MoveBy(offset);
}

void TCustomDBGridEh::RestoreDataPosition() {
    if (!dataLink_->Active() || savedDataPosition_.empty())
        return;
    // The offset saved, not today's: the current record may have moved anywhere since.
    TDataSet* dataSet = dataLink_->DataSet();
    dataSet->GotoBookmark(savedDataPosition_);
    dataSet->MoveBy(savedDataOffset_);
}

void TCustomDBGridEh::VertScrollMessage(TMessage& Message) {
    VertScroll(static_cast<int>(Message.WParam & 0xFFFF), static_cast<int>((Message.WParam >> 16) & 0xFFFF));
}

void TCustomDBGridEh::VertScroll(int Code, int Pos) {
    if (!TryFocusGrid() || !dataLink_->Active())
        return;
    TDataSet* dataSet = dataLink_->DataSet();
    const bool sequenced = sumList_ && sumList_->HasSequence();
    switch (Code) {
        case SB_LINEUP:
            dataSet->MoveBy(-(dataLink_->ActiveRecord() + 1));
            break;
        case SB_LINEDOWN:
            dataSet->MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
            break;
        case SB_PAGEUP:
            dataSet->MoveBy(-VisibleDataRowCount());
            break;
        case SB_PAGEDOWN:
            dataSet->MoveBy(VisibleDataRowCount());
            break;
        case SB_THUMBPOSITION:
            if (thumbTrackGuard_) {
                thumbTrackGuard_ = false;
                break;
            }
            if (sequenced) {
                if (Pos <= 1)
                    dataSet->First();
                else if (Pos < sumList_->VirtualRecordCount())
                    sumList_->MoveToVirtualRecNo(Pos);
                else
                    dataSet->Last();
            } else if (Pos == 0) {
                dataSet->First();
            } else if (Pos == 1) {
                dataSet->MoveBy(-VisibleDataRowCount());
            } else if (Pos == 3) {
                dataSet->MoveBy(VisibleDataRowCount());
            } else if (Pos == 4) {
                dataSet->Last();
            }
            break;
        case SB_THUMBTRACK:
            if (vertScrollBar_ && vertScrollBar_->Tracking() && sumList_) {
                dataSet->MoveBy(Pos - sumList_->VirtualRecNo());
                thumbTrackGuard_ = true;
            }
            break;
        case SB_TOP:
            dataSet->First();
            break;
        case SB_BOTTOM:
            dataSet->Last();
            break;
        default:
            break;
    }
}

void TCustomDBGridEh::HorzScrollMessage(TMessage& Message) {
    if (horzScrollBar_ && horzScrollBar_->Tracking() && (Message.WParam & 0xFFFF) == SB_THUMBTRACK) {
        TMessage again = Message;
        again.WParam = (Message.WParam & ~WPARAM{0xFFFF}) | SB_THUMBPOSITION;
        TCustomGrid::Dispatch(again);
        Message.Result = again.Result;
    } else {
        TCustomGrid::Dispatch(Message);
    }
    SyncExternalHorzScrollBar();
}

bool TCustomDBGridEh::DoMouseWheelDown(TShiftState /*Shift*/, TPoint /*MousePos*/) {
    if (dataLink_->Active())
        dataLink_->DataSet()->MoveBy(1);
    return true;
}

bool TCustomDBGridEh::DoMouseWheelUp(TShiftState /*Shift*/, TPoint /*MousePos*/) {
    if (dataLink_->Active())
        dataLink_->DataSet()->MoveBy(-1);
    return true;
}

void TCustomDBGridEh::SizeMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    if (layoutLock_ > 0) {
        layoutPending_ = true;
        return;
    }
    FollowClientArea();
}

void TCustomDBGridEh::ApplyLayoutChange() {
    layoutPending_ = false;
    FollowClientArea();
}

void TCustomDBGridEh::FollowClientArea() {
    if (!autoFitColWidths_ || ComponentState().Contains(csDesigning)) {
        RecalcRowCount();
        RefreshVertScrollBar();
        PlaceFilterEditor();
    } else {
        RefreshLayout();
        RefreshEditors();
    }
    SyncExternalHorzScrollBar();
}

void TCustomDBGridEh::TopLeftChanged() {
    const int firstScrolling = FixedCols();
    const bool atStart = LeftCol() == firstScrolling;
    if (atStart != leftColumnHome_) {
        leftColumnHome_ = atStart;
        for (int row = 0; row < topDataOffset_; ++row) InvalidateRow(row);
    }
    TCustomGrid::TopLeftChanged();
    SyncExternalHorzScrollBar();
    PlaceFilterEditor();
}
