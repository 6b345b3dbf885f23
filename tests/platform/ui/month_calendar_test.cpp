// Month calendar: the parts a point hits, title buttons, day clicks, keys, week numbers and the size
// the month needs.
#include <gtest/gtest.h>

#include "platform/rtl/datetime.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/month_calendar.h"
#include "platform/ui/virtual_keys.h"

namespace {

// Headless metrics at the default font: cells of 29 x 17 (a day name of three characters and room
// beside it), a title 23 high, 4 pixels of margin.
// March 2026 begins on a Sunday: its first row runs from Monday 23 February.
class MonthCalendarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 400, 300);
        calendar = NewComponent<TMonthCalendar>(form);
        calendar->SetParent(form);
        calendar->SetDate(EncodeDate(2026, 3, 15));
        form->Show();
        ui.ProcessMessages();
        calendar->SetFocus();
    }
    static TPoint Cell(int row, int column) { return {4 + column * 29 + 14, 23 + (row + 1) * 17 + 8}; }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TMonthCalendar* calendar = nullptr;
};

TEST_F(MonthCalendarTest, HitTestNamesThePartUnderThePoint) {
    struct Case {
        TPoint at;
        UINT hit;
        int day;
    } cases[] = {
        {{8, 8}, MCHT_TITLEBTNPREV, 0},          {{200, 8}, MCHT_TITLEBTNNEXT, 0},
        {{85, 10}, MCHT_TITLEMONTH, 0},          {{125, 10}, MCHT_TITLEYEAR, 0},
        {Cell(-1, 3), MCHT_CALENDARDAY, 0},      {Cell(2, 6), MCHT_CALENDARDATE, 15},
        {Cell(0, 0), MCHT_CALENDARDATEPREV, 23}, {Cell(5, 6), MCHT_CALENDARDATENEXT, 5},
        {Cell(6, 2), MCHT_TODAYLINK, 0},         {{500, 10}, MCHT_NOWHERE, 0},
    };
    for (const auto& c : cases) {
        MCHITTESTINFO info;
        info.pt = c.at;
        EXPECT_EQ(MonthCal_HitTest(calendar->Handle(), &info), c.hit) << c.at.X << "," << c.at.Y;
        if (c.day != 0) {
            EXPECT_EQ(info.st.wDay, c.day) << c.at.X << "," << c.at.Y;
        }
    }
}

TEST_F(MonthCalendarTest, TitleButtonsAndDaysAreClickedThrough) {
    struct Case {
        TPoint at;
        TDateTime want;
    } cases[] = {
        {{8, 8}, EncodeDate(2026, 2, 15)},
        {{200, 8}, EncodeDate(2026, 3, 15)},
        {Cell(1, 2), EncodeDate(2026, 3, 4)},
        {Cell(5, 6), EncodeDate(2026, 4, 5)},   // a day of the next month turns the page
        {Cell(-1, 1), EncodeDate(2026, 4, 5)},  // the day names pick nothing
        {Cell(6, 0), ::Date()},
    };
    for (const auto& c : cases) {
        ui.ClickAt(calendar, c.at);
        EXPECT_EQ(calendar->Date(), c.want) << c.at.X << "," << c.at.Y;
    }
}

TEST_F(MonthCalendarTest, KeysMoveTheDate) {
    struct Case {
        WORD key;
        TShiftState shift;
        TDateTime want;
    } cases[] = {
        {VK_RIGHT, {}, EncodeDate(2026, 3, 16)},       {VK_DOWN, {}, EncodeDate(2026, 3, 23)},
        {VK_END, {}, EncodeDate(2026, 3, 31)},         {VK_NEXT, {}, EncodeDate(2026, 4, 30)},
        {VK_PRIOR, {ssCtrl}, EncodeDate(2025, 4, 30)}, {VK_HOME, {}, EncodeDate(2025, 4, 1)},
        {VK_LEFT, {}, EncodeDate(2025, 3, 31)},        {VK_UP, {}, EncodeDate(2025, 3, 24)},
    };
    for (const auto& c : cases) {
        ui.PressKey(c.key, c.shift);
        EXPECT_EQ(calendar->Date(), c.want) << c.key;
    }
    EXPECT_EQ(calendar->ShownMonth(), EncodeDate(2025, 3, 1));
}

TEST_F(MonthCalendarTest, WeekNumbersWidenTheMinimalSize) {
    EXPECT_EQ(calendar->MinReqRect(), (TRect{0, 0, 211, 163}));
    EXPECT_EQ(calendar->Width(), 211) << "sized to the month";
    calendar->SetWeekNumbers(true);
    EXPECT_EQ(calendar->Width(), 240);
    MCHITTESTINFO info;
    info.pt = {10, Cell(1, 0).Y};
    EXPECT_EQ(MonthCal_HitTest(calendar->Handle(), &info), MCHT_CALENDARWEEKNUM);
    calendar->SetShowToday(false);
    EXPECT_EQ(calendar->Height(), 163 - 17);
    struct Case {
        TDateTime date;
        int week;
    } weeks[] = {
        {EncodeDate(2026, 1, 1), 1},
        {EncodeDate(2021, 1, 3), 53},
        {EncodeDate(2024, 12, 30), 1},
        {EncodeDate(2026, 3, 15), 11},
    };
    for (const auto& w : weeks) EXPECT_EQ(IsoWeekOf(w.date), w.week) << w.date;
}

}  // namespace

TEST_F(MonthCalendarTest, TheYearsArrowsShowAfterAClickOnTheYearAndStepIt) {
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    EXPECT_FALSE(calendar->YearSpinShown());
    ui.ClickAt(calendar, {125, 10});
    ASSERT_TRUE(calendar->YearSpinShown());
    TPoint up = centre(calendar->YearSpinButton(true));
    TPoint down = centre(calendar->YearSpinButton(false));
    EXPECT_TRUE(IntersectRect(calendar->YearSpinButton(true), calendar->YearSpinButton(false)).IsEmpty());
    MCHITTESTINFO info;
    info.pt = up;
    EXPECT_EQ(MonthCal_HitTest(calendar->Handle(), &info), MCHT_TITLEYEAR);
    struct Case {
        TPoint at;
        TDateTime want;
        bool spinAfter;
    } cases[] = {
        {up, EncodeDate(2027, 3, 15), true},
        {down, EncodeDate(2026, 3, 15), true},
        {down, EncodeDate(2025, 3, 15), true},
        {Cell(1, 2), EncodeDate(2025, 3, 5), false},  // a click elsewhere puts them away
    };
    for (const auto& c : cases) {
        ui.ClickAt(calendar, c.at);
        EXPECT_EQ(calendar->Date(), c.want) << c.at.X << "," << c.at.Y;
        EXPECT_EQ(calendar->YearSpinShown(), c.spinAfter) << c.at.X << "," << c.at.Y;
    }
}

TEST_F(MonthCalendarTest, TheRangeBoundsClicksKeysAndPages) {
    SYSTEMTIME range[2] = {DateToSystemTime(EncodeDate(2026, 3, 10)),
                           DateToSystemTime(EncodeDate(2026, 3, 20))};
    ASSERT_TRUE(MonthCal_SetRange(calendar->Handle(), GDTR_MIN | GDTR_MAX, range));
    SYSTEMTIME read[2];
    EXPECT_EQ(MonthCal_GetRange(calendar->Handle(), read), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(SystemTimeToDate(read[0]), EncodeDate(2026, 3, 10));
    EXPECT_EQ(SystemTimeToDate(read[1]), EncodeDate(2026, 3, 20));

    ui.ClickAt(calendar, Cell(1, 3));  // 5 March
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 15)) << "a day before the minimum is refused";
    ui.ClickAt(calendar, Cell(3, 5));  // 21 March
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 15)) << "a day after the maximum is refused";
    ui.ClickAt(calendar, Cell(3, 4));  // 20 March
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 20));

    struct Case {
        WORD key;
        TShiftState shift;
        TDateTime want;
    } cases[] = {
        {VK_RIGHT, {}, EncodeDate(2026, 3, 20)},  // stops at the maximum
        {VK_DOWN, {}, EncodeDate(2026, 3, 20)},
        {VK_NEXT, {}, EncodeDate(2026, 3, 20)},  // April lies wholly beyond it
        {VK_UP, {}, EncodeDate(2026, 3, 13)},
        {VK_UP, {}, EncodeDate(2026, 3, 10)},  // a week back would pass the minimum: stops at it
        {VK_LEFT, {}, EncodeDate(2026, 3, 10)},
        {VK_PRIOR, {ssCtrl}, EncodeDate(2026, 3, 10)},
        {VK_END, {}, EncodeDate(2026, 3, 20)},
        {VK_HOME, {}, EncodeDate(2026, 3, 10)},
    };
    for (const auto& c : cases) {
        ui.PressKey(c.key, c.shift);
        EXPECT_EQ(calendar->Date(), c.want) << c.key;
    }
    ui.ClickAt(calendar, {200, 8});
    ui.ClickAt(calendar, {125, 10});
    TRect up = calendar->YearSpinButton(true);
    ui.ClickAt(calendar, {up.Left + 2, up.Top + 2});
    EXPECT_EQ(calendar->ShownMonth(), EncodeDate(2026, 3, 1)) << "neither the page nor the year turns";

    calendar->SetMinDate(EncodeDate(2026, 3, 12));
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 12)) << "a new bound moves the date inside";
    calendar->SetDate(EncodeDate(2030, 1, 1));
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 3, 20));
    SYSTEMTIME crossed[2] = {range[1], range[0]};
    EXPECT_FALSE(MonthCal_SetRange(calendar->Handle(), GDTR_MIN | GDTR_MAX, crossed))
        << "a minimum after the maximum";
    range[1] = {};
    ASSERT_TRUE(MonthCal_SetRange(calendar->Handle(), GDTR_MIN, range));
    EXPECT_EQ(MonthCal_GetRange(calendar->Handle(), read), GDTR_MIN);
    EXPECT_EQ(calendar->MaxDate(), 0);
}

TEST_F(MonthCalendarTest, DaysOutsideTheRangeAreGreyed) {
    calendar->SetMinDate(EncodeDate(2026, 3, 10));
    auto& log = ui.System().TextLog();
    log.Drawn.clear();
    calendar->Repaint();
    auto colourOf = [&](const std::string& day) {
        for (const auto& d : log.Drawn)
            if (d.Text == day)
                return d.Argb;
        ADD_FAILURE() << "not drawn: " << day;
        return 0u;
    };
    EXPECT_EQ(colourOf("9"), ColorToArgb(clGrayText));
    EXPECT_EQ(colourOf("10"), ColorToArgb(clWindowText));
}
