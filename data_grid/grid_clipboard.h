#pragma once
// The grid's clipboard and delete actions: copy the selection in every format at once, cut,
// paste (the grid's own binary form first, else text) and delete or clear the selection.
// Each takes WholeGrid to act on the whole grid instead of the selection.
#include <string>

#include "data_grid/db_grid.h"

class TCustomDBGridEh;

void GridCopyToClipboard(TCustomDBGridEh* Grid, bool WholeGrid);
void GridCutToClipboard(TCustomDBGridEh* Grid, bool WholeGrid);
void GridPasteFromClipboard(TCustomDBGridEh* Grid, bool WholeGrid);
void GridDeleteSelection(TCustomDBGridEh* Grid, bool WholeGrid);

class TMemoryStream;
// The stream's bytes on the clipboard under the named format (with whatever else is put while the
// clipboard is open).
void PutStreamToClipboard(const std::string& Format, TMemoryStream& Stream);
// Appends the bytes the clipboard holds under the format to the stream; nothing when it holds none.
void ClipboardToStream(const std::string& Format, TMemoryStream& Stream);

// The actions the grid's shortcuts reach, for TCustomDBGridEh::EditActionsHandler: each runs
// when the grid's EditActions hold it.
class TDBGridEhClipboardActions : public IGridEditActionsEh {
  public:
    bool ActionPossible(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) override;
    void RunAction(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) override;
};
