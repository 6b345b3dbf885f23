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
#include "platform/ui/scroll_info.h"
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

// A window with both of its own scroll bars.
class BarsWindow : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= WS_VSCROLL | WS_HSCROLL;
    }
};

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
    calendar->SetLeft(150);
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

TEST_F(QtStandardControlsTest, AWindowShowsBothBarsInItsFrameWithTheCornerBox) {
    form->SetColor(clWhite);  // unlike every part of the bars
    auto* window = NewComponent<BarsWindow>(form);
    window->SetParent(form);
    window->SetColor(clWindow);
    window->SetBounds(230, 10, 160, 150);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMax = 99;
    info.nPage = 10;
    SetScrollInfo(window->Handle(), SB_HORZ, info, true);
    info.nPos = 50;
    SetScrollInfo(window->Handle(), SB_VERT, info, true);
    Application->ProcessMessages();
    platform::ui::RasterImage shown = platform::ui::GrabHostWindow(*form);
    // Window coordinates: the vertical bar spans 143..160 by 0..133 with its thumb at 67..76; the
    // horizontal one 0..143 by 133..150 with its thumb at 17..27.
    TPoint o{window->FormOrigin().X - window->ClientOffset().X,
             window->FormOrigin().Y - window->ClientOffset().Y};
    auto at = [&](int x, int y) { return shown.Pixel(o.X + x, o.Y + y); };
    auto dark = [&](TRect r) { return DarkPixels(shown, OffsetRect(r, o.X, o.Y)); };
    EXPECT_EQ(at(135, 60), Argb(clWindow)) << "the client area ends left of the bar";
    // The thumbs: raised, so their far edges are dark; the track beside them is plain.
    EXPECT_GE(dark(Bounds(143, 67, 17, 9)), 15) << "the vertical thumb halfway";
    EXPECT_EQ(dark(Bounds(143, 20, 17, 45)), 0);
    EXPECT_EQ(at(151, 40), Argb(clScrollBar));
    EXPECT_EQ(at(151, 100), Argb(clScrollBar));
    EXPECT_GE(dark(Bounds(17, 133, 10, 17)), 15) << "the horizontal thumb at the start";
    EXPECT_EQ(dark(Bounds(29, 133, 95, 17)), 0);
    EXPECT_EQ(at(80, 141), Argb(clScrollBar));
    for (TPoint p : {TPoint{144, 134}, TPoint{151, 141}, TPoint{159, 149}})
        EXPECT_EQ(at(p.X, p.Y), Argb(clBtnFace)) << "the corner box at " << p.X << "," << p.Y;
    for (TRect arrow :
         {Bounds(143, 0, 17, 17), Bounds(143, 116, 17, 17), Bounds(0, 133, 17, 17), Bounds(126, 133, 17, 17)})
        EXPECT_GT(dark(arrow), 5) << "an arrow's glyph at " << arrow.Left << "," << arrow.Top;
}

}  // namespace
