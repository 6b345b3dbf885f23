// The Qt host offscreen: an input method's commit reaches the focused control as characters, and a
// pop-up's window shows above its form, asking for no activation or focus, with the pixels it painted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QImage>
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
#include "tests/platform/ui/dropped_control.h"
#include "tests/support/qt_host_test.h"

namespace {

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

// A shown form draws straight into the pixels Qt flushes, its window's backing store. When Qt's
// window takes a size the form did not ask for, Qt replaces those pixels: the form keeps its own
// copy meanwhile, and draws into the store again once the sizes agree.
TEST_F(QtWindowTest, AFormDrawsIntoItsWindowsBackingStoreAndKeepsItsPixelsWhenQtResizesIt) {
    const auto store = [this] {
        QPaintDevice* device = FormWidget().backingStore()->paintDevice();
        return device->devType() == QInternal::Image ? static_cast<const QImage*>(device) : nullptr;
    };
    const auto drawsIntoStore = [&] {
        const platform::ui::RasterImage& surface = form->SurfaceImage();
        return surface.Borrowed() && store() != nullptr &&
               store()->constBits() == reinterpret_cast<const uchar*>(surface.Bits());
    };
    const std::uint32_t red = ColorToArgb(clRed);
    form->Canvas()->Brush()->SetColor(clRed);
    form->Canvas()->FillRect(Rect(0, 0, 20, 10));
    ASSERT_TRUE(drawsIntoStore());
    EXPECT_EQ(store()->pixel(19, 9), red);

    form->SetBounds(0, 0, 400, 250);
    EXPECT_TRUE(drawsIntoStore()) << "the form grew";
    EXPECT_EQ(form->SurfaceImage().Pixel(19, 9), red);
    EXPECT_EQ(form->SurfaceImage().Pixel(350, 220), ColorToArgb(form->Color()));
    Application->ProcessMessages();  // the grown form painted anew
    form->Canvas()->Brush()->SetColor(clRed);
    form->Canvas()->FillRect(Rect(0, 0, 20, 10));

    FormWidget().resize(350, 220);
    Application->ProcessMessages();  // Qt paints: its store takes the window's new size
    EXPECT_FALSE(drawsIntoStore());
    EXPECT_EQ(form->SurfaceImage().Width(), 400) << "a borderless form keeps its size";
    EXPECT_EQ(form->SurfaceImage().Pixel(19, 9), red);
    EXPECT_EQ(platform::ui::GrabHostWindow(*form).Pixel(19, 9), red);

    form->SetBounds(0, 0, 320, 210);
    EXPECT_TRUE(drawsIntoStore()) << "the form asked for a size again";
    EXPECT_EQ(form->SurfaceImage().Pixel(19, 9), red);
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
