// The remembered-texts drop-down painted by the Qt host under the offscreen platform: its raised
// frame, an image per row, the selected row in the selection colours, the size grip and the scroll bar.
#include <gtest/gtest.h>

#include "data_controls/drop_down_placement.h"
#include "data_controls/mru_listbox.h"
#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/window_functions.h"
#include "tests/support/qt_host_test.h"

namespace {

int PixelsOf(const platform::ui::RasterImage& image, const TRect& rect, TColor color) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) count += image.Pixel(x, y) == ColorToArgb(color);
    return count;
}

class QtPopupListTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 24);
        images = NewComponent<TCustomImageList>(form);
        images->SetWidth(10);
        images->SetHeight(10);
        TBitmap red;
        red.SetSize(10, 10);
        red.Canvas()->Brush()->SetColor(clRed);
        red.Canvas()->FillRect(Rect(0, 0, 10, 10));
        images->AddMasked(&red, clFuchsia);
        list = NewComponent<TMRUListboxEh>(form);
        list->SetVisible(false);
        list->SetParent(edit);
        list->SetImages(images);
        list->OnGetImageIndex = [](TObject*, int, int& index) { index = 0; };
        for (const char* text : {"a", "b", "c", "d", "e", "f", "g", "h"}) list->Items()->Add(text);
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TCustomImageList* images = nullptr;
    TMRUListboxEh* list = nullptr;
};

TEST_F(QtPopupListTest, RowsImagesSelectionGripAndScrollBarShowInTheirColours) {
    list->SetWidth(160);
    list->SizeForRows(4);
    TPoint at = PlaceDropDownByControl(edit, list, daLeft);
    list->SetBounds(at.X, at.Y, list->Width(), list->Height());
    list->SetVisible(true);
    ShowWindow(list->Handle(), SW_SHOWNOACTIVATE);
    list->ArrangeScrollBar();
    list->SetItemIndex(1);
    Application->ProcessMessages();
    ASSERT_NE(list->PopupWindow(), nullptr);
    ASSERT_TRUE(list->PopupWindow()->Shown());
    const platform::ui::RasterImage& shown = list->PopupWindow()->SurfaceImage();
    const TPoint client = list->ClientOffset();
    auto pixel = [&](int x, int y) { return shown.Pixel(client.X + x, client.Y + y); };
    auto inWindow = [&](TRect r) {
        return Rect(r.Left + client.X, r.Top + client.Y, r.Right + client.X, r.Bottom + client.Y);
    };

    // The raised frame: its inner edge light at the top left, shadowed at the bottom right.
    EXPECT_EQ(shown.Pixel(1, list->Height() / 2), ColorToArgb(clBtnHighlight));
    EXPECT_EQ(shown.Pixel(list->Width() - 2, list->Height() / 2), ColorToArgb(clBtnShadow));

    const TRect plain = list->ItemRect(0), selected = list->ItemRect(1);
    const int middle = plain.Height() / 2;
    const int imageCentre = (10 + 4) / 2;
    EXPECT_EQ(pixel(imageCentre, plain.Top + middle), ColorToArgb(clRed));
    EXPECT_NE(pixel(imageCentre, selected.Top + middle), ColorToArgb(clHighlight))
        << "the selected row's image";
    const int blank = list->ClientWidth() - list->ScrollBar()->Width() - 4;
    EXPECT_EQ(pixel(blank, plain.Top + middle), ColorToArgb(clWindow));
    EXPECT_EQ(pixel(blank, selected.Top + middle), ColorToArgb(clHighlight));
    const TRect text = inWindow(Rect(15, plain.Top, 40, plain.Bottom));
    EXPECT_LT(PixelsOf(shown, text, clWindow), text.Width() * text.Height() - 5) << "the row's text";

    ASSERT_TRUE(list->ScrollBar()->Visible());
    const TRect bar = list->ScrollBar()->BoundsRect();
    EXPECT_LT(PixelsOf(shown, inWindow(bar), clWindow), bar.Width() * bar.Height() / 4) << "the bar is drawn";
    const TRect grip = list->SizeGrip()->BoundsRect();
    EXPECT_EQ(grip.Top, bar.Bottom);
    EXPECT_GT(PixelsOf(shown, inWindow(grip), clBtnHighlight), 3) << "the grip's light lines";
    EXPECT_GT(PixelsOf(shown, inWindow(grip), clBtnShadow), 6) << "the grip's dark lines";
    EXPECT_EQ(FocusedControl(), edit);
}

}  // namespace
