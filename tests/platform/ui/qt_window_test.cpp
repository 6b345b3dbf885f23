// The Qt host offscreen: an input method's commit reaches the focused control as characters, and a
// pop-up's window shows above its form, asking for no activation or focus, with the pixels it painted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <cstdlib>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/top_level.h"
#include "platform/ui/window_functions.h"
#include "tests/support/qt_host_test.h"

namespace {

class Dropped : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= WS_POPUP;
    }
};

class QtWindowTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 300, 200);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 150, 21);
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }
    QWidget& FormWidget() { return dynamic_cast<platform::ui::QtWindow*>(form->Native())->Widget(); }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(QtWindowTest, AnInputMethodsCommitIsTypedIntoTheFocusedControl) {
    QInputMethodEvent preedit(QString::fromUtf8("に"), {});
    QCoreApplication::sendEvent(&FormWidget(), &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("日本語"));
    QCoreApplication::sendEvent(&FormWidget(), &commit);
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "日本語") << "text being composed types nothing; the commit types each character";
}

TEST_F(QtWindowTest, APopupShowsInAWindowOfItsOwnThatAsksForNoActivation) {
    auto* popup = new Dropped(form);
    popup->SetColor(clRed);
    popup->SetVisible(false);
    popup->SetParent(form);
    SetWindowPos(popup->Handle(), HWND_TOP, 40, 60, 80, 50, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Application->ProcessMessages();
    ASSERT_TRUE(popup->PopupWindow()->Shown());
    QWidget* popupWidget = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &FormWidget() && w->isVisible() && w->geometry() == QRect(40, 60, 80, 50))
            popupWidget = w;
    ASSERT_NE(popupWidget, nullptr) << "a visible top-level Qt window at the pop-up's place";
    EXPECT_TRUE(popupWidget->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(popupWidget->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(popupWidget->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    // (The offscreen platform marks every shown window active; the X11 test shows the keyboard staying.)
    EXPECT_TRUE(form->Active());
    QImage shown = popupWidget->grab().toImage();
    EXPECT_EQ(shown.pixelColor(40, 25), QColor(255, 0, 0));
    EXPECT_EQ(FocusedControl(), edit);

    ShowWindow(popup->Handle(), SW_HIDE);
    Application->ProcessMessages();
    EXPECT_FALSE(popupWidget->isVisible());
}

TEST_F(QtWindowTest, AMinimizedFormIsIconifiedAndTheUsersRestoreComesBackToIt) {
    form->SetWindowState(wsMinimized);
    Application->ProcessMessages();
    EXPECT_TRUE(FormWidget().isMinimized());
    form->SetWindowState(wsNormal);
    Application->ProcessMessages();
    EXPECT_FALSE(FormWidget().isMinimized());
    EXPECT_EQ(form->BoundsRect(), Bounds(0, 0, 300, 200));

    // The user iconifies the window and brings it back.
    FormWidget().setWindowState(FormWidget().windowState() | Qt::WindowMinimized);
    Application->ProcessMessages();
    EXPECT_EQ(form->WindowState(), wsMinimized);
    FormWidget().setWindowState(FormWidget().windowState() & ~Qt::WindowMinimized);
    Application->ProcessMessages();
    EXPECT_EQ(form->WindowState(), wsNormal);
}

}  // namespace
