// The list box, scroll bar and hint window painted by the Qt host under the offscreen platform,
// checked by their pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/hint_window.h"
#include "platform/ui/list_box.h"
#include "platform/ui/month_calendar.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/scroll_bar.h"
#include "tests/support/qt_host_test.h"

namespace {

std::uint32_t Argb(TColor color) {
    TColor c = ColorToRGB(color);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// Pixels in rect darker than half grey: text and glyphs.
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

class QtStandardControlsTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        list = NewComponent<TListBox>(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 150, 96);
        for (const char* s : {"Иванов", "Петров", "Сидоров", "Smith"}) list->Items()->Add(s);
        list->SetItemIndex(2);
        bar = NewComponent<TScrollBar>(form);
        bar->SetParent(form);
        bar->SetKind(sbVertical);
        bar->SetBounds(200, 10, 17, 200);
        bar->SetParams(0, 0, 99);
        bar->SetPageSize(20);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }
    TForm* form = nullptr;
    TListBox* list = nullptr;
    TScrollBar* bar = nullptr;
};

TEST_F(QtStandardControlsTest, TheListBoxShowsItsRowsAndTheSelectedOneHighlighted) {
    platform::ui::RasterImage shown = platform::ui::GrabHostWindow(*form);
    TPoint o = list->FormOrigin();
    TRect selected = list->ItemRect(2);
    TRect plain = list->ItemRect(1);
    EXPECT_EQ(shown.Pixel(o.X + selected.Right - 3, o.Y + selected.Top + 8), Argb(clHighlight));
    EXPECT_EQ(shown.Pixel(o.X + plain.Right - 3, o.Y + plain.Top + 8), Argb(clWindow));
    EXPECT_EQ(shown.Pixel(o.X + 20, o.Y + 16 * 5 + 5), Argb(clWindow)) << "below the last row";
    EXPECT_GT(DarkPixels(shown, OffsetRect(plain, o.X, o.Y)), 20) << "the row's text";
}

TEST_F(QtStandardControlsTest, TheScrollBarShowsArrowsTrackAndThumb) {
    platform::ui::RasterImage shown = platform::ui::GrabHostWindow(*form);
    TPoint o = bar->FormOrigin();
    TRect thumb = bar->ThumbRect();
    TRect track = bar->PartRect(TScrollBar::Part::PageDown);
    ASSERT_FALSE(track.IsEmpty());
    EXPECT_EQ(shown.Pixel(o.X + 8, o.Y + (thumb.Top + thumb.Bottom) / 2), Argb(clBtnFace));
    EXPECT_EQ(shown.Pixel(o.X + 8, o.Y + (track.Top + track.Bottom) / 2), Argb(clScrollBar));
    for (auto part : {TScrollBar::Part::LineUp, TScrollBar::Part::LineDown})
        EXPECT_GT(DarkPixels(shown, OffsetRect(bar->PartRect(part), o.X, o.Y)), 5) << "the arrow's glyph";
}

TEST_F(QtStandardControlsTest, TheHintWindowShowsItsTextOnTheHintColour) {
    auto* hint = NewComponent<THintWindow>(form);
    hint->SetParent(form);
    TRect r = hint->CalcHintRect(300, "Подсказка", nullptr);
    hint->ActivateHint(Bounds(50, 150, r.Width(), r.Height()), "Подсказка");
    Application->ProcessMessages();
    ASSERT_NE(hint->PopupWindow(), nullptr);
    const platform::ui::RasterImage& shown = hint->PopupWindow()->SurfaceImage();
    TRect inside = hint->ClientRect();
    EXPECT_EQ(shown.Pixel(inside.Right - 2, inside.Bottom - 2), Argb(clInfoBk));
    EXPECT_GT(DarkPixels(shown, inside), 30) << "the hint's text";
    EXPECT_GT(r.Width(), 40);
}

TEST_F(QtStandardControlsTest, TheCalendarShowsItsMonthWithTheDateHighlighted) {
    auto* calendar = NewComponent<TMonthCalendar>(form);
    calendar->SetParent(form);
    calendar->SetLeft(230);
    calendar->SetDate(EncodeDate(2026, 3, 15));
    Application->ProcessMessages();
    platform::ui::RasterImage shown = platform::ui::GrabHostWindow(*form);
    TPoint o = calendar->FormOrigin();
    TRect client = calendar->ClientRect();
    ASSERT_LE(o.X + client.Right, 400) << "the month fits the form";
    int highlighted = 0;
    int window = 0;
    // Below the title, which may share the highlight's colour.
    for (int y = client.Height() * 3 / 10; y < client.Bottom; ++y)
        for (int x = 0; x < client.Right; ++x) {
            std::uint32_t p = shown.Pixel(o.X + x, o.Y + y);
            highlighted += p == Argb(clHighlight);
            window += p == Argb(clWindow);
        }
    EXPECT_GT(highlighted, 100) << "the chosen day's cell";
    EXPECT_LT(highlighted, client.Width() * client.Height() / 20) << "one cell only";
    EXPECT_GT(window, client.Width() * client.Height() / 3);
    EXPECT_GT(DarkPixels(shown, OffsetRect(client, o.X, o.Y)), 200) << "the day numbers";
}

}  // namespace
