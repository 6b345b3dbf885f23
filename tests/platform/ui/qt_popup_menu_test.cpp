// An open popup menu painted by the Qt host under the offscreen platform: the highlighted item in the
// selection colour, the separator's etched line, captions and shortcuts drawn.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/input.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/virtual_keys.h"
#include "tests/support/qt_host_test.h"

namespace {

// Pixels in rect unlike the colour: text and glyphs drawn over it.
int PixelsUnlike(const platform::ui::RasterImage& image, const TRect& rect, TColor color) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (image.Pixel(x, y) != ColorToArgb(color))
                ++count;
    return count;
}

class QtPopupMenuTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 150, 24);
        menu = NewComponent<TPopupMenu>(form);
        for (const char* caption : {"&Открыть", "-", "&Print"}) {
            auto* item = NewComponent<TMenuItem>(form);
            item->Caption = caption;
            menu->Items()->Add(item);
        }
        menu->Items()->Items(0)->ShortCut = ShortCut('O', {ssCtrl});
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TPopupMenu* menu = nullptr;
};

TEST_F(QtPopupMenuTest, TheHighlightedItemAndTheSeparatorShowInTheirColours) {
    menu->Popup(40, 60);
    platform::ui::PostKeyDown(*form, VK_DOWN, {}, "");
    Application->ProcessMessages();
    TMenuWindow* window = menu->MenuWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Highlighted(), 0);
    ASSERT_NE(window->PopupWindow(), nullptr);
    ASSERT_TRUE(window->PopupWindow()->Shown());
    const platform::ui::RasterImage& shown = window->PopupWindow()->SurfaceImage();

    TRect lit = window->ItemRect(0);
    TRect plain = window->ItemRect(2);
    TRect line = window->ItemRect(1);
    EXPECT_EQ(shown.Pixel(lit.Left + 2, lit.Top + 2), ColorToArgb(clHighlight));
    EXPECT_EQ(shown.Pixel(plain.Left + 2, plain.Top + 2), ColorToArgb(clMenu));
    EXPECT_GT(PixelsUnlike(shown, lit, clHighlight), 30) << "the caption and the shortcut";
    EXPECT_GT(PixelsUnlike(shown, plain, clMenu), 15) << "the caption";
    int middle = (line.Top + line.Bottom) / 2;
    EXPECT_EQ(shown.Pixel(line.Left + 4, middle - 1), ColorToArgb(clBtnShadow));
    EXPECT_EQ(shown.Pixel(line.Left + 4, middle), ColorToArgb(clBtnHighlight));
    EXPECT_EQ(shown.Pixel(line.Left + 4, line.Top + 1), ColorToArgb(clMenu));
    EXPECT_EQ(FocusedControl(), edit);
}

}  // namespace
