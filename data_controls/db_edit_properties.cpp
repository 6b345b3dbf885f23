// The stored form of the edit control.
#include "data_controls/db_edit.h"
#include "data_controls/db_edit_published.h"
#include "platform/db/data_source.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

const TPropertyList& TDBEditEh::Published() {
    using Self = TDBEditEh;
    static const TPropertyList list = EditSettings(TPublish<Self>(TComponent::Published()));
    return list;
}

// The mask is stored only when it was set on the control, not taken from the field.
void TCustomDBEditEh::DefineProperties(TFiler& filer) {
    TCustomMaskEdit::DefineProperties(filer);
    filer.DefineProperty(
        "EditMask", [this](TReader& reader) { SetEditMask(reader.ReadString()); },
        [this](TWriter& writer) { writer.WriteString(EditMask()); }, editMaskAssigned_);
}
