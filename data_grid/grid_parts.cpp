#include "data_grid/grid_parts.h"

#include "platform/db/field.h"
#include "platform/ui/popup_menu.h"

const std::string& TPlainGridColumnEh::FieldName() const {
    static const std::string none;
    return field_ != nullptr ? field_->FieldName : none;
}

void TPlainGridColumnEh::ForgetComponent(const TComponent* Component) {
    if (Component == popupMenu_)
        popupMenu_ = nullptr;
}

void TPlainGridColumnsEh::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
}

const TPropertyList& TPlainGridColumnEh::Published() {
    using Self = TPlainGridColumnEh;
    static const TPropertyList list =
        TPublish<Self>(TPersistent::Published())
            .Enum("SortMarker", &Self::SortMarker, &Self::SetSortMarker, {"smNoneEh", "smDownEh", "smUpEh"})
            .Default(smNoneEh);
    return list;
}

IGridColumnEh* TPlainGridColumnsEh::Items(int Index) const {
    return static_cast<TPlainGridColumnEh*>(collection_.Items(Index));
}

IGridColumnEh* TPlainGridColumnsEh::Add() {
    return static_cast<TPlainGridColumnEh*>(collection_.Add());
}

bool TPlainGridColumnsEh::SameAs(const IGridColumnsEh& Other) const {
    if (Other.Count() != Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Other.Items(i)->SortMarker() != Items(i)->SortMarker())
            return false;
    return true;
}
