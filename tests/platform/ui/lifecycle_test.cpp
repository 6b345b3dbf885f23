// Ownership, free notification and the form's life events.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"

namespace {

std::vector<std::string> g_log;

class Tracked : public TComponent {
  public:
    Tracked(TComponent* owner, std::string name) : TComponent(owner), name_(std::move(name)) {}
    ~Tracked() override { g_log.push_back("free " + name_); }
    TComponent* watched = nullptr;

  protected:
    void Notification(TComponent* c, TOperation op) override {
        if (op == opRemove && c == watched) {
            g_log.push_back(name_ + " hears " + static_cast<Tracked*>(c)->name_);
            watched = nullptr;
        }
        TComponent::Notification(c, op);
    }

  private:
    std::string name_;
};

class LifecycleTest : public ::testing::Test {
  protected:
    void SetUp() override { g_log.clear(); }
    platform::ui::HeadlessSession ui;
};

TEST_F(LifecycleTest, OwnerFreesWhatItOwnsLastFirst) {
    auto owner = MakeComponent<Tracked>(nullptr, "owner");
    NewComponent<Tracked>(owner.get(), "a");
    NewComponent<Tracked>(owner.get(), "b");
    EXPECT_EQ(owner->ComponentCount(), 2);
    owner.reset();
    EXPECT_EQ(g_log, (std::vector<std::string>{"free b", "free a", "free owner"}));
}

TEST_F(LifecycleTest, FreeNotificationClearsAReferenceToAFreedComponent) {
    auto listener = MakeComponent<Tracked>(nullptr, "listener");
    auto other = MakeComponent<Tracked>(nullptr, "other");
    listener->watched = other.get();
    other->FreeNotification(listener.get());
    other.reset();
    EXPECT_EQ(listener->watched, nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"listener hears other", "free other"}));
}

TEST_F(LifecycleTest, SiblingsHearOfEachOthersRemovalThroughTheirOwner) {
    auto owner = MakeComponent<Tracked>(nullptr, "owner");
    auto* a = NewComponent<Tracked>(owner.get(), "a");
    auto* b = NewComponent<Tracked>(owner.get(), "b");
    a->watched = b;  // no free notification asked for
    Free(b);
    EXPECT_EQ(a->watched, nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"a hears b", "free b"}));
}

TEST_F(LifecycleTest, FreeingAnOwnedComponentEarlyTakesItOutOfItsOwner) {
    auto owner = MakeComponent<Tracked>(nullptr, "owner");
    Tracked* a = NewComponent<Tracked>(owner.get(), "a");
    Free(a);
    EXPECT_EQ(owner->ComponentCount(), 0);
    owner.reset();
    EXPECT_EQ(g_log, (std::vector<std::string>{"free a", "free owner"}));
}

class LifeForm : public TForm {
  public:
    explicit LifeForm(TComponent* owner) : TForm(owner) {
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetText("made");
        OnCreate = [this](TObject*) {
            g_log.push_back("create sees " + edit->Text());
            if (failCreate)
                throw EConvertError("'$00GGHHII' is not a valid integer value");
        };
        OnShow = [](TObject*) { g_log.push_back("show"); };
        OnDestroy = [this](TObject*) { g_log.push_back("destroy sees " + edit->Text()); };
    }
    static inline bool failCreate = false;
    TEdit* edit;
};

TEST_F(LifecycleTest, FormEventsSeeEveryControlAlive) {
    LifeForm::failCreate = false;
    LifeForm* form = nullptr;
    Application->CreateForm(&form);
    EXPECT_EQ(Application->MainForm(), form);
    form->Show();
    Application->DestroyForms();
    EXPECT_EQ(g_log, (std::vector<std::string>{"create sees made", "show", "destroy sees made"}));
}

TEST_F(LifecycleTest, AnExceptionInOnCreateIsReportedAndTheFormLivesOn) {
    LifeForm::failCreate = true;
    LifeForm* form = nullptr;
    Application->CreateForm(&form);
    LifeForm::failCreate = false;
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(ui.System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.System().MessageBoxes()[0].Text, "'$00GGHHII' is not a valid integer value.");
    form->Show();
    EXPECT_TRUE(form->Visible());
}

TEST_F(LifecycleTest, AnExceptionInOnShowIsReportedAndTheWindowIsShownAllTheSame) {
    LifeForm* form = nullptr;
    Application->CreateForm(&form);
    form->OnShow = [](TObject*) { throw Exception("Нет монитора"); };
    form->Show();
    ASSERT_EQ(ui.System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.System().MessageBoxes()[0].Text, "Нет монитора.");
    ASSERT_NE(form->Native(), nullptr);
    EXPECT_EQ(FocusedControl(), form->edit);
    ui.TypeText("7");
    EXPECT_EQ(form->edit->Text(), "7");
}

TEST_F(LifecycleTest, ClosingTheMainFormEndsTheLoop) {
    LifeForm* form = nullptr;
    Application->CreateForm(&form);
    form->Show();
    PostMessage(form->Handle(), WM_CLOSE, 0, 0);
    Application->Run();  // returns once the close message is handled
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(LifecycleTest, ReportedTextsGetAFullStopOnlyWhenTheyEndInAnotherCharacter) {
    struct Case {
        std::string message, shown;
    };
    for (const Case& c : {Case{"Bad value", "Bad value."}, Case{"Done.", "Done."}, Case{"Ошибка", "Ошибка."},
                          Case{"", ""}, Case{"Stop!", "Stop!"}}) {
        Application->ShowException(Exception(c.message));
        EXPECT_EQ(ui.System().MessageBoxes().back().Text, c.shown);
    }
}

}  // namespace
