// The grid's columns in a stored form: written only when the user made them, or when they differ
// from those of the form the grid's form inherits.
#include "data_grid/db_grid.h"

#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

bool TCustomDBGridEh::ColumnsStored(const TFiler& Filer) const {
    if (!columns_)
        return false;
    const auto* ancestor = dynamic_cast<const TCustomDBGridEh*>(Filer.Ancestor());
    if (ancestor == nullptr || !ancestor->columns_)
        return columns_->Customized();
    return ancestor->columns_->Customized() != columns_->Customized() ||
           !columns_->SameAs(*ancestor->columns_);
}

void TCustomDBGridEh::DefineProperties(TFiler& Filer) {
    TCustomGrid::DefineProperties(Filer);
    Filer.DefineProperty(
        "Columns",
        [this](TReader& reader) {
            columns_->Stored().Clear();
            reader.ReadValue();
            reader.ReadCollection(columns_->Stored());
        },
        [this](TWriter& writer) { writer.WriteCollection(columns_->Stored()); }, ColumnsStored(Filer));
}
