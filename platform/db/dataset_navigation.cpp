// Moving the cursor and the window with it: First, Last, MoveBy, Resync and bookmarks.
#include <algorithm>

#include "platform/db/dataset.h"
#include "platform/rtl/scope_exit.h"

void TDataSet::First() {
    CheckBrowseMode();
    DoBeforeScroll();
    ClearBuffers();
    {
        TScopeExit changed([this] {
            bof_ = true;
            DataEvent(deDataSetChange, 0);
        });
        InternalFirst();
        GetNextRecord();
        GetNextRecords();
        eof_ = recordCount_ == 0;
    }
    DoAfterScroll();
}

void TDataSet::Last() {
    CheckBrowseMode();
    DoBeforeScroll();
    ClearBuffers();
    {
        TScopeExit changed([this] {
            eof_ = true;
            DataEvent(deDataSetChange, 0);
        });
        InternalLast();
        GetPriorRecord();
        GetPriorRecords();
        activeRecord_ = std::max(recordCount_ - 1, 0);
        bof_ = recordCount_ == 0;
    }
    DoAfterScroll();
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    if (distance == 0)
        return 0;
    if ((distance > 0 && eof_) || (distance < 0 && bof_))
        return 0;
    bof_ = eof_ = false;
    DoBeforeScroll();
    int moved = 0;
    int scrollOffset = 0;
    while (distance > 0) {
        if (activeRecord_ < recordCount_ - 1) {
            ++activeRecord_;
        } else {
            bool windowFull = recordCount_ >= bufferCount_;
            if (!GetNextRecord()) {
                eof_ = true;
                break;
            }
            if (windowFull)
                --scrollOffset;
            else
                ++activeRecord_;
        }
        --distance;
        ++moved;
    }
    while (distance < 0) {
        if (activeRecord_ > 0) {
            --activeRecord_;
        } else {
            if (!GetPriorRecord()) {
                bof_ = true;
                break;
            }
            ++scrollOffset;
        }
        ++distance;
        --moved;
    }
    if (moved != 0) {
        DataEvent(deDataSetScroll, scrollOffset);
        DoAfterScroll();
    }
    return moved;
}

TGetResult TDataSet::FetchCurrentOrNear(TRecordBuffer buffer) {
    for (TGetMode mode : {gmCurrent, gmNext, gmPrior}) {
        if (GetRecord(buffer, mode, false) == grOK)
            return grOK;
    }
    return grEOF;
}

void TDataSet::Resync(TResyncMode mode) {
    TRecordBuffer spare = buffers_[static_cast<std::size_t>(recordCount_)];
    if (mode.Exact) {
        CursorPosChanged();
        if (GetRecord(spare, gmCurrent, false) != grOK)
            DatabaseError("Record not found", this);
    } else if (FetchCurrentOrNear(spare) != grOK) {
        ClearBuffers();
        eof_ = bof_ = true;
        DataEvent(deDataSetChange, 0);
        return;
    }
    int before = mode.Center ? (bufferCount_ - 1) / 2 : activeRecord_;
    MoveBuffer(recordCount_, 0);
    ActivateBuffers();
    TScopeExit changed([this] { DataEvent(deDataSetChange, 0); });
    int prior = 0;
    while (prior < before && GetPriorRecord()) ++prior;
    GetNextRecords();
    prior += GetPriorRecords();
    activeRecord_ = prior;
}

bool TDataSet::BookmarkAvailable() const {
    return (state_ == dsBrowse || state_ == dsEdit || state_ == dsInsert) && !IsEmpty() &&
           GetBookmarkFlag(ActiveBuffer()) == bfCurrent;
}

TBookmark TDataSet::GetBookmark() const {
    if (!BookmarkAvailable())
        return {};
    TBookmark bookmark(static_cast<std::size_t>(BookmarkSize()), '\0');
    GetBookmarkData(ActiveBuffer(), bookmark.data());
    return bookmark;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    if (bookmark.empty())
        return;
    CheckBrowseMode();
    DoBeforeScroll();
    InternalGotoBookmark(bookmark.data());
    Resync({.Exact = true, .Center = true});
    DoAfterScroll();
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
    if (a.empty() || b.empty())
        return static_cast<int>(!a.empty()) - static_cast<int>(!b.empty());
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    DoBeforeRefresh();
    UpdateCursorPos();
    InternalRefresh();
    Resync({});
    DoAfterRefresh();
}
