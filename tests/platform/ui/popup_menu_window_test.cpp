// An open popup menu: its window over the form takes the keys and the mouse while the form's edit
// keeps the focus; separators and disabled items are passed over, an item's OnClick runs once after
// the menu closed, and one level of sub-menu opens beside its item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/screen.h"
#include "platform/ui/virtual_keys.h"

namespace {

class MenuForm : public TForm {
  public:
    explicit MenuForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 500, 400);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 120, 24);
        menu = NewComponent<TPopupMenu>(this);
        Item(menu->Items(), "&Open", "open")->ShortCut = ShortCut('O', {ssCtrl});
        Item(menu->Items(), "-", "line");
        Item(menu->Items(), "&Delete", "delete")->Enabled = false;
        Item(menu->Items(), "&Print", "print")->Checked = true;
        Item(menu->Items(), "Hidden", "hidden")->Visible = false;
        more = Item(menu->Items(), "&More", "more");
        Item(more, "&Inner", "inner");
        Item(more, "&Second", "second");
        edit->SetPopupMenu(menu);
    }
    TMenuItem* Item(TMenuItem* parent, const char* caption, std::string tag) {
        auto* item = NewComponent<TMenuItem>(this);
        item->Caption = caption;
        item->OnClick = [this, tag](TObject*) { clicked += tag + ";"; };
        parent->Add(item);
        return item;
    }
    TEdit* edit;
    TPopupMenu* menu;
    TMenuItem* more;
    std::string clicked;
};

// Shown items, top down: 0 Open, 1 separator, 2 Delete (disabled), 3 Print, 4 More (sub-menu).
constexpr int kOpen = 0;
constexpr int kLine = 1;
constexpr int kDisabled = 2;
constexpr int kPrint = 3;
constexpr int kMore = 4;

struct Step {
    enum Kind { Key, Char, Click, RightClick, Hover, ClickSub, ClickOutside } kind;
    int value = 0;  // a key, a character or an item's index
};

class PopupMenuWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->edit->SetFocus();
    }
    TMenuWindow* Window() const { return form->menu->MenuWindow(); }
    static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    void Run(const Step& step) {
        switch (step.kind) {
            case Step::Key:
                ui.PressKey(static_cast<WORD>(step.value));
                break;
            case Step::Char:
                ui.TypeText(std::string(1, static_cast<char>(step.value)));
                break;
            case Step::Click:
                ui.ClickAt(Window(), Centre(Window()->ItemRect(step.value)));
                break;
            case Step::RightClick:
                ui.ClickAt(Window(), Centre(Window()->ItemRect(step.value)), mbRight);
                break;
            case Step::Hover:
                platform::ui::PostMouseMove(*Window(), {}, Centre(Window()->ItemRect(step.value)));
                ui.ProcessMessages();
                break;
            case Step::ClickSub:
                ui.ClickAt(Window()->SubMenu(), Centre(Window()->SubMenu()->ItemRect(step.value)));
                break;
            case Step::ClickOutside:
                ui.ClickAt(form, {400, 350});
                break;
        }
    }

    platform::ui::HeadlessSession ui;
    MenuForm* form = nullptr;
};

TEST_F(PopupMenuWindowTest, ARightClickOpensTheMenuAtThePointerWithoutTakingTheFocus) {
    ui.ClickAt(form->edit, {5, 6}, mbRight);
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->IsShowing());
    EXPECT_TRUE(Window()->IsTopLevelWindow());
    EXPECT_EQ(Window()->BoundsRect().TopLeft(), form->edit->ClientToScreen({5, 6}));
    EXPECT_EQ(Window()->Shown().size(), 5u) << "the hidden item is left out";
    EXPECT_EQ(Window()->Highlighted(), -1);
    EXPECT_EQ(FocusedControl(), form->edit);
    EXPECT_EQ(ui.System().Activations(), 1) << "only the form was ever activated";
}

TEST_F(PopupMenuWindowTest, KeysAndClicksChooseOrDismiss) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* clicked;
        bool openAfter;
        int highlighted;  // while still open
    } cases[] = {
        {"down twice passes the separator and the disabled item",
         {{Step::Key, VK_DOWN}, {Step::Key, VK_DOWN}},
         "",
         true,
         kPrint},
        {"down, down, enter",
         {{Step::Key, VK_DOWN}, {Step::Key, VK_DOWN}, {Step::Key, VK_RETURN}},
         "print;",
         false,
         -1},
        {"up from nothing takes the last item", {{Step::Key, VK_UP}}, "", true, kMore},
        {"down wraps round to the top", {{Step::Key, VK_UP}, {Step::Key, VK_DOWN}}, "", true, kOpen},
        {"up passes the disabled item and the separator",
         {{Step::Key, VK_UP}, {Step::Key, VK_UP}, {Step::Key, VK_UP}},
         "",
         true,
         kOpen},
        {"escape closes", {{Step::Key, VK_DOWN}, {Step::Key, VK_ESCAPE}}, "", false, -1},
        {"enter with nothing highlighted closes", {{Step::Key, VK_RETURN}}, "", false, -1},
        {"the prefix letter chooses", {{Step::Char, 'p'}}, "print;", false, -1},
        {"a disabled item's letter does nothing", {{Step::Char, 'd'}}, "", true, -1},
        {"a click on an item", {{Step::Click, kOpen}}, "open;", false, -1},
        {"a right click on an item", {{Step::RightClick, kPrint}}, "print;", false, -1},
        {"a click on the separator", {{Step::Click, kLine}}, "", true, -1},
        {"a click on a disabled item", {{Step::Click, kDisabled}}, "", true, -1},
        {"a click outside closes", {{Step::ClickOutside}}, "", false, -1},
        {"hovering highlights", {{Step::Hover, kPrint}}, "", true, kPrint},
        {"hovering a disabled item highlights nothing",
         {{Step::Hover, kPrint}, {Step::Hover, kDisabled}},
         "",
         true,
         -1},
        {"right opens the sub-menu, enter chooses in it",
         {{Step::Key, VK_UP}, {Step::Key, VK_RIGHT}, {Step::Key, VK_RETURN}},
         "inner;",
         false,
         -1},
        {"down moves in the open sub-menu",
         {{Step::Key, VK_UP}, {Step::Key, VK_RIGHT}, {Step::Key, VK_DOWN}, {Step::Key, VK_RETURN}},
         "second;",
         false,
         -1},
        {"left closes the sub-menu only",
         {{Step::Key, VK_UP}, {Step::Key, VK_RIGHT}, {Step::Key, VK_LEFT}, {Step::Key, VK_UP}},
         "",
         true,
         kPrint},
        {"escape closes the sub-menu only",
         {{Step::Key, VK_UP}, {Step::Key, VK_RIGHT}, {Step::Key, VK_ESCAPE}},
         "",
         true,
         kMore},
        {"the sub-menu's letter", {{Step::Char, 'm'}, {Step::Char, 's'}}, "second;", false, -1},
        {"hovering opens the sub-menu, a click in it chooses",
         {{Step::Hover, kMore}, {Step::ClickSub, 0}},
         "inner;",
         false,
         -1},
        {"a click on the item of a sub-menu does not close", {{Step::Click, kMore}}, "", true, kMore},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->clicked.clear();
        form->menu->Popup(100, 100);
        ASSERT_NE(Window(), nullptr);
        for (const Step& step : c.steps) Run(step);
        EXPECT_EQ(form->clicked, c.clicked);
        EXPECT_EQ(Window() != nullptr, c.openAfter);
        if (c.openAfter && Window() != nullptr) {
            EXPECT_EQ(Window()->Highlighted(), c.highlighted);
        }
        EXPECT_EQ(FocusedControl(), form->edit);
        EXPECT_EQ(form->edit->Text(), "") << "no key reached the edit";
        form->menu->CloseMenu();
        ui.ProcessMessages();
    }
}

TEST_F(PopupMenuWindowTest, AfterTheMenuClosesKeysAndClicksReachTheFormAgain) {
    form->menu->Popup(100, 100);
    ui.PressKey(VK_ESCAPE);
    ui.TypeText("ab");
    EXPECT_EQ(form->edit->Text(), "ab");
    ui.PressKey('O', {ssCtrl});
    EXPECT_EQ(form->clicked, "open;") << "shortcuts work as before";
    ui.Click(form->edit);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(PopupMenuWindowTest, AnItemsHandlerMayFreeTheFormThatShowedTheMenu) {
    form->menu->Items()->Items(kOpen)->OnClick = [&](TObject*) { Free(form); };
    form->menu->Popup(100, 100);
    ui.ClickAt(Window(), Centre(Window()->ItemRect(kOpen)));
    form = nullptr;
    ui.ProcessMessages();
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(PopupMenuWindowTest, CaptionsAndShortcutsAreDrawnInTheirColumns) {
    auto& log = ui.System().TextLog();
    log.Drawn.clear();
    form->menu->Popup(100, 100);
    ui.ProcessMessages();
    auto drawn = [&](const std::string& text) {
        for (const auto& d : log.Drawn)
            if (d.Text == text)
                return d;
        ADD_FAILURE() << "not drawn: " << text;
        return platform::ui::HeadlessTextEngine::DrawnText{};
    };
    auto shortcut = drawn("Ctrl+O");
    int shortcutWidth = log.Measure(shortcut.Font, "Ctrl+O").cx;
    TRect open = Window()->ItemRect(kOpen);
    // Right-aligned before the sub-menu arrows' column; captions after the check marks' column.
    EXPECT_EQ(shortcut.At.X + shortcutWidth, Window()->Width() - 3 - 16);
    EXPECT_EQ(drawn("Open").At.X, 3 + 18) << "'&' is not drawn";
    EXPECT_GT(drawn("Open").At.Y, open.Top);
    EXPECT_EQ(drawn("Print").Argb, ColorToArgb(clMenuText));
    EXPECT_EQ(drawn("Delete").Argb, ColorToArgb(clGrayText));

    // The check mark left of a checked caption, the arrow right of an item with sub-items.
    const platform::ui::RasterImage& shown = Window()->PopupWindow()->SurfaceImage();
    auto marked = [&](int item, int left, int right) {
        TRect r = Window()->ItemRect(item);
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left + left; x < r.Left + right; ++x)
                count += shown.Pixel(x, y) == ColorToArgb(clMenuText) ? 1 : 0;
        return count;
    };
    int arrowColumn = Window()->ItemRect(kMore).Width() - 16;
    EXPECT_GT(marked(kPrint, 0, 18), 10);
    EXPECT_EQ(marked(kOpen, 0, 18), 0);
    EXPECT_GT(marked(kMore, arrowColumn, arrowColumn + 16), 6);
    EXPECT_EQ(marked(kPrint, arrowColumn, arrowColumn + 16), 0);
}

TEST_F(PopupMenuWindowTest, TheMenuClosesWhenItsFormLosesTheActivation) {
    TForm* other = nullptr;
    Application->CreateForm(&other);
    form->menu->Popup(100, 100);
    ASSERT_NE(Window(), nullptr);
    other->Show();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(form->clicked, "");
    EXPECT_EQ(GetCaptureControl(), nullptr);
    ui.TypeText("x");
    EXPECT_EQ(FocusedControl(), other) << "keys go to the newly active form";
}

TEST_F(PopupMenuWindowTest, TheMenuStaysOnTheScreen) {
    form->menu->Popup(Screen->Width() - 5, Screen->Height() - 5);
    ASSERT_NE(Window(), nullptr);
    TRect r = Window()->BoundsRect();
    EXPECT_LE(r.Right, Screen->Width() - 5) << "opens to the left of the point";
    EXPECT_LE(r.Bottom, Screen->WorkAreaRect().Bottom);
}

}  // namespace
