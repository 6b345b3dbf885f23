// Popup menus: item shortcuts reach OnClick through the focused control and the controls holding it;
// a right click shows the menu.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/virtual_keys.h"

namespace {

class MenuForm : public TForm {
  public:
    explicit MenuForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 400, 300);
        panel = NewComponent<TWinControl>(this);
        panel->SetParent(this);
        panel->SetBounds(0, 0, 300, 200);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(panel);
        edit->SetBounds(10, 10, 100, 24);
        editMenu = NewComponent<TPopupMenu>(this);
        panelMenu = NewComponent<TPopupMenu>(this);
        Item(editMenu->Items(), "&Save", ShortCut('S', {ssCtrl}), "save");
        TMenuItem* off = Item(editMenu->Items(), "Off", ShortCut('D', {ssCtrl}), "off");
        off->Enabled = false;
        TMenuItem* sub = Item(editMenu->Items(), "More", scNone, "");
        Item(sub, "Deep", ShortCut(VK_F5, {ssShift}), "deep");
        Item(panelMenu->Items(), "Panel", ShortCut('P', {ssAlt}), "panel");
        Item(panelMenu->Items(), "Shadowed", ShortCut('S', {ssCtrl}), "shadowed");
        edit->SetPopupMenu(editMenu);
        panel->SetPopupMenu(panelMenu);
    }
    TMenuItem* Item(TMenuItem* parent, const char* caption, TShortCut key, std::string tag) {
        auto* item = NewComponent<TMenuItem>(this);
        item->Caption = caption;
        item->ShortCut = key;
        item->OnClick = [this, tag](TObject*) { clicked += tag + ";"; };
        parent->Add(item);
        return item;
    }
    TWinControl* panel;
    TEdit* edit;
    TPopupMenu* editMenu;
    TPopupMenu* panelMenu;
    std::string clicked;
};

class PopupMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->edit->SetFocus();
    }
    platform::ui::HeadlessSession ui;
    MenuForm* form = nullptr;
};

TEST_F(PopupMenuTest, ShortcutsClickTheirItemsNearestMenuFirst) {
    struct Case {
        WORD key;
        TShiftState shift;
        const char* clicked;
    } cases[] = {
        {'S', {ssCtrl}, "save;"},     // the edit's menu hides the panel's item of the same key
        {'D', {ssCtrl}, ""},          // disabled
        {VK_F5, {ssShift}, "deep;"},  // in a sub-menu
        {'P', {ssAlt}, "panel;"},     // the menu of the control holding the edit
        {'S', {}, ""},                // no modifier: typed
    };
    for (const auto& c : cases) {
        form->clicked.clear();
        ui.PressKey(c.key, c.shift);
        EXPECT_EQ(form->clicked, c.clicked) << c.key;
    }
    EXPECT_EQ(form->edit->Text(), "s") << "a key taken by a menu types nothing";
}

TEST(ShortCutTextTest, ModifiersThenTheKeysName) {
    struct Case {
        TShortCut shortCut;
        const char* text;
    } cases[] = {
        {ShortCut('S', {ssCtrl}), "Ctrl+S"},
        {ShortCut(VK_F5, {ssShift}), "Shift+F5"},
        {ShortCut(VK_DELETE, {ssShift, ssCtrl, ssAlt}), "Shift+Ctrl+Alt+Del"},
        {ShortCut(VK_F12, {}), "F12"},
        {ShortCut('7', {ssAlt}), "Alt+7"},
        {ShortCut(VK_NEXT, {}), "PgDn"},
        {scNone, ""},
        {ShortCut(VK_SHIFT, {ssCtrl}), ""},  // no name: nothing shown
    };
    for (const auto& c : cases) EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << c.shortCut;
}

TEST_F(PopupMenuTest, AFreedItemLeavesItsMenu) {
    TMenuItem* first = form->editMenu->Items()->Items(0);
    Free(first);
    EXPECT_EQ(form->editMenu->Items()->Count(), 2);
    ui.PressKey('S', {ssCtrl});
    EXPECT_EQ(form->clicked, "shadowed;");
}

TEST_F(PopupMenuTest, ARightClickShowsTheMenuAtThePointer) {
    int popups = 0;
    form->editMenu->OnPopup = [&](TObject*) { ++popups; };
    ui.ClickAt(form->edit, {5, 6}, mbRight);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(form->editMenu->PopupPoint(), form->edit->ClientToScreen({5, 6}));
}

}  // namespace
