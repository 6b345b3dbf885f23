// What a lookup-grid column and its special-row cell store in a form. The column stores a subset of
// the grid column's properties, under the same rules, with its special-row cell among them.
#include <string_view>
#include <vector>

#include "data_grid/lookup_grid_columns.h"
#include "platform/rtl/published_properties.h"
#include "platform/ui/font.h"

const TPropertyList& TGridColumnSpecCellEh::Published() {
    using S = TGridColumnSpecCellEh;
    static const TPropertyList list = TPublish<S>(TPersistent::Published())
                                          .String("Text", &S::Text, &S::SetText)
                                          .StoredWhen(&S::TextOwn)
                                          .Integer("Color", &S::Color, &S::SetColor)
                                          .StoredWhen(&S::ColorOwn)
                                          .Object("Font", &S::Font)
                                          .StoredWhen(&S::FontOwn);
    return list;
}

namespace {

// In the order they are written; SpecCell is the lookup column's own.
constexpr std::string_view kLookupColumnProperties[] = {"Alignment",
                                                        "AutoFitColWidth",
                                                        "Checkboxes",
                                                        "Color",
                                                        "EndEllipsis",
                                                        "FieldName",
                                                        "Font",
                                                        "ImageList",
                                                        "ImeMode",
                                                        "ImeName",
                                                        "MaxWidth",
                                                        "MinWidth",
                                                        "NotInKeyListIndex",
                                                        "PopupMenu",
                                                        "ShowImageAndText",
                                                        "SpecCell",
                                                        "Tag",
                                                        "Title",
                                                        "ToolTips",
                                                        "Visible",
                                                        "Width"};

TPropInfo SpecCellProperty() {
    const TPropertyList own = TPublish<TDBLookupGridColumnEh>(TPersistent::Published())
                                  .Object("SpecCell", &TDBLookupGridColumnEh::SpecCell);
    return own.Own().front();
}

}  // namespace

const TPropertyList& TDBLookupGridColumnEh::Published() {
    static const TPropertyList list = [] {
        const TPropertyList& gridColumn = TDBGridColumnEh::Published();
        std::vector<TPropInfo> own;
        for (std::string_view name : kLookupColumnProperties)
            own.push_back(name == "SpecCell" ? SpecCellProperty() : *gridColumn.Find(name));
        return TPropertyList(&TCollectionItem::Published(), std::move(own));
    }();
    return list;
}
