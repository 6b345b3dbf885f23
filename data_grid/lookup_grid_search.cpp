// The lookup grid's typing search: typed characters within two seconds of each other build a text
// that chooses the first list record starting with it.
#include "data_grid/lookup_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/os/clock.h"
#include "platform/rtl/strings.h"

void TDBLookupGridEh::SelectByText(char32_t Key) {
    if (listField_ == nullptr || listField_->DataType() != ftString ||
        (listField_->FieldKind != fkData && listField_->FieldKind != fkInternalCalc))
        return;
    if (Key == 8 || Key == 27) {
        searchText_.clear();
        return;
    }
    if (Key < 32 || !CanModifyKey())
        return;
    const std::uint32_t now = GetTickCount();
    if (now - lastSearchTick_ > SearchPause)
        searchText_.clear();
    lastSearchTick_ = now;
    if (Utf8Length(searchText_) >= SearchTextLimit)
        return;
    const std::string text = searchText_ + Utf32ToUtf8(std::u32string(1, Key));
    bool found = false;
    try {
        found =
            ListDataSet()->Locate(listField_->FieldName, Variant(text), {loCaseInsensitive, loPartialKey});
    } catch (const std::exception&) {
        searchText_ = text;
        return;
    }
    if (!found)
        return;
    StoreKeyValue(CurrentListKey());
    searchText_ = text;
}
