// The stored form of the edit control.
#include "data_controls/db_edit.h"
#include "platform/db/data_source.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

const TPropertyList& TDBEditEh::Published() {
    using Self = TDBEditEh;
    static const TPropertyList list =
        TPublish<Self>(TComponent::Published())
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
    return list;
}

// The mask is stored only when it was set on the control, not taken from the field.
void TCustomDBEditEh::DefineProperties(TFiler& filer) {
    TCustomMaskEdit::DefineProperties(filer);
    filer.DefineProperty(
        "EditMask", [this](TReader& reader) { SetEditMask(reader.ReadString()); },
        [this](TWriter& writer) { writer.WriteString(EditMask()); }, editMaskAssigned_);
}
