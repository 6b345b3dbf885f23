#pragma once
// The grid's clipboard and delete actions: copy the selection in every format at once, cut,
// paste (the grid's own binary form first, else text) and delete or clear the selection.
// Each takes WholeGrid to act on the whole grid instead of the selection.
#include "data_grid/db_grid.h"

class TCustomDBGridEh;

void GridCopyToClipboard(TCustomDBGridEh* Grid, bool WholeGrid);
void GridCutToClipboard(TCustomDBGridEh* Grid, bool WholeGrid);
void GridPasteFromClipboard(TCustomDBGridEh* Grid, bool WholeGrid);
void GridDeleteSelection(TCustomDBGridEh* Grid, bool WholeGrid);

// The actions the grid's shortcuts reach, for TCustomDBGridEh::EditActionsHandler: each runs
// when the grid's EditActions hold it.
class TDBGridEhClipboardActions : public IGridEditActionsEh {
  public:
    bool ActionPossible(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) override;
    void RunAction(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) override;
};
