// The grid painted by the Qt host under the offscreen platform: fixed cells, lines, the focused cell
// and the open editor, checked by their pixels.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/qt_host_test.h"
#include "text_grid.h"

namespace {

std::uint32_t Argb(TColor color) {
    TColor c = ColorToRGB(color);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

int DarkPixels(const platform::ui::RasterImage& image, const TRect& rect) {
    int dark = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            std::uint32_t p = image.Pixel(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 128)
                ++dark;
        }
    return dark;
}

class QtGridTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        grid = NewComponent<TTextGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(10, 10, 300, 200);
        grid->SetDefaultColWidth(60);
        grid->SetDefaultRowHeight(24);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 5; ++r) grid->Cells[{c, r}] = "Wm" + std::to_string(c) + std::to_string(r);
        form->Show();
        Application->ProcessMessages();
        grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }
    // A rectangle of the grid's client area in the window's coordinates.
    TRect OnWindow(const TRect& r) const {
        TPoint o = grid->FormOrigin();
        return OffsetRect(r, o.X, o.Y);
    }
    TForm* form = nullptr;
    TTextGrid* grid = nullptr;
};

TEST_F(QtGridTest, FixedCellsLinesAndTheFocusedCellShow) {
    platform::ui::RasterImage shown = platform::ui::GrabHostWindow(*form);
    TRect fixed = OnWindow(grid->CellRect(2, 0));
    TRect plain = OnWindow(grid->CellRect(2, 2));
    TRect focused = OnWindow(grid->CellRect(1, 1));
    EXPECT_EQ(shown.Pixel(fixed.Right - 3, fixed.Bottom - 3), Argb(clBtnFace));
    EXPECT_EQ(shown.Pixel(fixed.Right, fixed.Top + 5), Argb(clBlack)) << "fixed line";
    EXPECT_EQ(shown.Pixel(plain.Right - 3, plain.Bottom - 3), Argb(clWindow));
    EXPECT_EQ(shown.Pixel(plain.Right, plain.Top + 5), Argb(clSilver)) << "scrolling line";
    EXPECT_EQ(shown.Pixel(plain.Left + 5, plain.Bottom), Argb(clSilver));
    EXPECT_GT(DarkPixels(shown, plain), 20) << "the cell's text";
    EXPECT_GT(DarkPixels(shown, fixed), 20);
    // The focus frame is dotted along the cell's edges.
    int framed = 0;
    for (int x = focused.Left; x < focused.Right; ++x)
        framed += shown.Pixel(x, focused.Top) != Argb(clWindow);
    EXPECT_GT(framed, 10);
    EXPECT_LT(framed, focused.Width());
}

TEST_F(QtGridTest, TheOpenEditorCoversTheCurrentCellWithItsText) {
    grid->SetEditorMode(true);
    Application->ProcessMessages();
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    ASSERT_TRUE(grid->InplaceEditor()->Visible());
    grid->InplaceEditor()->SetText("WWWWWWWWWW");
    Application->ProcessMessages();
    platform::ui::RasterImage shown = platform::ui::GrabHostWindow(*form);
    TRect cell = OnWindow(grid->CellRect(1, 1));
    EXPECT_EQ(OnWindow(grid->InplaceEditor()->BoundsRect()), cell);
    EXPECT_EQ(grid->Text(1, 1), "WWWWWWWWWW");
    // The editor's long text reaches the right part of the cell, where a cell's own short text does not.
    auto rightPart = [](TRect r) { return TRect{r.Left + 40, r.Top + 3, r.Right - 3, r.Bottom - 3}; };
    EXPECT_GT(DarkPixels(shown, rightPart(cell)), 10);
    EXPECT_EQ(DarkPixels(shown, rightPart(OnWindow(grid->CellRect(2, 2)))), 0);
    EXPECT_EQ(shown.Pixel(cell.Right - 5, cell.Bottom - 5), Argb(clWindow));
}

}  // namespace
