#pragma once
// The demo's own answer to the grid's filter row, as an application writes it: the conditions typed
// into the filter cells become the dataset's local record filter.
#include <string>

class TCustomDBGridEh;
class TDataSet;

namespace grid_demo {

// Every column's condition joined by AND, in the dataset's filter language ("ROOM" LIKE '101' AND
// "AMOUNT" > 500); empty when no cell holds one.
std::string FilterTextOfColumns(TCustomDBGridEh& grid);
// Filters the dataset by that text, or stops filtering it when the text is empty, and goes to the
// first record shown.
void ApplyColumnFilters(TCustomDBGridEh& grid, TDataSet& dataSet);

}  // namespace grid_demo
