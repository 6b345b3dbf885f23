// The data-aware edit's stored settings, shared by the classes of its family (the edit and the combo
// box), so each stores them under the same names, defaults and conditions.
#pragma once

#include <string>

#include "platform/rtl/published_properties.h"

template <class Self>
TPublish<Self> EditSettings(TPublish<Self> publish) {
    return publish
        .Enum("Alignment", &Self::Alignment, &Self::SetAlignment,
              {"taLeftJustify", "taRightJustify", "taCenter"})
        .StoredWhen([](const Self& edit) { return edit.AlignmentAssigned(); })
        .Boolean("AlwaysShowBorder", &Self::AlwaysShowBorder, &Self::SetAlwaysShowBorder)
        .Default(false)
        .String("DataField", &Self::DataField, &Self::SetDataField)
        .Component("DataSource", &Self::DataSource, &Self::SetDataSource)
        .Object("EditButton", &Self::EditButton)
        .Collection("EditButtons", &Self::EditButtons)
        .Boolean("Flat", &Self::Flat, &Self::SetFlat)
        .Default(false)
        .Boolean("HighlightRequired", &Self::HighlightRequired, &Self::SetHighlightRequired)
        .Default(false)
        .Object("MRUList", &Self::MRUList)
        .Boolean("ReadOnly", &Self::ReadOnly, &Self::SetReadOnly)
        .Default(false)
        .Boolean("ShowHint", &Self::OwnShowHint, &Self::SetShowHint)
        .Default(false)
        .String("Text", &Self::Text, [](Self& edit, const std::string& value) { edit.SetText(value); })
        .StoredWhen([](const Self& edit) { return edit.IsUnbound() && !edit.Text().empty(); })
        .Boolean("Tooltips", &Self::Tooltips, &Self::SetTooltips)
        .Default(false)
        .Boolean("WordWrap", &Self::WordWrap, &Self::SetWordWrap)
        .Default(false);
}
