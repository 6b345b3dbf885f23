// The stored form of the check box's own settings.
#include "data_controls/db_check_box.h"
#include "platform/db/data_source.h"
#include "platform/rtl/published_properties.h"

const TPropertyList& TDBCheckBoxEh::Published() {
    using Self = TDBCheckBoxEh;
    static const TPropertyList list =
        TPublish<Self>(TComponent::Published())
            .Enum("Alignment", &Self::Alignment, &Self::SetAlignment, {"taLeftJustify", "taRightJustify"})
            .Default(taRightJustify)
            .Boolean("AllowGrayed", &Self::AllowGrayed, &Self::SetAllowGrayed)
            .Default(false)
            .Boolean("AlwaysShowBorder", &Self::AlwaysShowBorder, &Self::SetAlwaysShowBorder)
            .Default(false)
            .String("Caption", &Self::Caption, &Self::SetCaption)
            .Boolean("Checked", &Self::Checked, [](Self& box, bool value) { box.SetChecked(value); })
            .Default(false)
            .String("DataField", &Self::DataField, &Self::SetDataField)
            .Component("DataSource", &Self::DataSource, &Self::SetDataSource)
            .Boolean("Flat", &Self::Flat, &Self::SetFlat)
            .Default(false)
            .Boolean("ReadOnly", &Self::ReadOnly, &Self::SetReadOnly)
            .Default(false)
            .Enum("State", &Self::State, &Self::SetState, {"cbUnchecked", "cbChecked", "cbGrayed"})
            .StoredWhen([](const Self& box) { return box.IsUnbound() && box.State() != cbUnchecked; })
            .String("ValueChecked", &Self::ValueChecked, &Self::SetValueChecked)
            .String("ValueUnchecked", &Self::ValueUnchecked, &Self::SetValueUnchecked);
    return list;
}
