#pragma once
// What a column makes of its field's value in a cell: the kind of cell, the in-place editor's
// style and the cell parameters the grid fills for each drawn or edited cell and hands to the
// cell-parameter events.
#include <string>

#include "data_controls/db_check_box.h"
#include "platform/rtl/alignment.h"
#include "platform/ui/colors.h"
#include "platform/ui/grid_types.h"

class TFont;

enum TColumnCellKindEh {
    ckPlainEh,
    ckPickListEh,
    ckLookupEh,
    ckKeyPickListEh,
    ckImageListEh,
    ckCheckboxesEh
};

enum TInplaceEditStyleEh {
    esSimpleEh,
    esEllipsisEh,
    esPickListEh,
    esDataListEh,
    esDateCalendarEh,
    esUpDownEh,
    esDropDownEh
};

// One per grid, reused for every cell; GridCol and GridRow stay -1 until the grid sets them.
class TColCellParamsEh {
  public:
    TAlignment Alignment = taLeftJustify;
    TColor Background = clWindow;
    TCheckBoxState BoxState = cbUnchecked;
    int GridCol = -1;
    // Not owned.
    TFont* Font = nullptr;
    int ImageIndex = -1;
    bool ReadOnly = false;
    int GridRow = -1;
    TGridDrawState State;
    std::string Text;
};
