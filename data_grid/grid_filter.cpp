#include "data_grid/grid_filter.h"

#include "data_grid/db_grid.h"

const TPropertyList& TSTDBGridEhFilter::Published() {
    using F = TSTDBGridEhFilter;
    static const TPropertyList list = TPublish<F>(TPersistent::Published())
                                          .Boolean("Local", &F::Local, &F::SetLocal)
                                          .Default(false)
                                          .Boolean("Visible", &F::Visible, &F::SetVisible)
                                          .Default(false);
    return list;
}

TPersistent* TSTDBGridEhFilter::GetOwner() const {
    return grid_;
}

void TSTDBGridEhFilter::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TSTDBGridEhFilter*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetVisible(source->visible_);
    local_ = source->local_;
}

void TSTDBGridEhFilter::SetVisible(bool Value) {
    if (Value == visible_)
        return;
    visible_ = Value;
    if (grid_ == nullptr)
        return;
    if (!Value)
        grid_->StopFilterEditing();
    grid_->RefreshLayout();
    if (grid_->EditorMode())
        grid_->RefreshEditors();
}
