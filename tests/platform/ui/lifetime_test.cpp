// Controls, forms and timers that go away while messages for them are on their way, or from inside
// their own handlers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/timer.h"
#include "platform/ui/virtual_keys.h"

namespace {

class HostForm : public TForm {
  public:
    explicit HostForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 300, 200);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetText("kept");
        next = NewComponent<TEdit>(this);
        next->SetParent(this);
        next->SetTop(50);
        next->SetText("kept");
        panel = NewComponent<TPanel>(this);
        panel->SetParent(this);
        panel->SetBounds(100, 100, 150, 80);
        button = NewComponent<TSpeedButton>(this);
        button->SetParent(this);
        button->SetBounds(10, 150, 40, 30);
        timer = NewComponent<TTimer>(this);
        timer->SetInterval(100);
        OnDestroy = [](TObject*) { ++destroyed; };
    }
    TEdit* edit;
    TEdit* next;
    TPanel* panel;
    TSpeedButton* button;
    TTimer* timer;
    static inline int destroyed = 0;
};

// Watches another component through free notification.
class Watcher : public TComponent {
  public:
    using TComponent::TComponent;
    TComponent* watched = nullptr;

  protected:
    void Notification(TComponent* c, TOperation op) override {
        if (op == opRemove && c == watched)
            watched = nullptr;
    }
};

class LifetimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HostForm::destroyed = 0;
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    HostForm* form = nullptr;
};

// The handler frees the form and then still reads one of its controls, as handlers do; the form
// goes once the handler has returned, and the loop goes on.
TEST_F(LifetimeTest, AFormFreedInsideAHandlerOfItsOwnGoesWhenTheHandlerHasReturned) {
    struct Case {
        const char* where;
        std::function<void(HostForm*, std::function<void()>)> hook;
        std::function<void(platform::ui::HeadlessSession&, HostForm*)> act;
    };
    using Session = platform::ui::HeadlessSession;
    const std::vector<Case> cases = {
        {"speed button click", [](HostForm* f, auto free) { f->button->OnClick = [=](TObject*) { free(); }; },
         [](Session& ui, HostForm* f) { ui.Click(f->button); }},
        {"panel click", [](HostForm* f, auto free) { f->panel->OnClick = [=](TObject*) { free(); }; },
         [](Session& ui, HostForm* f) { ui.Click(f->panel); }},
        {"form click", [](HostForm* f, auto free) { f->OnClick = [=](TObject*) { free(); }; },
         [](Session& ui, HostForm* f) {
             ui.ClickAt(f, {50, 120});
         }},
        {"panel mouse down",
         [](HostForm* f, auto free) {
             f->panel->OnMouseDown = [=](TObject*, TMouseButton, TShiftState, int, int) { free(); };
         },
         [](Session& ui, HostForm* f) { ui.Click(f->panel); }},
        {"key down",
         [](HostForm* f, auto free) { f->edit->OnKeyDown = [=](TObject*, WORD&, TShiftState) { free(); }; },
         [](Session& ui, HostForm*) { ui.PressKey('1'); }},
        {"key press",
         [](HostForm* f, auto free) { f->edit->OnKeyPress = [=](TObject*, char32_t&) { free(); }; },
         [](Session& ui, HostForm*) { ui.PressKey('1'); }},
        {"key up",
         [](HostForm* f, auto free) { f->edit->OnKeyUp = [=](TObject*, WORD&, TShiftState) { free(); }; },
         [](Session& ui, HostForm*) { ui.PressKey('1'); }},
        {"change", [](HostForm* f, auto free) { f->edit->OnChange = [=](TObject*) { free(); }; },
         [](Session& ui, HostForm*) { ui.TypeText("12"); }},
        {"exit on tab", [](HostForm* f, auto free) { f->edit->OnExit = [=](TObject*) { free(); }; },
         [](Session& ui, HostForm*) { ui.PressKey(VK_TAB); }},
        {"timer", [](HostForm* f, auto free) { f->timer->OnTimer = [=](TObject*) { free(); }; },
         [](Session& ui, HostForm*) { ui.Advance(100); }},
        {"resize", [](HostForm* f, auto free) { f->OnResize = [=](TObject*) { free(); }; },
         [](Session&, HostForm* f) { f->SetBounds(0, 0, 500, 300); }},
    };
    for (const Case& c : cases) {
        if (form == nullptr) {
            Application->CreateForm(&form);
            form->Show();
            ui.ProcessMessages();
        }
        HostForm::destroyed = 0;
        std::string seen;
        HostForm* f = form;
        c.hook(f, [f, &seen] {
            Free(f);
            seen = f->next->Text();
        });
        c.act(ui, f);
        ui.ProcessMessages();
        EXPECT_EQ(HostForm::destroyed, 1) << c.where;
        EXPECT_EQ(seen, "kept") << c.where;
        EXPECT_EQ(Application->MainForm(), nullptr) << c.where;
        form = nullptr;
        ui.Advance(1000);
        EXPECT_TRUE(ui.System().MessageBoxes().empty()) << c.where;
    }
}

TEST_F(LifetimeTest, AFormReleasedAndPumpedInsideItsOwnHandlerOutlivesTheHandler) {
    HostForm* dialog = nullptr;
    Application->CreateForm(&dialog);
    dialog->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    dialog->Show();
    ui.ProcessMessages();
    std::string seen;
    dialog->button->OnClick = [&](TObject*) {
        dialog->Close();
        Application->ProcessMessages();  // the release message comes round while the click runs
        seen = dialog->edit->Text();
    };
    ui.Click(dialog->button);
    EXPECT_EQ(seen, "kept");
    EXPECT_EQ(HostForm::destroyed, 1);
    EXPECT_EQ(Application->ComponentCount(), 1);  // the main form alone
}

TEST_F(LifetimeTest, AControlFreedWhileKeysForItAreQueuedIsForgottenAndTheKeysHarmNobody) {
    auto watcher = MakeComponent<Watcher>(nullptr);
    watcher->watched = form->edit;
    form->edit->FreeNotification(watcher.get());
    form->button->OnClick = [this](TObject*) { Free(form->edit); };
    platform::ui::PostMouseDown(*form, mbLeft, {}, {20, 160});
    platform::ui::PostMouseUp(*form, mbLeft, {}, {20, 160});
    ui.KeyDown('7', {}, "7");
    ui.KeyUp('7');
    ui.ProcessMessages();
    EXPECT_EQ(watcher->watched, nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(form->next->Text(), "kept");  // the 7 reached no edit
    ui.PressKey(VK_TAB);
    ui.TypeText("5");
    EXPECT_EQ(form->next->Text(), "5");
}

TEST_F(LifetimeTest, ATimerFreedWhileItsTickIsQueuedNeverTicks) {
    TTimer* second = NewComponent<TTimer>(form);
    second->SetInterval(100);
    int secondTicks = 0;
    second->OnTimer = [&](TObject*) { ++secondTicks; };
    form->timer->OnTimer = [&](TObject*) {  // both came due in the same pass
        Free(second);
        second = nullptr;
    };
    ui.Advance(100);
    ui.Advance(500);
    EXPECT_EQ(secondTicks, 0);
    EXPECT_TRUE(ui.System().MessageBoxes().empty());
}

TEST_F(LifetimeTest, FreeingOutsideAnyHandlerIsImmediate) {
    TEdit* edit = form->edit;
    auto watcher = MakeComponent<Watcher>(nullptr);
    watcher->watched = edit;
    edit->FreeNotification(watcher.get());
    Free(edit);
    EXPECT_EQ(watcher->watched, nullptr);
    Free(form);
    EXPECT_EQ(HostForm::destroyed, 1);
}

}  // namespace
