#include "data_grid/inplace_filter_edit.h"

#include "data_grid/db_grid.h"

TRect TInplaceFilterEditEh::ComputeTextRect() const {
    TRect rect = TDBComboBoxEh::ComputeTextRect();
    ++rect.Top;
    return rect;
}

void TInplaceFilterEditEh::ShowKeyAndText(const Variant& Value, const std::string& Text) {
    SetValue(Value);
    SetEditText(Text);
}

TWinControl* TCustomDBGridEh::NewFilterEditor() {
    return NewComponent<TInplaceFilterEditEh>(this);
}
