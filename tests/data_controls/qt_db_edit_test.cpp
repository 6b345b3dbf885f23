// The flat data-aware edit painted by the Qt host under the offscreen platform: its frame with the
// border lit and unlit, its button, the image at the left and the dotted mark under an empty
// required value, read back from the window's pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/db_edit.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

std::uint32_t Rgb(TColor color) {
    return ColorToArgb(color) & 0xFFFFFF;
}

class QtDBEditTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 200);
        form->SetColor(clBtnFace);
        form->Font()->SetName("Verdana");
        form->Font()->SetSize(10);
        other = NewComponent<TEdit>(form);
        other->SetParent(form);
        other->SetBounds(10, 160, 100, 24);
        images = NewComponent<TImageList>(form);
        images->SetWidth(12);
        images->SetHeight(12);
        TBitmap lime;
        lime.SetSize(12, 12);
        lime.Canvas()->Brush()->SetColor(clLime);
        lime.Canvas()->FillRect(Rect(0, 0, 12, 12));
        images->Add(&lime, nullptr);
        edit = NewComponent<TDBEditEh>(form);
        edit->SetParent(form);
        edit->SetBounds(20, 20, 200, 24);
        edit->SetFlat(true);
        edit->EditButton()->SetVisible(true);
        edit->EditImage()->SetImages(images);
        edit->SetOnGetImageIndex([](TObject*, int& index) { index = 0; });
        edit->EditImage()->SetVisible(true);
        edit->SetHighlightRequired(true);
        form->Show();
        other->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->DestroyForms();
        FlushButtonBitmapCache();
    }
    RasterImage Shown() {
        form->Repaint();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }
    // A rectangle of the edit's client area in the form's pixels.
    TRect OnForm(const TRect& client) const {
        TRect window = edit->WindowArea();
        TPoint offset = edit->ClientOffset();
        return OffsetRect(client, window.Left + offset.X, window.Top + offset.Y);
    }
    static int Count(const RasterImage& image, const TRect& r, std::uint32_t rgb) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += (image.Pixel(x, y) & 0xFFFFFF) == rgb;
        return n;
    }

    TForm* form = nullptr;
    TEdit* other = nullptr;
    TImageList* images = nullptr;
    TDBEditEh* edit = nullptr;
};

TEST_F(QtDBEditTest, FlatFrameLightsUpWhenTheBorderIsActive) {
    const TRect window = edit->WindowArea();
    RasterImage idle = Shown();
    EXPECT_FALSE(edit->BorderActive());
    EXPECT_EQ(idle.Pixel(window.Left, window.Top) & 0xFFFFFF, Rgb(clBtnFace));
    EXPECT_EQ(idle.Pixel(window.Right - 1, window.Bottom - 1) & 0xFFFFFF, Rgb(clBtnFace));
    EXPECT_EQ(idle.Pixel(window.Left + 1, window.Top + 1) & 0xFFFFFF, Rgb(clBtnFace));

    const TRect button = OnForm(edit->ButtonRect());
    auto buttonPixels = [&](const RasterImage& image) {
        std::vector<std::uint32_t> pixels;
        for (int y = button.Top; y < button.Bottom; ++y)
            for (int x = button.Left; x < button.Right; ++x) pixels.push_back(image.Pixel(x, y) & 0xFFFFFF);
        return pixels;
    };
    edit->SetAlwaysShowBorder(true);
    RasterImage lit = Shown();
    EXPECT_NE(buttonPixels(lit), buttonPixels(idle)) << "the flat button follows the border";
    EXPECT_EQ(lit.Pixel(window.Left, window.Top) & 0xFFFFFF, Rgb(clBtnShadow));
    EXPECT_EQ(lit.Pixel(window.Right - 1, window.Bottom - 1) & 0xFFFFFF, Rgb(clBtnHighlight));
    EXPECT_EQ(lit.Pixel(window.Left + 1, window.Top + 1) & 0xFFFFFF, Rgb(clBtnFace))
        << "the inner ring stays in the button face";
}

TEST_F(QtDBEditTest, ImageButtonAndRequiredMarkArePainted) {
    RasterImage image = Shown();
    EXPECT_EQ(Count(image, OnForm(edit->ImageRect()), Rgb(clLime)), 12 * 12) << "the whole image, centred";

    // The button: a face that differs from the edit's own colour.
    const TRect button = OnForm(edit->ButtonRect());
    ASSERT_FALSE(button.IsEmpty());
    EXPECT_LT(Count(image, button, Rgb(edit->Color())), button.Width() * button.Height());

    const TRect text = edit->ComputeTextRect();
    const int row = edit->ClientHeight() - 1;
    const TRect markRow = OnForm(Rect(text.Left + 2, row, text.Right - 3, row + 1));
    const int red = Count(image, markRow, 0xFF0000);
    EXPECT_GT(red, markRow.Width() / 3) << "the dotted mark under the empty value";
    EXPECT_LT(red, markRow.Width()) << "dotted, not solid";

    edit->SetText("Петров");
    image = Shown();
    EXPECT_EQ(Count(image, markRow, 0xFF0000), 0) << "filled in: no mark";
}

}  // namespace
