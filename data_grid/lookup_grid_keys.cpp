// Choosing a key in the lookup grid with the move keys, and storing the chosen record's key.
#include "data_controls/spec_row.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/dataset.h"
#include "platform/ui/virtual_keys.h"

namespace {

// The move of a key: 0 for keys that do not move; End and Home are whole jumps of their own.
constexpr int NoMove = 0;

}  // namespace

int TDBLookupGridEh::KeyMoveDistance(WORD Key) {
    const bool horzBarHidden = !HorzScrollBar()->IsShown();
    switch (Key) {
        case VK_PRIOR:
            return 1 - DataRowCount();
        case VK_NEXT:
            return DataRowCount() - 1;
        case VK_END:
            return 1;
        case VK_HOME:
            return -1;
        case VK_LEFT:
            return horzBarHidden ? -1 : NoMove;
        case VK_RIGHT:
            return horzBarHidden ? 1 : NoMove;
        case VK_UP:
            return -1;
        case VK_DOWN:
            return 1;
        default:
            return NoMove;
    }
}

void TDBLookupGridEh::KeyDown(WORD& Key, TShiftState Shift) {
    const int distance = CanModifyKey() ? KeyMoveDistance(Key) : NoMove;
    if (distance == NoMove) {
        TCustomDBGridEh::KeyDown(Key, Shift);
        return;
    }
    MoveByKey(Key, distance);
}

void TDBLookupGridEh::MoveByKey(WORD Key, int Distance) {
    searchText_.clear();
    TDataSet* list = ListDataSet();
    if (Distance < 0 && specRow_->Visible() && (list->Bof() || specRowSelected_)) {
        SelectSpecRow();
        list->First();
        return;
    }
    if (Distance > 0 && specRowSelected_)
        list->First();
    if (Key == VK_HOME) {
        list->First();
    } else if (Key == VK_END) {
        list->Last();
    } else {
        if (!HasMemTable()) {
            const int keyRow = KeyRowIndex();
            if (keyRow < 0) {
                RefreshSpecRowState();
                Distance = 0;
            } else {
                list->MoveBy(keyRow - recordIndex_);
            }
        }
        list->MoveBy(Distance);
    }
    StoreCurrentKey();
}

void TDBLookupGridEh::StoreCurrentKey() {
    positionLock_ = true;
    try {
        const Variant key = CurrentListKey();
        if (!(key == keyValue_))
            StoreKeyValue(key);
    } catch (...) {
        positionLock_ = false;
        throw;
    }
    positionLock_ = false;
}

void TDBLookupGridEh::SelectSpecRow() {
    positionLock_ = true;
    try {
        if (!(specRow_->Value() == keyValue_))
            StoreKeyValue(specRow_->Value());
        specRowSelected_ = true;
    } catch (...) {
        positionLock_ = false;
        throw;
    }
    positionLock_ = false;
}
