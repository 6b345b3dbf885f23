// What the grid answers its columns while they edit a cell.
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/ui/inplace_edit.h"

bool TCustomDBGridEh::GridAllowsCellEdit() {
    TGridDataLinkEh* link = DataLink();
    if (link == nullptr || !link->Active())
        return false;
    TDataSet* dataSet = link->DataSet();
    const bool inserting = dataSet != nullptr && dataSet->State() == dsInsert;
    if (!allowedOperations_.Contains(alopUpdateEh) && !inserting)
        return false;
    // An empty dataset is edited by adding its first record.
    const bool empty = dataSet != nullptr && dataSet->IsEmpty();
    return !empty || allowedOperations_.Contains(alopInsertEh) || allowedOperations_.Contains(alopAppendEh);
}

bool TCustomDBGridEh::EditorShown() {
    return InplaceEditor() != nullptr && InplaceEditor()->Visible();
}

std::string TCustomDBGridEh::EditorText() {
    return InplaceEditor() != nullptr ? InplaceEditor()->Text() : std::string();
}

bool TCustomDBGridEh::EditorShowing() {
    return EditorShown() && InplaceEditor()->IsShowing();
}
