#pragma once
// In-place search: whether the grid searches, the text found so far, the timeout that ends the search
// and its timer, and the walk through the dataset that finds the next record. The grid owns one.
#include <string>

#include "data_grid/db_grid.h"

class TColumnEh;

class TGridInplaceSearchEh {
  public:
    explicit TGridInplaceSearchEh(TCustomDBGridEh& Grid) : grid_(Grid) {}

    bool Searching = false;
    // Set while the search gives the dataset back to the controls: that scroll keeps the search.
    bool KeepSearch = false;
    std::string Text;
    int Timeout = -1;
    bool TimerRunning = false;

    // Moves to the first record (or the next or prior one) whose text in Column begins with Wanted
    // in any letter case; Own receives those characters as the record has them. Without one the
    // dataset stays where it was.
    bool FindSearchedRecord(TColumnEh& Column, const std::u32string& Wanted, TIncSearchModeEh Mode,
                            std::string& Own);
    void RestartSearchTimer();
    void StopSearchTimer();

  private:
    TCustomDBGridEh& grid_;
};
