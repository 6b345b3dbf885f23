// The stored form of the combo box: the edit's settings, the list's, and the items and keys as lists
// of strings.
#include "data_controls/db_combo_box.h"
#include "data_controls/db_edit_published.h"
#include "data_controls/stored_strings.h"
#include "platform/db/data_source.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"
#include "platform/ui/image_list.h"

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
