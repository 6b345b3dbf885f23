// A form and a pop-up under a real X server draw straight into their windows' backing stores (X
// shared memory there, kept premultiplied), and the server shows what they drew.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/window_functions.h"
#include "tests/platform/ui/dropped_control.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/window_frames.h"

namespace {

class X11BackingStoreTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        ASSERT_TRUE(frames.Open(xvfb->Display())) << "no X DAMAGE";
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetColor(clWhite);
        form->SetBounds(0, 0, 300, 200);
        popup = new Dropped(form);
        popup->SetColor(clRed);
        popup->SetVisible(false);
        popup->SetParent(form);
        form->Show();
        SetWindowPos(popup->Handle(), HWND_TOP, 150, 100, 80, 40, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override { Application->DestroyForms(); }

    // The colour the server shows at a point of a window, 0xRRGGBB.
    std::uint32_t Shown(const QWidget& window, int x, int y) {
        const auto pixels = frames.Read(static_cast<xcb_window_t>(window.winId()), x, y, 1, 1);
        return pixels ? pixels->rgb.front() : 0xFFFFFFFFu;
    }
    static std::uint32_t Rgb(TColor colour) { return ColorToArgb(colour) & 0xFFFFFF; }
    const QWidget& PopupWidget() const {
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->geometry() == QRect(150, 100, 80, 40))
                return *w;
        throw std::runtime_error("no pop-up window");
    }

    testsupport::WindowFrames frames;
    TForm* form = nullptr;
    Dropped* popup = nullptr;
};

TEST_F(X11BackingStoreTest, AFormAndAPopupDrawIntoTheStoresTheServerShows) {
    const QWidget& formWidget = dynamic_cast<platform::ui::QtWindow*>(form->Native())->Widget();
    EXPECT_TRUE(form->SurfaceImage().Borrowed());
    EXPECT_TRUE(popup->PopupWindow()->SurfaceImage().Borrowed());
    EXPECT_EQ(Shown(formWidget, 20, 20), Rgb(clWhite));
    EXPECT_EQ(Shown(PopupWidget(), 40, 20), Rgb(clRed));

    form->Canvas()->Brush()->SetColor(clBlue);
    form->Canvas()->FillRect(Rect(10, 10, 40, 30));
    ASSERT_TRUE(Pump([&] { return Shown(formWidget, 20, 20) == Rgb(clBlue); }, std::chrono::seconds(2)))
        << "drawing outside a paint reaches the screen once presented";
    EXPECT_EQ(Shown(formWidget, 60, 20), Rgb(clWhite));
}

}  // namespace
