// Dialog forms: push buttons taking Enter and Esc, the modal loop and its result, stay-on-top forms
// and forms laid out at another resolution.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/timer.h"
#include "platform/ui/application.h"
#include "platform/ui/design_scaling.h"
#include "platform/ui/edit.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"
#include "platform/ui/push_button.h"
#include "platform/ui/virtual_keys.h"

namespace {

class DialogForm : public TForm {
  public:
    explicit DialogForm(TComponent* owner) : TForm(owner) {
        SetBounds(100, 100, 300, 120);
        SetBorderStyle(bsDialog);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 150, 24);
        ok = AddButton("OK", 170, mrOk);
        ok->SetDefault(true);
        cancel = AddButton("Cancel", 220, mrCancel);
        cancel->Cancel = true;
        other = AddButton("Other", 270, mrNone);
    }
    TButton* AddButton(const std::string& caption, int left, int result) {
        auto* b = NewComponent<TButton>(this);
        b->SetParent(this);
        b->SetCaption(caption);
        b->SetBounds(left, 10, 45, 25);
        b->ModalResult = result;
        b->OnClick = [this, caption](TObject*) { clicks += caption + ";"; };
        return b;
    }
    TEdit* edit;
    TButton* ok;
    TButton* cancel;
    TButton* other;
    std::string clicks;
};

class ModalDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { dialog = NewComponent<DialogForm>(Application); }
    // Runs the dialog modally; each step runs from a timer tick while the loop waits.
    int RunModal(std::vector<std::function<void()>> steps) {
        auto* timer = NewComponent<TTimer>(dialog);
        timer->SetInterval(10);
        timer->OnTimer = [timer, steps, next = std::size_t{0}](TObject*) mutable {
            if (next + 1 >= steps.size())
                timer->SetEnabled(false);
            steps[next++]();
        };
        return dialog->ShowModal();
    }
    platform::ui::HeadlessSession ui;
    DialogForm* dialog = nullptr;
};

TEST_F(ModalDialogTest, EnterAndEscGoToTheButtonsThatTakeThem) {
    struct Case {
        const char* name;
        WORD key;
        TShiftState shift;
        TButton* DialogForm::*focus;
        const char* clicks;
    };
    const Case cases[] = {
        {"Enter in the edit: the default button", VK_RETURN, {}, nullptr, "OK;"},
        {"Enter on another button: that one", VK_RETURN, {}, &DialogForm::other, "Other;"},
        {"Enter on the cancel button: the cancel button", VK_RETURN, {}, &DialogForm::cancel, "Cancel;"},
        {"Esc anywhere: the cancel button", VK_ESCAPE, {}, &DialogForm::other, "Cancel;"},
        {"Alt+Enter: no button", VK_RETURN, {ssAlt}, nullptr, ""},
    };
    dialog->Show();
    ui.ProcessMessages();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog->clicks.clear();
        dialog->SetActiveControl(c.focus != nullptr ? static_cast<TWinControl*>(dialog->*c.focus)
                                                    : dialog->edit);
        ui.PressKey(c.key, c.shift);
        EXPECT_EQ(dialog->clicks, c.clicks);
    }
}

TEST_F(ModalDialogTest, AltWithAnAcceleratorClicksItsButtonOrFocusesItsLabelsControl) {
    auto* label = NewComponent<TLabel>(dialog);
    label->SetParent(dialog);
    label->SetBounds(10, 60, 60, 17);
    label->ShowAccelChar = true;
    label->SetCaption("&Name:");
    // Sized for "Name:" as it shows, the mark left out.
    EXPECT_EQ(label->Width(), label->Canvas()->TextWidth("Name:"));
    label->FocusControl = dialog->edit;
    dialog->other->SetCaption("O&ther");
    dialog->Show();
    ui.ProcessMessages();
    dialog->SetActiveControl(dialog->ok);
    ui.PressKey('T', {ssAlt});
    EXPECT_EQ(dialog->clicks, "Other;");
    ui.PressKey('N', {ssAlt});
    EXPECT_EQ(dialog->ActiveControl(), dialog->edit);
    // A letter no caption marks does nothing; a label without ShowAccelChar keeps its '&'.
    ui.PressKey('Q', {ssAlt});
    EXPECT_EQ(dialog->clicks, "Other;");
    label->ShowAccelChar = false;
    dialog->SetActiveControl(dialog->ok);
    ui.PressKey('N', {ssAlt});
    EXPECT_EQ(dialog->ActiveControl(), dialog->ok);
}

TEST_F(ModalDialogTest, TheModalLoopEndsWithTheResultThatClosedIt) {
    struct Case {
        const char* name;
        std::function<void(DialogForm&, platform::ui::HeadlessSession&)> close;
        int result;
    };
    const Case cases[] = {
        {"Enter", [](DialogForm&, auto& ui) { ui.PressKey(VK_RETURN); }, mrOk},
        {"Esc", [](DialogForm&, auto& ui) { ui.PressKey(VK_ESCAPE); }, mrCancel},
        {"a click on OK", [](DialogForm& d, auto& ui) { ui.Click(d.ok); }, mrOk},
        {"Close", [](DialogForm& d, auto&) { d.Close(); }, mrCancel},
        {"a result set by the program", [](DialogForm& d, auto&) { d.SetModalResult(mrRetry); }, mrRetry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunModal({[&] { c.close(*dialog, ui); }}), c.result);
        EXPECT_FALSE(dialog->Visible());
        EXPECT_FALSE(dialog->Modal());
    }
}

TEST_F(ModalDialogTest, AButtonWithoutResultOrARefusedCloseKeepsTheLoopRunning) {
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    const int result = RunModal({[&] { ui.Click(dialog->other); },
                                 [&] {
                                     EXPECT_TRUE(dialog->Visible());
                                     ui.PressKey(VK_ESCAPE);  // refused
                                 },
                                 [&] {
                                     EXPECT_TRUE(dialog->Visible());
                                     EXPECT_EQ(dialog->ModalResult(), mrNone);
                                     ui.PressKey(VK_ESCAPE);
                                 }});
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(dialog->clicks, "Other;Cancel;Cancel;");
}

TEST_F(ModalDialogTest, TheFormActiveBeforeTakesTheActivationBack) {
    TForm* main = nullptr;
    Application->CreateForm(&main);
    main->Show();
    ui.ProcessMessages();
    ASSERT_EQ(platform::ui::ActiveForm(), main);
    RunModal({[&] {
        EXPECT_EQ(platform::ui::ActiveForm(), dialog);
        EXPECT_TRUE(dialog->Modal());
        ui.PressKey(VK_ESCAPE);
    }});
    EXPECT_EQ(platform::ui::ActiveForm(), main);
}

TEST_F(ModalDialogTest, AVisibleFormCannotBeShownModally) {
    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST_F(ModalDialogTest, AnEndingProgramEndsTheLoopWithCancel) {
    const int result = RunModal({[] { Application->Terminate(); }});
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(ModalDialogTest, ANonModalCloseHidesTheFormAndAStayOnTopStyleIsKept) {
    dialog->SetFormStyle(fsStayOnTop);
    dialog->Show();
    ui.ProcessMessages();
    EXPECT_TRUE(ui.System().WindowShown(*dialog));
    dialog->Close();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(dialog->FormStyle(), fsStayOnTop);
}

TEST_F(ModalDialogTest, ControlsLaidOutAtAnotherResolutionKeepTheirSizeInInches) {
    dialog->SetClientWidth(600);
    dialog->SetClientHeight(150);
    dialog->Font()->SetHeight(-20);
    dialog->ok->SetParentFont(false);
    dialog->ok->Font()->SetHeight(-40);
    auto* label = NewComponent<TLabel>(dialog);
    label->SetParent(dialog);
    label->SetCaption("Name:");
    ScaleControlsFromDesign(*dialog, 120);
    EXPECT_EQ(dialog->ClientWidth(), 480);
    EXPECT_EQ(dialog->ClientHeight(), 120);
    EXPECT_EQ(dialog->Left(), 100);
    EXPECT_EQ(dialog->ok->BoundsRect(), Bounds(136, 8, 36, 20));
    EXPECT_EQ(dialog->other->BoundsRect(), Bounds(216, 8, 36, 20));
    EXPECT_EQ(dialog->ok->Font()->Height(), -32);
    EXPECT_EQ(dialog->Font()->Height(), -16);
    // A label that sizes itself to its text keeps its text's width at the scaled font.
    EXPECT_EQ(label->Width(), label->Canvas()->TextWidth("Name:"));
    // A form laid out for this screen stays as it is.
    ScaleControlsFromDesign(*dialog, 96);
    EXPECT_EQ(dialog->ClientWidth(), 480);
}

}  // namespace
