#include "tools/grid_demo/visit_filter.h"

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"

namespace grid_demo {

std::string FilterTextOfColumns(TCustomDBGridEh& grid) {
    std::string text;
    TDBGridColumnsEh& columns = *grid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        const TSTColumnFilterEh* filter = ColumnFilterOf(columns.ColumnAt(i));
        const std::string condition = filter != nullptr ? LocalFilterText(*filter) : "";
        if (!condition.empty())
            text += (text.empty() ? "" : " AND ") + condition;
    }
    return text;
}

void ApplyColumnFilters(TCustomDBGridEh& grid, TDataSet& dataSet) {
    const std::string text = FilterTextOfColumns(grid);
    dataSet.SetFiltered(false);
    dataSet.SetFilterText(text);
    dataSet.SetFiltered(!text.empty());
    // A dataset that filters by itself stays on its record when that still shows, with no scroll:
    // the move to the first record is the scroll that has the footers' sums counted again.
    dataSet.First();
}

}  // namespace grid_demo
