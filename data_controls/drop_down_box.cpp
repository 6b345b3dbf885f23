#include "data_controls/drop_down_box.h"

#include "platform/rtl/published_properties.h"

const TPropertyList& TDropDownBoxEh::Published() {
    using Self = TDropDownBoxEh;
    static const TPropertyList list =
        TPublish<Self>(TPersistent::Published())
            .Enum("Align", &Self::Align, &Self::SetAlign, {"daLeft", "daRight", "daCenter"})
            .Default(daLeft)
            .Boolean("AutoDrop", &Self::AutoDrop, &Self::SetAutoDrop)
            .Default(false)
            .Integer("Rows", &Self::Rows, &Self::SetRows)
            .Default(7)
            .Boolean("Sizable", &Self::Sizable, &Self::SetSizable)
            .Default(false)
            .Integer("Width", &Self::Width, &Self::SetWidth)
            .Default(0);
    return list;
}

void TDropDownBoxEh::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TDropDownBoxEh*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    align_ = other->align_;
    rows_ = other->rows_;
    width_ = other->width_;
    sizable_ = other->sizable_;
}
