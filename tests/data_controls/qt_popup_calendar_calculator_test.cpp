// The pop-up calendar and calculator painted by the Qt host under the offscreen platform: their frames,
// the month with the chosen day, and the calculator's blue and red keys.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

bool Dark(std::uint32_t argb) {
    const Rgb c = RgbOf(argb);
    return c.r < 0x90 && c.g < 0x90 && c.b < 0x90;
}

// The first and last columns of a band of the image that hold dark ink, or an empty span.
std::pair<int, int> InkSpan(const platform::ui::RasterImage& image, const TRect& band) {
    int first = -1, last = -1;
    for (int x = band.Left; x < band.Right; ++x)
        for (int y = band.Top; y < band.Bottom; ++y)
            if (Dark(image.Pixel(x, y))) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
    return {first, last};
}

// The first row of days found by asking the calendar what lies under its points: its top and
// bottom, and each day's cell's left and right edges (client coordinates, right exclusive).
struct DayRow {
    int top = -1, bottom = -1;
    std::vector<std::pair<int, int>> cells;
};

bool IsDay(UINT hit) {
    return hit == MCHT_CALENDARDATE || hit == MCHT_CALENDARDATEPREV || hit == MCHT_CALENDARDATENEXT;
}

DayRow FirstDayRow(TPopupMonthCalendarEh& calendar) {
    DayRow row;
    const int middle = calendar.ClientWidth() / 2;
    WORD firstDay = 0;
    for (int y = 0; y < calendar.ClientHeight(); ++y) {
        SYSTEMTIME st;
        if (!IsDay(calendar.CalendarHitTest({middle, y}, &st)))
            continue;
        if (row.top < 0) {
            row.top = y;
            firstDay = st.wDay;
        }
        if (st.wDay != firstDay)
            break;
        row.bottom = y + 1;
    }
    WORD day = 0;
    for (int x = 0; x < calendar.ClientWidth(); ++x) {
        SYSTEMTIME st;
        if (!IsDay(calendar.CalendarHitTest({x, row.top}, &st))) {
            day = 0;
            continue;
        }
        if (st.wDay != day)
            row.cells.emplace_back(x, x + 1);
        row.cells.back().second = x + 1;
        day = st.wDay;
    }
    return row;
}

// Each day's name, whole as the locale gives it, is written inside its own column's cell with blank
// room on both sides, at the platform's default font and at a wider one.
TEST_F(QtPopupsTest, CalendarDayNamesStandApartInEveryLocale) {
    struct FontCase {
        const char* name;
        int size;
    };
    for (const FontCase font :
         {FontCase{nullptr, 0}, FontCase{"DejaVu Sans", 9}, FontCase{"DejaVu Sans", 11}})
        for (const char* locale : testsupport::kTestLocales) {
            SCOPED_TRACE(std::string(locale) + " " + (font.name ? font.name : "default") + " " +
                         std::to_string(font.size));
            testsupport::LocaleScope scope(locale);
            auto* calendar = NewComponent<TPopupMonthCalendarEh>(form);
            calendar->SetVisible(false);
            calendar->SetParent(form);
            if (font.name != nullptr) {
                calendar->Font()->SetName(font.name);
                calendar->Font()->SetSize(font.size);
            }
            calendar->SetDate(EncodeDate(2024, 3, 20));
            Drop(calendar);
            const DayRow days = FirstDayRow(*calendar);
            ASSERT_GT(days.bottom - days.top, 4);
            ASSERT_EQ(days.cells.size(), 7u);
            const int rowHeight = days.bottom - days.top;
            const TPoint client = calendar->ClientOffset();
            const platform::ui::RasterImage& shown = calendar->PopupWindow()->SurfaceImage();
            TCanvas& canvas = *calendar->Canvas();
            canvas.Font()->Assign(*calendar->Font());
            // March 2024's first row starts on Monday 26 February.
            for (int column = 0; column < 7; ++column) {
                const auto [left, right] = days.cells[column];
                const std::string name = FormatDateTime("ddd", EncodeDate(2024, 2, 26) + column);
                SCOPED_TRACE(name);
                const auto [first, last] =
                    InkSpan(shown, Moved({left, days.top - rowHeight, right, days.top}, client));
                ASSERT_GE(first, 0) << "no name over its column";
                EXPECT_GT(first, left + client.X) << "touches the cell's left edge";
                EXPECT_LT(last, right - 1 + client.X) << "touches the cell's right edge";
                // Ink is narrower than the text's advance by the side bearings, a shortened name by a letter.
                EXPECT_GE((last - first + 1) * 5, canvas.TextWidth(name) * 4) << "not the whole name";
            }
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
