#include "data_grid/column_drop_down_box.h"

#include "data_grid/column_def_values.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kLookupGridOptions{"dlgColumnResizeEh", "dlgColLinesEh", "dlgRowLinesEh",
                                                  "dlgAutoSortMarkingEh", "dlgMultiSortMarkingEh"};

}  // namespace

const TPropertyList& TColumnDropDownBoxEh::Published() {
    using B = TColumnDropDownBoxEh;
    static const TPropertyList list =
        TPublish<B>(TPersistent::Published())
            .Boolean("AutoFitColWidths", &B::AutoFitColWidths, &B::SetAutoFitColWidths)
            .Default(true)
            .Object("ColumnDefValues", &B::ColumnDefValues)
            .Collection("Columns", &B::Columns)
            .StoredWhen(&B::ColumnsCustomized)
            .Component("ListSource", &B::ListSource, &B::SetListSource)
            .SetOf("Options", &B::Options, &B::SetOptions, kLookupGridOptions)
            .Default(TDBLookupGridEhOptions{dlgColLinesEh})
            .StoredWhen(&B::HasDropDownGrid)
            .Boolean("UseMultiTitle", &B::UseMultiTitle, &B::SetUseMultiTitle)
            .Default(false);
    return list;
}

TCustomDBGridEh* TColumnDropDownBoxEh::DropDownGrid() const {
    IDropDownBoxOwnerEh* owner = BoxOwner();
    return owner != nullptr ? owner->DropDownGrid() : nullptr;
}

// Without a drop-down grid there are no options to keep, and none to read back into.
bool TColumnDropDownBoxEh::HasDropDownGrid() const {
    return DropDownGrid() != nullptr;
}

TColumnDefValuesEh* TColumnDropDownBoxEh::ColumnDefValues() const {
    TCustomDBGridEh* grid = DropDownGrid();
    return grid != nullptr ? dynamic_cast<TColumnDefValuesEh*>(grid->ColumnDefValuesPart()) : nullptr;
}

void TColumnDropDownBoxEh::SetColumnDefValues(const TColumnDefValuesEh& Value) {
    if (TColumnDefValuesEh* own = ColumnDefValues())
        own->Assign(Value);
}

TDBGridColumnsEh* TColumnDropDownBoxEh::Columns() const {
    TCustomDBGridEh* grid = DropDownGrid();
    return grid != nullptr && grid->ColumnsPart() != nullptr
               ? dynamic_cast<TDBGridColumnsEh*>(&grid->ColumnsPart()->Stored())
               : nullptr;
}

void TColumnDropDownBoxEh::SetColumns(const TDBGridColumnsEh& Value) {
    if (TDBGridColumnsEh* own = Columns())
        own->Assign(Value);
}

bool TColumnDropDownBoxEh::ColumnsCustomized() const {
    const TDBGridColumnsEh* columns = Columns();
    return columns != nullptr && columns->IsCustomized();
}

TDBLookupGridEhOptions TColumnDropDownBoxEh::Options() const {
    IDropDownBoxOwnerEh* owner = BoxOwner();
    return owner != nullptr ? owner->GetDropDownOptions() : TDBLookupGridEhOptions{};
}

void TColumnDropDownBoxEh::SetOptions(TDBLookupGridEhOptions Value) {
    if (IDropDownBoxOwnerEh* owner = BoxOwner())
        owner->SetDropDownOptions(Value);
}

// The owner's grid is asked to hear when the source goes, once per source.
void TColumnDropDownBoxEh::SetListSource(TDataSource* Value) {
    if (Value == listSource_)
        return;
    listSource_ = Value;
    if (IDropDownBoxOwnerEh* owner = BoxOwner())
        owner->WatchComponent(Value);
}

void TColumnDropDownBoxEh::ForgetComponent(const TComponent* Component) {
    if (Component != nullptr && Component == listSource_)
        listSource_ = nullptr;
}

void TColumnDropDownBoxEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TColumnDropDownBoxEh*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    SetAutoFitColWidths(source->AutoFitColWidths());
    if (const TColumnDefValuesEh* defaults = source->ColumnDefValues())
        SetColumnDefValues(*defaults);
    if (source->ColumnsCustomized())
        SetColumns(*source->Columns());
    else if (TDBGridColumnsEh* own = Columns())
        own->Clear();
    SetOptions(source->Options());
    SetUseMultiTitle(source->UseMultiTitle());
    SetListSource(source->ListSource());
}
