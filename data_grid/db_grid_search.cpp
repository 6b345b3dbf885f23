// The in-place search: typed characters find the first record whose text in the current column
// begins with them, in any letter case; the search ends on its timer, a key or a column move.
#include <string>

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_inplace_search.h"
#include "data_grid/grid_unit.h"
#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"
#include "platform/ui/timers.h"

namespace {

// Text's first characters when they are Wanted in any letter case (whole characters, Cyrillic
// too); Own receives them as Text has them.
bool BeginsWithText(const std::string& Text, const std::u32string& Wanted, std::string& Own) {
    const std::u32string chars = Utf8ToUtf32(Text);
    if (chars.size() < Wanted.size())
        return false;
    const std::string prefix = Utf32ToUtf8(std::u32string_view(chars).substr(0, Wanted.size()));
    if (AnsiUpperCase(prefix) != AnsiUpperCase(Utf32ToUtf8(Wanted)))
        return false;
    Own = prefix;
    return true;
}

// Puts the dataset back on the record it was on, with the same window of records around it, on
// every way out of the search; the controls see the dataset again only after that.
class SearchPositionKeeper {
  public:
    SearchPositionKeeper(TDataSet& DataSet, const TGridDataLinkEh& Link, bool& KeepSearch)
        : dataSet_(DataSet), keepSearch_(KeepSearch) {
        dataSet_.DisableControls();
        try {
            const int count = Link.RecordCount();
            offset_ = Link.ActiveRecord() + ((count + 1) % 2) - count / 2;
            dataSet_.MoveBy(-offset_);
            bookmark_ = dataSet_.GetBookmark();
            dataSet_.MoveBy(offset_);
        } catch (...) {
            dataSet_.EnableControls();
            throw;
        }
    }
    ~SearchPositionKeeper() {
        try {
            if (!found_) {
                dataSet_.GotoBookmark(bookmark_);
                dataSet_.MoveBy(offset_);
            }
        } catch (...) {
            // The dataset stays where the search left it; the controls must see it all the same.
        }
        keepSearch_ = true;
        try {
            dataSet_.EnableControls();
        } catch (...) {
        }
        keepSearch_ = false;
    }
    SearchPositionKeeper(const SearchPositionKeeper&) = delete;
    SearchPositionKeeper& operator=(const SearchPositionKeeper&) = delete;
    void Found() { found_ = true; }

  private:
    TDataSet& dataSet_;
    bool& keepSearch_;
    std::string bookmark_;
    int offset_ = 0;
    bool found_ = false;
};

}  // namespace

bool TGridInplaceSearchEh::FindSearchedRecord(TColumnEh& Column, const std::u32string& Wanted,
                                              TIncSearchModeEh Mode, std::string& Own) {
    TDataSet* dataSet = grid_.dataLink_->DataSet();
    SearchPositionKeeper keeper(*dataSet, *grid_.dataLink_, KeepSearch);
    const bool backward = Mode == ismPriorEh;
    if (Mode == ismNewEh)
        dataSet->First();
    else
        dataSet->MoveBy(backward ? -1 : 1);
    while (!(backward ? dataSet->Bof() : dataSet->Eof())) {
        if (BeginsWithText(Column.CellDisplayText(), Wanted, Own)) {
            keeper.Found();
            return true;
        }
        dataSet->MoveBy(backward ? -1 : 1);
    }
    return false;
}

void TCustomDBGridEh::GridIncrementalSearch(const std::string& Text, int Timeout, TIncSearchModeEh Mode) {
    if (!dataLink_->Active())
        return;
    const std::u32string wanted = Utf8ToUtf32(search_->Text + Text);
    TColumnEh* column = CurrentColumnEh();
    std::string own;
    if (!wanted.empty() && column != nullptr) {
        const bool here = Mode == ismNewEh && BeginsWithText(column->CellDisplayText(), wanted, own);
        // Without a match the typed text is dropped: the search text stays as it was.
        if (here || search_->FindSearchedRecord(*column, wanted, Mode, own))
            search_->Text = own;
    }
    HideEditor();
    search_->Searching = true;
    InvalidateGridRow(Row());
    search_->Timeout = Timeout;
    search_->RestartSearchTimer();
}

void TCustomDBGridEh::GridEndIncrementalSearch() {
    if (!search_->Searching && !search_->TimerRunning)
        return;
    search_->StopSearchTimer();
    search_->Searching = false;
    search_->Text.clear();
    InvalidateGridRow(Row());
    if (options_.Contains(gdoAlwaysShowEditorEh) && KeepsEditorShown())
        ShowCellEditor();
}

void TGridInplaceSearchEh::StopSearchTimer() {
    if (TimerRunning && grid_.HandleAllocated())
        KillTimer(grid_.Handle(), grid_.SearchTimerId);
    TimerRunning = false;
}

// Timer 2 ends the search once its timeout has passed; a negative timeout keeps it running.
void TGridInplaceSearchEh::RestartSearchTimer() {
    StopSearchTimer();
    if (Timeout < 0 || !grid_.HandleAllocated())
        return;
    SetTimer(grid_.Handle(), grid_.SearchTimerId, static_cast<UINT>(Timeout));
    TimerRunning = true;
}

// Backspace takes back the last whole character typed.
void TCustomDBGridEh::SearchBackspace() {
    std::u32string chars = Utf8ToUtf32(search_->Text);
    if (!chars.empty())
        chars.pop_back();
    search_->Text = Utf32ToUtf8(chars);
    InvalidateGridRow(Row());
    search_->RestartSearchTimer();
}

int TCustomDBGridEh::TypingSearchTimeout() const {
    if (search_->Searching)
        return search_->Timeout;
    const TDBGridEhUnit* unit = DBGridEhUnit();
    return unit != nullptr ? static_cast<int>(unit->SearchTimeout()) : 1500;
}

bool TCustomDBGridEh::InplaceSearching() const {
    return search_->Searching;
}

const std::string& TCustomDBGridEh::InplaceSearchText() const {
    return search_->Text;
}

int TCustomDBGridEh::InplaceSearchTimeout() const {
    return search_->Timeout;
}
