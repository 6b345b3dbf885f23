// What a grid column and its title store in a form. A property with a fallback is stored only when
// the user set it and it differs from what the column would answer without it.
#include <functional>

#include "data_controls/edit_button.h"
#include "data_controls/mru_list.h"
#include "data_controls/spec_row.h"
#include "data_controls/stored_strings.h"
#include "data_grid/column.h"
#include "data_grid/column_drop_down_box.h"
#include "data_grid/column_title.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/writer.h"
#include "platform/ui/font.h"
#include "platform/ui/image_list.h"
#include "platform/ui/popup_menu.h"

namespace {

const std::vector<std::string> kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kBiDiModes{"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                          "bdRightToLeftReadingOnly"};
const std::vector<std::string> kButtonStyles{"cbsAuto", "cbsEllipsis", "cbsNone", "cbsUpDown", "cbsDropDown"};
const std::vector<std::string> kImeModes{"imDisable", "imClose",   "imOpen",     "imDontCare",
                                         "imSAlpha",  "imAlpha",   "imHira",     "imSKata",
                                         "imKata",    "imChinese", "imSHanguel", "imHanguel"};
const std::vector<std::string> kLayouts{"tlTop", "tlCenter", "tlBottom"};
const std::vector<std::string> kOrientations{"tohHorizontal", "tohVertical"};
const std::vector<std::string> kSortMarkers{"smNoneEh", "smDownEh", "smUpEh"};

const TColumnEh& ColumnOf(const TColumnEh& column) {
    return column;
}
const TColumnEh& ColumnOf(const TColumnTitleEh& title) {
    return title.Column();
}

}  // namespace

// Reads what the column would answer without the user's value: the flag is lifted for the read.
struct TColumnEhStoring {
    template <class T, class Get>
    static auto FallbackOf(const T& object, TColumnEhValue flag, Get get) {
        auto& column = const_cast<TColumnEh&>(ColumnOf(object));
        const TColumnEhValues saved = column.OwnValues();
        column.SetOwnValues(saved - TColumnEhValues{flag});
        auto value = std::invoke(get, object);
        column.SetOwnValues(saved);
        return value;
    }
    // Stored when set by the user and unlike the fallback.
    template <class T, class Get>
    static std::function<bool(const T&)> OwnDiffers(TColumnEhValue flag, Get get) {
        return [flag, get](const T& object) {
            return ColumnOf(object).OwnValues().Contains(flag) &&
                   std::invoke(get, object) != FallbackOf(object, flag, get);
        };
    }
    // Stored whenever set by the user.
    template <class T>
    static std::function<bool(const T&)> OwnSet(TColumnEhValue flag) {
        return [flag](const T& object) { return ColumnOf(object).OwnValues().Contains(flag); };
    }
    static bool WidthStored(const TColumnEh& column) {
        return column.OwnValues().Contains(ovWidth) && column.Width() != column.FallbackWidth();
    }
};

const TPropertyList& TDBGridColumnEh::Published() {
    using C = TColumnEh;
    using S = TColumnEhStoring;
    static const TPropertyList list =
        TPublish<C>(TCollectionItem::Published())
            .Enum("Alignment", &C::Alignment, &C::SetAlignment, kAlignments)
            .StoredWhen(S::OwnDiffers<C>(ovAlignment, &C::Alignment))
            .Boolean("AlwaysShowEditButton", &C::AlwaysShowEditButton, &C::SetAlwaysShowEditButton)
            .StoredWhen(S::OwnDiffers<C>(ovAlwaysShowEditButton, &C::AlwaysShowEditButton))
            .Boolean("AutoDropDown", &C::AutoDropDown, &C::SetAutoDropDown)
            .StoredWhen(S::OwnDiffers<C>(ovAutoDropDown, &C::AutoDropDown))
            .Boolean("AutoFitColWidth", &C::AutoFitColWidth, &C::SetAutoFitColWidth)
            .Default(true)
            .Enum("BiDiMode", &C::BiDiMode, &C::SetBiDiMode, kBiDiModes)
            .StoredWhen(S::OwnSet<C>(ovBiDiMode))
            .Enum("ButtonStyle", &C::ButtonStyle, &C::SetButtonStyle, kButtonStyles)
            .Default(cbsAuto)
            .Boolean("Checkboxes", &C::Checkboxes, &C::SetCheckboxes)
            .StoredWhen(S::OwnSet<C>(ovCheckboxes))
            .Integer("Color", &C::Color, &C::SetColor)
            .StoredWhen(S::OwnDiffers<C>(ovColor, &C::Color))
            .Boolean("DblClickNextVal", &C::DblClickNextVal, &C::SetDblClickNextVal)
            .StoredWhen(S::OwnDiffers<C>(ovDblClickNextVal, &C::DblClickNextVal))
            .String("DisplayFormat", &C::DisplayFormat, &C::SetDisplayFormat)
            .Object("DropDownBox", &C::DropDownBox)
            .Integer("DropDownRows", &C::DropDownRows, &C::SetDropDownRows)
            .Default(7)
            .Boolean("DropDownShowTitles", &C::DropDownShowTitles, &C::SetDropDownShowTitles)
            .StoredWhen(S::OwnDiffers<C>(ovDropDownShowTitles, &C::DropDownShowTitles))
            .Boolean("DropDownSizing", &C::DropDownSizing, &C::SetDropDownSizing)
            .StoredWhen(S::OwnDiffers<C>(ovDropDownSizing, &C::DropDownSizing))
            .Object("DropDownSpecRow", &C::DropDownSpecRow)
            .Integer("DropDownWidth", &C::DropDownWidth, &C::SetDropDownWidth)
            .Default(0)
            .Collection("EditButtons", &C::EditButtons)
            .String("EditMask", &C::EditMask, &C::SetEditMask)
            .Boolean("EndEllipsis", &C::EndEllipsis, &C::SetEndEllipsis)
            .StoredWhen(S::OwnDiffers<C>(ovEndEllipsis, &C::EndEllipsis))
            .String("FieldName", &C::FieldName, &C::SetFieldName)
            .Object("Font", &C::Font)
            .StoredWhen(S::OwnSet<C>(ovFont))
            .Object("Footer", &C::Footer)
            .Collection("Footers", &C::Footers)
            .Boolean("HideDuplicates", &C::HideDuplicates, &C::SetHideDuplicates)
            .Default(false)
            .Boolean("HighlightRequired", &C::HighlightRequired, &C::SetHighlightRequired)
            .StoredWhen(S::OwnDiffers<C>(ovHighlightRequired, &C::HighlightRequired))
            .Component("ImageList", &C::ImageList, &C::SetImageList)
            .Enum("ImeMode", &C::ImeMode, &C::SetImeMode, kImeModes)
            .StoredWhen(S::OwnDiffers<C>(ovImeMode, &C::ImeMode))
            .String("ImeName", &C::ImeName, &C::SetImeName)
            .StoredWhen(S::OwnDiffers<C>(ovImeName, &C::ImeName))
            .Float("Increment", &C::Increment, &C::SetIncrement)
            .Default(1.0)
            .Enum("Layout", &C::Layout, &C::SetLayout, kLayouts)
            .StoredWhen(S::OwnDiffers<C>(ovLayout, &C::Layout))
            .String("LookupDisplayFields", &C::LookupDisplayFields, &C::SetLookupDisplayFields)
            .StoredWhen(S::OwnDiffers<C>(ovLookupDisplayFields, &C::LookupDisplayFields))
            .Integer("MaxWidth", &C::MaxWidth, &C::SetMaxWidth)
            .Default(0)
            .Integer("MinWidth", &C::MinWidth, &C::SetMinWidth)
            .Default(0)
            .Object("MRUList", &C::MRUList)
            .Integer("NotInKeyListIndex", &C::NotInKeyListIndex, &C::SetNotInKeyListIndex)
            .Default(-1)
            .Component("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
            .Boolean("ReadOnly", &C::ReadOnly, &C::SetReadOnly)
            .StoredWhen(S::OwnDiffers<C>(ovReadOnly, &C::ReadOnly))
            .Boolean("ShowImageAndText", &C::ShowImageAndText, &C::SetShowImageAndText)
            .Default(false)
            .Object("STFilter", &C::STFilter)
            .Integer("Tag", &C::Tag, &C::SetTag)
            .Default(0)
            .Object("Title", &C::Title)
            .Boolean("ToolTips", &C::ToolTips, &C::SetToolTips)
            .StoredWhen(S::OwnDiffers<C>(ovToolTips, &C::ToolTips))
            .Boolean("Visible", &C::Visible, &C::SetVisible)
            .Default(true)
            .Integer("Width", &C::Width, &C::SetWidth)
            .StoredWhen(&S::WidthStored)
            .Boolean("WordWrap", &C::WordWrap, &C::SetWordWrap)
            .StoredWhen(S::OwnDiffers<C>(ovWordWrap, &C::WordWrap));
    return list;
}

const TPropertyList& TColumnTitleEh::Published() {
    using T = TColumnTitleEh;
    using S = TColumnEhStoring;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published())
            .Enum("Alignment", &T::Alignment, &T::SetAlignment, kAlignments)
            .StoredWhen(S::OwnDiffers<T>(ovTitleAlignment, &T::Alignment))
            .String("Caption", &T::Caption, &T::SetCaption)
            .StoredWhen(S::OwnDiffers<T>(ovTitleCaption, &T::Caption))
            .Integer("Color", &T::Color, &T::SetColor)
            .StoredWhen(S::OwnDiffers<T>(ovTitleColor, &T::Color))
            .Boolean("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis)
            .StoredWhen(S::OwnDiffers<T>(ovTitleEndEllipsis, &T::EndEllipsis))
            .Object("Font", &T::Font)
            .StoredWhen(S::OwnSet<T>(ovTitleFont))
            .String("Hint", &T::Hint, &T::SetHint)
            .Integer("ImageIndex", &T::ImageIndex, &T::SetImageIndex)
            .Default(-1)
            .Enum("Orientation", &T::Orientation, &T::SetOrientation, kOrientations)
            .StoredWhen(S::OwnDiffers<T>(ovTitleOrientation, &T::Orientation))
            .Integer("SortIndex", &T::SortIndex, &T::SetSortIndex)
            .Default(0)
            .Enum("SortMarker", &T::SortMarker, &T::SetSortMarker, kSortMarkers)
            .Default(smNoneEh)
            .Boolean("TitleButton", &T::TitleButton, &T::SetTitleButton)
            .StoredWhen(S::OwnDiffers<T>(ovTitleButton, &T::TitleButton))
            .Boolean("ToolTips", &T::ToolTips, &T::SetToolTips)
            .StoredWhen(S::OwnDiffers<T>(ovTitleToolTips, &T::ToolTips));
    return list;
}

// The pick and key lists are stored as their strings, when they hold any.
void TColumnEh::DefineProperties(TFiler& Filer) {
    TCollectionItem::DefineProperties(Filer);
    Filer.DefineProperty(
        "KeyList.Strings", [this](TReader& reader) { ReadStoredStrings(reader, *KeyList()); },
        [this](TWriter& writer) { WriteStoredStrings(writer, *KeyList()); },
        HasKeyList() && keyList_->Count() > 0);
    Filer.DefineProperty(
        "PickList.Strings", [this](TReader& reader) { ReadStoredStrings(reader, *PickList()); },
        [this](TWriter& writer) { WriteStoredStrings(writer, *PickList()); },
        HasPickList() && pickList_->Count() > 0);
}
