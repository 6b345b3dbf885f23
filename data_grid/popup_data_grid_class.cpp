#include "data_grid/popup_data_grid_class.h"

#include "data_controls/spec_row.h"
#include "data_grid/column_parts.h"
#include "data_grid/popup_data_grid.h"

namespace {

// Every drop-down grid a column holds was made below.
TDBLookupGridEh& LookupGrid(TCustomDBGridEh& Grid) {
    return dynamic_cast<TDBLookupGridEh&>(Grid);
}

}  // namespace

void RegisterPopupDataGridClass() {
    TColumnDropDownGridClassEh& popups = ColumnDropDownGridClass();
    popups.Make = [](TColumnEh&) -> TObjectPtr<TCustomDBGridEh> {
        return MakeComponent<TPopupDataGridEh>(nullptr);
    };
    popups.Options = [](TCustomDBGridEh& Grid) { return LookupGrid(Grid).Options(); };
    popups.SetOptions = [](TCustomDBGridEh& Grid, TDBLookupGridEhOptions Options) {
        LookupGrid(Grid).SetOptions(Options);
    };
    popups.SetListField = [](TCustomDBGridEh& Grid, const std::string& ListField) {
        LookupGrid(Grid).SetListField(ListField);
    };
    popups.SetSpecRow = [](TCustomDBGridEh& Grid, const TSpecRowEh& SpecRow) {
        LookupGrid(Grid).AssignSpecRow(SpecRow);
    };
}

void UnregisterPopupDataGridClass() {
    ColumnDropDownGridClass() = {};
}
