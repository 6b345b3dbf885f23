// The stored form of edit-button settings.
#include <string>
#include <vector>

#include "data_controls/edit_button.h"
#include "data_controls/edit_button_control.h"
#include "platform/rtl/published_properties.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/virtual_keys.h"

namespace {

std::vector<std::string> StyleNames() {
    return {"ebsDropDownEh", "ebsEllipsisEh", "ebsGlyphEh", "ebsUpDownEh", "ebsPlusEh", "ebsMinusEh"};
}

// Both button classes store the same properties in the same order; only two defaults differ.
TPropertyList EditButtonProperties(bool visibleDefault, TShortCut shortCutDefault) {
    return TPublish<TEditButtonEh>(TCollectionItem::Published())
        .Component("DropdownMenu", &TEditButtonEh::DropdownMenu, &TEditButtonEh::SetDropdownMenu)
        .String("Hint", &TEditButtonEh::Hint, &TEditButtonEh::SetHint)
        .Integer("NumGlyphs", &TEditButtonEh::NumGlyphs, &TEditButtonEh::SetNumGlyphs)
        .Default(1)
        .Integer("ShortCut", &TEditButtonEh::ShortCut, &TEditButtonEh::SetShortCut)
        .Default(shortCutDefault)
        .Enum("Style", &TEditButtonEh::Style, &TEditButtonEh::SetStyle, StyleNames())
        .Default(ebsDropDownEh)
        .Boolean("Visible", &TEditButtonEh::Visible, &TEditButtonEh::SetVisible)
        .Default(visibleDefault)
        .Integer("Width", &TEditButtonEh::Width, &TEditButtonEh::SetWidth)
        .Default(0);
}

}  // namespace

const TPropertyList& TEditButtonEh::Published() {
    static const TPropertyList list = EditButtonProperties(false, 0);
    return list;
}

const TPropertyList& TVisibleEditButtonEh::Published() {
    static const TPropertyList list = EditButtonProperties(true, static_cast<TShortCut>(scAlt | VK_DOWN));
    return list;
}

const TPropertyList& TSpeedButtonEh::Published() {
    static const TPropertyList list =
        TPublish<TSpeedButtonEh>(TComponent::Published())
            .Boolean("Active", &TSpeedButtonEh::Active, &TSpeedButtonEh::SetActive)
            .Default(false)
            .Enum("Style", &TSpeedButtonEh::Style, &TSpeedButtonEh::SetStyle, StyleNames())
            .Default(ebsDropDownEh);
    return list;
}
