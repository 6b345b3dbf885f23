// The rebuild's column steps: generated columns follow the dataset's fields, the link's field map,
// the visible columns and the frozen area, and each column's tab stop and grid width.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"

namespace {

bool StoredColumn(const TColumnEh& Column) {
    return !Column.IsAutoColumn();
}

// Once a user column follows a generated one, the generated ones go: the user's columns rule.
void DropGeneratedAfterMix(TDBGridColumnsEh& Columns) {
    for (int i = 1; i < Columns.Count(); ++i) {
        if (!StoredColumn(*Columns.ColumnAt(i)) || StoredColumn(*Columns.ColumnAt(i - 1)))
            continue;
        for (int j = Columns.Count() - 1; j >= 0; --j)
            if (!StoredColumn(*Columns.ColumnAt(j)))
                Columns.Delete(j);
        return;
    }
}

bool Mapped(const TGridDataLinkEh& Link, const TField* Field) {
    for (int i = 0; i < Link.MapCount(); ++i)
        if (Link.FieldAt(i) == Field)
            return true;
    return false;
}

// The column for map entry Index: the first one from there on bound to the field, else a new one.
void PlaceGeneratedColumn(TDBGridColumnsEh& Columns, int Index, TField* Field) {
    TColumnEh* column = nullptr;
    for (int i = Index; Field != nullptr && i < Columns.Count() && column == nullptr; ++i)
        if (Columns.ColumnAt(i)->Field() == Field)
            column = Columns.ColumnAt(i);
    if (column == nullptr) {
        column = Columns.AddAutoColumn();
        if (Field != nullptr)
            column->SetField(Field);
    }
    column->SetIndex(Index);
}

// A lookup field is read-only when it cannot reach its keys.
bool FieldReadOnly(TField& Field) {
    if (Field.ReadOnly)
        return true;
    if (Field.FieldKind != fkLookup)
        return false;
    TDataSet* dataSet = Field.DataSet();
    if (dataSet == nullptr)
        return true;
    const std::vector<TField*> keys = dataSet->GetFieldList(Field.KeyFields);
    return std::all_of(keys.begin(), keys.end(), [](const TField* key) { return key->ReadOnly; });
}

}  // namespace

void TCustomDBGridEh::SyncGeneratedColumns() {
    auto* columns = dynamic_cast<TDBGridColumnsEh*>(columns_.get());
    if (columns == nullptr)
        return;
    if (columns->IsCustomized()) {
        // Bound again by name at their next use.
        for (int i = 0; i < columns->Count(); ++i) columns->ColumnAt(i)->SetField(nullptr);
        return;
    }
    if (dataLink_->Active() || !dataLink_->DefaultFields()) {
        for (int i = columns->Count() - 1; i >= 0; --i) {
            TField* field = columns->ColumnAt(i)->Field();
            if (field == nullptr || !Mapped(*dataLink_, field))
                columns->Delete(i);
        }
    } else {
        columns->Clear();
    }
    const int entries = std::max(dataLink_->MapCount(), columns->Count() == 0 ? 1 : 0);
    for (int i = 0; i < entries; ++i)
        PlaceGeneratedColumn(*columns, i, i < dataLink_->MapCount() ? dataLink_->FieldAt(i) : nullptr);
}

void TCustomDBGridEh::MapColumnsToFields() {
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataSet == nullptr)
        return;
    if (columns_ && columns_->Customized()) {
        dataLink_->SetSparseMapping(true);
        if (auto* columns = dynamic_cast<TDBGridColumnsEh*>(columns_.get()))
            for (int i = 0; i < columns->Count(); ++i) dataLink_->MapField(columns->ColumnAt(i)->FieldName());
        return;
    }
    dataLink_->SetSparseMapping(false);
    for (int i = 0; i < dataSet->Fields().Count(); ++i) {
        TField* field = dataSet->Fields().Fields(i);
        if (field->Visible)
            dataLink_->MapField(field->FieldName);
    }
}

void TCustomDBGridEh::LayOutColumns() {
    if (auto* columns = dynamic_cast<TDBGridColumnsEh*>(columns_.get()))
        DropGeneratedAfterMix(*columns);
    indicatorOffset_ = options_.Contains(gdoIndicatorEh) ? 1 : 0;
    dataLink_->ResetFieldMap();
    if (dataLink_->Active())
        MapColumnsToFields();
    SyncGeneratedColumns();
    const int count = columns_ ? columns_->Count() : 0;
    visibleColumns_.clear();
    for (int i = 0; i < count; ++i)
        if (columns_->Items(i)->Visible())
            visibleColumns_.push_back(columns_->Items(i));
    // Hidden columns inside the frozen range widen it, and so do those right after it.
    const bool generatedInactive = !dataLink_->Active() && !(columns_ && columns_->Customized());
    const int frozen = generatedInactive ? 0 : std::max(frozenCols_, 0);
    int hidden = 0;
    int i = 0;
    for (; i < frozen + hidden && i < count; ++i)
        if (!columns_->Items(i)->Visible())
            ++hidden;
    for (; i < count && !columns_->Items(i)->Visible(); ++i) ++hidden;
    const int colCount = std::max(count + indicatorOffset_, 1);
    if (ColCount() != colCount)
        SetColCount(colCount);
    const int fixed = indicatorOffset_ + frozen + hidden - (visibleColumns_.empty() ? 1 : 0);
    // More frozen columns than the dataset now gives leave one column to scroll.
    const int clamped = std::clamp(fixed, 0, colCount - 1);
    if (FixedCols() != clamped)
        SetFixedCols(clamped);
}

void TCustomDBGridEh::ApplyColumnAttributes() {
    auto* columns = dynamic_cast<TDBGridColumnsEh*>(columns_.get());
    const int hiddenWidth = options_.Contains(gdoColLinesEh) ? -1 : 0;
    for (int i = 0; columns != nullptr && i < columns->Count(); ++i) {
        TColumnEh* column = columns->ColumnAt(i);
        const int gridCol = DataColToGridCol(i);
        if (gridCol >= ColCount())
            break;
        TField* field = column->Field();
        const bool editable = column->Visible() && !column->ReadOnly() && dataLink_->Active() &&
                              field != nullptr && field->FieldKind != fkCalculated && !FieldReadOnly(*field);
        if (TabStops(gridCol) != editable)
            SetTabStops(gridCol, editable);
        const int width = column->Visible() ? column->Width() : hiddenWidth;
        if (ColWidths(gridCol) != width)
            SetColWidths(gridCol, width);
    }
    if (indicatorOffset_ > 0 && ColWidths(0) != 11)
        SetColWidths(0, 11);
}
