#pragma once
// Holds back the filter editor's change handler while the grid itself sets or restores the editor's
// text: only what the user types goes into the column's filter.
#include <utility>

#include "data_grid/inplace_filter_edit.h"

class TQuietFilterEditorChanges {
  public:
    explicit TQuietFilterEditorChanges(TInplaceFilterEditEh& Editor)
        : editor_(Editor), onChange_(std::exchange(Editor.OnChange, nullptr)) {}
    ~TQuietFilterEditorChanges() { editor_.OnChange = std::move(onChange_); }
    TQuietFilterEditorChanges(const TQuietFilterEditorChanges&) = delete;
    TQuietFilterEditorChanges& operator=(const TQuietFilterEditorChanges&) = delete;

  private:
    TInplaceFilterEditEh& editor_;
    TNotifyEvent onChange_;
};
