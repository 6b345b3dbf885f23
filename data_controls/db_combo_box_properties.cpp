// The stored form of the combo box: the edit's settings, the list's, and the items and keys as lists
// of strings.
#include "data_controls/db_combo_box.h"
#include "data_controls/stored_strings.h"
#include "platform/db/data_source.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"
#include "platform/ui/image_list.h"

namespace {

// The data-aware edit's stored settings, for a class of its family.
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

}  // namespace

const TPropertyList& TDBComboBoxEh::Published() {
    using Self = TDBComboBoxEh;
    static const TPropertyList list = EditSettings(TPublish<Self>(TComponent::Published()))
                                          .Object("DropDownBox", &Self::DropDownBox)
                                          .Component("Images", &Self::Images, &Self::SetImages);
    return list;
}

// Items and KeyItems are stored as lists of strings.
void TCustomDBComboBoxEh::DefineProperties(TFiler& filer) {
    TCustomDBEditEh::DefineProperties(filer);
    DefineStoredStrings(filer, "Items.Strings", *items_);
    DefineStoredStrings(filer, "KeyItems.Strings", *keyItems_);
}
