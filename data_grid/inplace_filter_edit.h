#pragma once
// TInplaceFilterEditEh: the editor of the grid's filter row, an unbound combo box whose text sits
// one pixel lower than a plain one's, and which can show a key value together with a text of its
// own (the filter's expression).
#include <string>

#include "data_controls/db_combo_box.h"
#include "platform/rtl/variant.h"

class TInplaceFilterEditEh : public TDBComboBoxEh {
  public:
    explicit TInplaceFilterEditEh(TComponent* AOwner) : TDBComboBoxEh(AOwner) {}
    std::string ClassName() const override { return "TInplaceFilterEditEh"; }

    TRect ComputeTextRect() const override;
    // Value through the value setter, then Text as the edit text.
    void ShowKeyAndText(const Variant& Value, const std::string& Text);
};
