// The grid's style: shared by grids, the program's default unless another is set.
#include "data_grid/db_grid.h"
#include "data_grid/grid_style.h"

void TCustomDBGridEh::SetStyle(TDBGridEhStyle* Value) {
    if (Value == style_)
        return;
    if (style_ != nullptr)
        style_->RemoveChangeNotification(this);
    style_ = Value;
    if (style_ != nullptr)
        style_->AddChangeNotification(this);
    else
        RefreshDefaultStyle();
}

void TCustomDBGridEh::RefreshDefaultStyle() {
    TDBGridEhStyle* defaultStyle = DefaultGridStyle();
    if (defaultStyle == nullptr) {
        RefreshLayout();
        return;
    }
    if (defaultStyle == style_)
        return;
    style_ = defaultStyle;
    defaultStyle->AddChangeNotification(this);
}
