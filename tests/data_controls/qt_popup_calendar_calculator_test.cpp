// The pop-up calendar and calculator painted by the Qt host under the offscreen platform: their frames,
// the month with the chosen day, and the calculator's blue and red keys.
#include <gtest/gtest.h>

#include <cstdint>

#include "data_controls/drop_down_owner.h"
#include "data_controls/edit_button_control.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/window_functions.h"
#include "tests/support/locale_scope.h"
#include "tests/support/qt_host_test.h"

namespace {

struct Rgb {
    int r, g, b;
};

Rgb RgbOf(std::uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
            static_cast<int>(argb & 0xFF)};
}

// Pixels of text drawn in pure blue or red, antialiased edges included.
bool Bluish(std::uint32_t argb) {
    Rgb c = RgbOf(argb);
    return c.b > 150 && c.r < 110 && c.g < 110;
}

bool Reddish(std::uint32_t argb) {
    Rgb c = RgbOf(argb);
    return c.r > 150 && c.g < 110 && c.b < 110;
}

template <typename Test>
int CountIn(const platform::ui::RasterImage& image, const TRect& rect, Test test) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) count += test(image.Pixel(x, y)) ? 1 : 0;
    return count;
}

TRect Moved(TRect r, TPoint by) {
    return {r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y};
}

class QtPopupsTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 500, 400);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }
    void Drop(TWinControl* popup) {
        popup->SetBounds(20, 20, popup->Width(), popup->Height());
        popup->SetVisible(true);
        ShowWindow(popup->Handle(), SW_SHOWNOACTIVATE);
        Application->ProcessMessages();
        ASSERT_NE(popup->PopupWindow(), nullptr);
        ASSERT_TRUE(popup->PopupWindow()->Shown());
    }
    TForm* form = nullptr;
};

TEST_F(QtPopupsTest, CalendarShowsItsMonthTheChosenDayAndARaisedFrame) {
    auto* calendar = NewComponent<TPopupMonthCalendarEh>(form);
    calendar->SetVisible(false);
    calendar->SetParent(form);
    calendar->SetDate(EncodeDate(2026, 3, 18));
    Drop(calendar);
    const platform::ui::RasterImage& shown = calendar->PopupWindow()->SurfaceImage();
    const TPoint client = calendar->ClientOffset();
    EXPECT_EQ(client, (TPoint{2, 2}));

    const int middle = calendar->Height() / 2, right = calendar->Width() - 1;
    EXPECT_EQ(shown.Pixel(0, middle), ColorToArgb(cl3DLight));
    EXPECT_EQ(shown.Pixel(1, middle), ColorToArgb(clBtnHighlight));
    EXPECT_EQ(shown.Pixel(right, middle), ColorToArgb(cl3DDkShadow));
    EXPECT_EQ(shown.Pixel(right - 1, middle), ColorToArgb(clBtnShadow));

    // The cells of the 17th and the 18th, from the calendar's own hit test.
    auto cellOf = [&](TDateTime day) {
        TRect cell{calendar->ClientWidth(), calendar->ClientHeight(), 0, 0};
        for (int y = 0; y < calendar->ClientHeight(); ++y)
            for (int x = 0; x < calendar->ClientWidth(); ++x) {
                SYSTEMTIME st;
                if (calendar->CalendarHitTest({x, y}, &st) == MCHT_CALENDARDATE &&
                    SystemTimeToDate(st) == day)
                    cell = {std::min(cell.Left, x), std::min(cell.Top, y), std::max(cell.Right, x + 1),
                            std::max(cell.Bottom, y + 1)};
            }
        return Moved(cell, client);
    };
    const auto highlight = [](std::uint32_t p) { return p == ColorToArgb(clHighlight); };
    const TRect chosen = cellOf(EncodeDate(2026, 3, 18)), before = cellOf(EncodeDate(2026, 3, 17));
    ASSERT_FALSE(chosen.IsEmpty());
    EXPECT_GT(CountIn(shown, chosen, highlight), chosen.Width() * chosen.Height() / 2);
    EXPECT_GT(CountIn(shown, chosen, [](std::uint32_t p) { return p != ColorToArgb(clHighlight); }), 0)
        << "the day's number is written on it";
    EXPECT_EQ(CountIn(shown, before, highlight), 0);
    // The title bar across the top of the month.
    const TRect title = Moved({0, 0, calendar->ClientWidth(), 4}, client);
    EXPECT_GT(CountIn(shown, title, [](std::uint32_t p) { return p == ColorToArgb(clActiveCaption); }),
              title.Width() * 2);
}

// The columns of a band of the image that hold dark ink, merged where less than minGap blank columns
// part them: the separate words written across the band.
int InkGroups(const platform::ui::RasterImage& image, const TRect& band, int minGap) {
    int groups = 0, blank = minGap;
    for (int x = band.Left; x < band.Right; ++x) {
        bool ink = false;
        for (int y = band.Top; y < band.Bottom && !ink; ++y) {
            const Rgb c = RgbOf(image.Pixel(x, y));
            ink = c.r < 0x90 && c.g < 0x90 && c.b < 0x90;
        }
        if (ink && blank >= minGap)
            ++groups;
        blank = ink ? 0 : blank + 1;
    }
    return groups;
}

TEST_F(QtPopupsTest, CalendarDayNamesStandApartInEveryLocale) {
    for (const char* locale : testsupport::kTestLocales) {
        SCOPED_TRACE(locale);
        testsupport::LocaleScope scope(locale);
        auto* calendar = NewComponent<TPopupMonthCalendarEh>(form);
        calendar->SetVisible(false);
        calendar->SetParent(form);
        calendar->Font()->SetName("DejaVu Sans");
        calendar->Font()->SetSize(9);
        calendar->SetDate(EncodeDate(2024, 3, 20));
        Drop(calendar);
        // The day names' row lies right above the first row of days: the rows of the first day shown.
        const int middle = calendar->ClientWidth() / 2;
        int dayTop = -1, dayBottom = -1;
        WORD firstDay = 0;
        for (int y = 0; y < calendar->ClientHeight(); ++y) {
            SYSTEMTIME st;
            if (calendar->CalendarHitTest({middle, y}, &st) != MCHT_CALENDARDATE)
                continue;
            if (dayTop < 0) {
                dayTop = y;
                firstDay = st.wDay;
            }
            if (st.wDay != firstDay)
                break;
            dayBottom = y;
        }
        const int rowHeight = dayBottom - dayTop + 1;
        ASSERT_GT(rowHeight, 4);
        const TRect names =
            Moved({0, dayTop - rowHeight, calendar->ClientWidth(), dayTop}, calendar->ClientOffset());
        EXPECT_EQ(InkGroups(calendar->PopupWindow()->SurfaceImage(), names, 4), 7)
            << "day names run together";
        calendar->SetVisible(false);
    }
}

TEST_F(QtPopupsTest, CalculatorKeysInBlueAndRedInsideItsFrame) {
    auto* calc = NewComponent<TPopupCalculatorEh>(form);
    calc->SetVisible(false);
    calc->SetParent(form);
    Drop(calc);
    const platform::ui::RasterImage& shown = calc->PopupWindow()->SurfaceImage();
    const TPoint client = calc->ClientOffset();
    EXPECT_EQ(calc->ClientWidth(), calc->LayoutClientWidth());

    const int middle = calc->Height() / 2, right = calc->Width() - 1;
    EXPECT_EQ(shown.Pixel(0, middle), ColorToArgb(cl3DDkShadow));
    EXPECT_EQ(shown.Pixel(1, middle), ColorToArgb(clBtnHighlight));
    EXPECT_EQ(shown.Pixel(right, middle), ColorToArgb(cl3DDkShadow));
    EXPECT_EQ(shown.Pixel(right - 1, middle), ColorToArgb(clBtnShadow));

    struct Case {
        char32_t key;
        bool blue;
    };
    for (Case c : {Case{'7', true}, Case{'0', true}, Case{'S', true}, Case{'/', false}, Case{'C', false},
                   Case{'=', false}}) {
        SCOPED_TRACE(static_cast<char>(c.key));
        const TSpeedButtonEh* key = calc->KeyOf(c.key);
        ASSERT_NE(key, nullptr);
        const TRect area = Moved(key->BoundsRect(), client);
        EXPECT_GT(CountIn(shown, area, c.blue ? Bluish : Reddish), 2);
        EXPECT_EQ(CountIn(shown, area, c.blue ? Reddish : Bluish), 0);
    }
    // The display: its "0" on the window colour at the right.
    const TLabel* display = calc->TextBox();
    const TRect panel = Moved(display->Parent()->BoundsRect(), client);
    EXPECT_EQ(shown.Pixel(panel.Left + 4, panel.Top + panel.Height() / 2), ColorToArgb(clWindow));
    const TRect rightHalf{panel.Left + panel.Width() / 2, panel.Top, panel.Right, panel.Bottom};
    EXPECT_GT(CountIn(shown, rightHalf, [](std::uint32_t p) { return RgbOf(p).r < 100 && RgbOf(p).g < 100; }),
              2);
}

}  // namespace
