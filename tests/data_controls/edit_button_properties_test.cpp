// Edit-button settings written to a stored form and read back.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/edit_button.h"
#include "data_controls/edit_button_control.h"
#include "platform/rtl/class_registry.h"
#include "platform/rtl/form_stream.h"
#include "platform/ui/headless.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/virtual_keys.h"

namespace {

// An edit control's stored part: its main button and its extra buttons.
class TButtonHost : public TComponent {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TButtonHost"; }
    static const TPropertyList& Published() {
        static const TPropertyList list =
            TPublish<TButtonHost>(TComponent::Published())
                .Object("EditButton", [](const TButtonHost& h) { return &h.EditButton; })
                .Collection("EditButtons", [](const TButtonHost& h) { return &h.EditButtons; });
        return list;
    }
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TVisibleEditButtonEh EditButton{nullptr};
    TEditButtonsEh EditButtons{this, ItemClass<TVisibleEditButtonEh>()};
};

TClassRegistry HostClasses() {
    TClassRegistry classes;
    classes.RegisterClass<TButtonHost>("TButtonHost");
    classes.RegisterClass<TPopupMenu>("TPopupMenu");
    return classes;
}

TEST(EditButtonProperties, AButtonLeftAtItsDefaultsWritesNothing) {
    TButtonHost host(nullptr);
    host.SetName("Edit1");
    host.EditButtons.Add();
    EXPECT_EQ(ComponentToText(host),
              "object Edit1: TButtonHost\n"
              "  EditButtons = <\n"
              "    item\n"
              "    end>\n"
              "end\n");
}

TEST(EditButtonProperties, SettingsOtherThanTheDefaultsAreWrittenAndReadBack) {
    TButtonHost host(nullptr);
    host.SetName("Edit1");
    auto* menu = new TPopupMenu(&host);
    menu->SetName("Menu1");
    host.EditButton.SetVisible(false);
    host.EditButton.SetShortCut(0);
    host.EditButton.SetStyle(ebsUpDownEh);
    auto* extra = static_cast<TEditButtonEh*>(host.EditButtons.Add());
    extra->SetHint("Выбрать");
    extra->SetNumGlyphs(3);
    extra->SetWidth(21);
    extra->SetStyle(ebsEllipsisEh);
    extra->SetDropdownMenu(menu);
    const std::string text = ComponentToText(host);
    EXPECT_EQ(text,
              "object Edit1: TButtonHost\n"
              "  EditButton.ShortCut = 0\n"
              "  EditButton.Style = ebsUpDownEh\n"
              "  EditButton.Visible = False\n"
              "  EditButtons = <\n"
              "    item\n"
              "      DropdownMenu = Menu1\n"
              "      Hint = 'Выбрать'\n"
              "      NumGlyphs = 3\n"
              "      Style = ebsEllipsisEh\n"
              "      Width = 21\n"
              "    end>\n"
              "  object Menu1: TPopupMenu\n"
              "  end\n"
              "end\n");

    const TClassRegistry classes = HostClasses();
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto& copy = dynamic_cast<TButtonHost&>(*read);
    EXPECT_EQ(ComponentToText(copy), text);
    EXPECT_FALSE(copy.EditButton.Visible());
    EXPECT_EQ(copy.EditButton.ShortCut(), 0);
    EXPECT_EQ(copy.EditButton.Style(), ebsUpDownEh);
    ASSERT_EQ(copy.EditButtons.Count(), 1);
    const TEditButtonEh* button = copy.EditButtons.GetButton(0);
    EXPECT_EQ(button->Hint(), "Выбрать");
    EXPECT_EQ(button->NumGlyphs(), 3);
    EXPECT_EQ(button->Width(), 21);
    EXPECT_EQ(button->Style(), ebsEllipsisEh);
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->ShortCut(), scAlt | VK_DOWN);
    EXPECT_EQ(button->DropdownMenu(), copy.FindComponent("Menu1"));
    EXPECT_NE(button->DropdownMenu(), nullptr);
}

// The calculator's keys keep their look in a stored form.
TEST(EditButtonProperties, ASpeedButtonStoresItsActiveLookAndStyle) {
    platform::ui::HeadlessSession ui;
    TSpeedButtonEh button(nullptr);
    button.SetName("Key1");
    EXPECT_EQ(ComponentToText(button), "object Key1: TSpeedButtonEh\nend\n");
    button.SetActive(true);
    button.SetStyle(ebsUpDownEh);
    const std::string text = ComponentToText(button);
    EXPECT_EQ(text,
              "object Key1: TSpeedButtonEh\n"
              "  Active = True\n"
              "  Style = ebsUpDownEh\n"
              "end\n");
    TClassRegistry classes;
    classes.RegisterClass<TSpeedButtonEh>("TSpeedButtonEh");
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto& copy = dynamic_cast<TSpeedButtonEh&>(*read);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.Style(), ebsUpDownEh);
}

}  // namespace
