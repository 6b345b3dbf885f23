// Sorting by the titles' sort markers, and which selections the user may make.
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"

bool TCustomDBGridEh::SelectionKindAllowed(TGridSelectionKindEh Kind) const {
    if (Kind == gskNoneEh)
        return true;
    if (!options_.Contains(gdoMultiSelectEh) || !allowedSelections_.Contains(Kind))
        return false;
    if (Kind == gskRectangleEh || Kind == gskColumnsEh)
        return !options_.Contains(gdoRowSelectEh);
    return true;
}

void TCustomDBGridEh::SortMarkingChanged() {
    if (!extOptions_.Contains(gxoAutoSortMarkingEh))
        return;
    if (OnSortMarkersChange)
        OnSortMarkersChange(this);
    else
        ApplySorting();
}

TSortKeysEh TCustomDBGridEh::SortKeys() const {
    TSortKeysEh keys;
    for (const IGridColumnEh* column : sortMarkedColumns_)
        keys.push_back({column->FieldName(), column->SortMarker() == smDownEh});
    return keys;
}

void TCustomDBGridEh::ApplySorting() {
    if (TDBGridEhDataService* service = DBGridEhDataService())
        service->ApplySorting(this);
}
