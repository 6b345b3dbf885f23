// The pop-up calendar: its size and frame, which clicks and keys close it and with what answer, the
// focus leaving it, the wheel, and an owner that opens no drop-downs.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "data_controls/drop_down_owner.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_frame.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

namespace {

class ClosingOwner : public TComponent, public IDropDownOwnerEh {
  public:
    using TComponent::TComponent;
    void CloseDropDown(bool Accept) override { Closes.push_back(Accept); }
    std::vector<bool> Closes;
};

const TDateTime kShownDay = EncodeDate(2026, 3, 18);

struct PopupCalendar : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    ClosingOwner* owner = nullptr;
    TPopupMonthCalendarEh* calendar = nullptr;
    int dialogKeys = 0;

    PopupCalendar() {
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        other = NewComponent<TEdit>(form);
        other->SetParent(form);
        other->SetBounds(10, 60, 200, 21);
        owner = NewComponent<ClosingOwner>(form);
        calendar = NewComponent<TPopupMonthCalendarEh>(owner);
        calendar->SetVisible(false);
        calendar->SetParent(form);
        calendar->SetDate(kShownDay);
        form->WindowProc = [this](TMessage& m) {
            if (m.Msg == CM_DIALOGKEY)
                ++dialogKeys;
            form->WndProc(m);
        };
        form->Show();
        ui.ProcessMessages();
    }

    void Drop() {
        calendar->SetBounds(110, 131, calendar->Width(), calendar->Height());
        calendar->SetVisible(true);
        ShowWindow(calendar->Handle(), SW_SHOWNOACTIVATE);
        ui.ProcessMessages();
    }
    // Keys reach a pop-up from its owner, which keeps the focus.
    static void Press(TWinControl* control, WORD key) {
        control->Perform(WM_KEYDOWN, key, 0);
        control->Perform(WM_KEYUP, key, 0);
    }
    // The first point of the client area with that hit code (and that day, when given).
    TPoint PointOf(UINT hit, std::optional<TDateTime> day = std::nullopt) const {
        return PointOn(calendar, hit, day);
    }
    static TPoint PointOn(const TMonthCalendar* on, UINT hit, std::optional<TDateTime> day = std::nullopt) {
        for (int y = 0; y < on->ClientHeight(); ++y)
            for (int x = 0; x < on->ClientWidth(); ++x) {
                SYSTEMTIME st;
                if (on->CalendarHitTest({x, y}, &st) == hit && (!day || SystemTimeToDate(st) == *day))
                    return {x, y};
            }
        ADD_FAILURE() << "no point with hit " << hit;
        return {0, 0};
    }
};

TEST_F(PopupCalendar, SizedToOneMonthAndItsFrame) {
    Drop();
    const TRect month = calendar->MinReqRect();
    EXPECT_EQ(calendar->Width(), month.Width() + 4);
    EXPECT_EQ(calendar->Height(), month.Height() + 4);
    EXPECT_EQ(calendar->ClientWidth(), month.Width());
    EXPECT_EQ(calendar->ClientHeight(), month.Height());
    calendar->SetWeekNumbers(true);
    EXPECT_EQ(calendar->ClientWidth(), calendar->MinReqRect().Width());
    calendar->SetCtl3D(false);
    EXPECT_EQ(calendar->BorderWidth(), 0);
    EXPECT_EQ(calendar->Width(), calendar->MinReqRect().Width() + 2);  // WS_BORDER
    EXPECT_EQ(calendar->ClientWidth(), calendar->MinReqRect().Width());
    EXPECT_NE(calendar->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
}

TEST_F(PopupCalendar, ClicksThatChooseADayCloseWithAccept) {
    struct Case {
        const char* what;
        UINT hit;
        std::optional<TDateTime> day;
        bool weekNumbers;
        std::vector<bool> closes;
        TDateTime dateAfter;
    };
    const Case cases[] = {
        {"a day of the month",
         MCHT_CALENDARDATE,
         EncodeDate(2026, 3, 5),
         false,
         {true},
         EncodeDate(2026, 3, 5)},
        {"a day of the month before",
         MCHT_CALENDARDATEPREV,
         EncodeDate(2026, 2, 28),
         false,
         {true},
         EncodeDate(2026, 2, 28)},
        {"a day of the month after",
         MCHT_CALENDARDATENEXT,
         EncodeDate(2026, 4, 2),
         false,
         {true},
         EncodeDate(2026, 4, 2)},
        {"the today link", MCHT_TODAYLINK, std::nullopt, false, {true}, Date()},
        {"the next-month button", MCHT_TITLEBTNNEXT, std::nullopt, false, {}, EncodeDate(2026, 4, 18)},
        {"the previous-month button", MCHT_TITLEBTNPREV, std::nullopt, false, {}, EncodeDate(2026, 2, 18)},
        {"the day-of-week row", MCHT_CALENDARDAY, std::nullopt, false, {}, kShownDay},
        {"the month's name", MCHT_TITLEMONTH, std::nullopt, false, {}, kShownDay},
        {"the title's background", MCHT_TITLEBK, std::nullopt, false, {}, kShownDay},
        {"a week number", MCHT_CALENDARWEEKNUM, std::nullopt, true, {}, kShownDay},
        {"the background", MCHT_CALENDARBK, std::nullopt, true, {}, kShownDay},
    };
    Drop();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        calendar->SetWeekNumbers(c.weekNumbers);
        calendar->SetDate(kShownDay);
        owner->Closes.clear();
        ui.ClickAt(calendar, PointOf(c.hit, c.day));
        ui.ProcessMessages();
        EXPECT_EQ(owner->Closes, c.closes);
        EXPECT_EQ(calendar->Date(), c.dateAfter);
    }
}

TEST_F(PopupCalendar, DayOutsideTheRangeDoesNotClose) {
    Drop();
    calendar->SetMinDate(EncodeDate(2026, 3, 10));
    ui.ClickAt(calendar, PointOf(MCHT_CALENDARDATE, EncodeDate(2026, 3, 5)));
    EXPECT_TRUE(owner->Closes.empty());
    EXPECT_EQ(calendar->Date(), kShownDay);
}

TEST_F(PopupCalendar, YearSpinStepsWithoutClosing) {
    Drop();
    ui.ClickAt(calendar, PointOf(MCHT_TITLEYEAR));
    ASSERT_TRUE(calendar->YearSpinShown());
    TRect up = calendar->YearSpinButton(true);
    ui.ClickAt(calendar, {up.Left + 2, up.Top + 2});
    ui.ProcessMessages();
    EXPECT_EQ(calendar->Date(), EncodeDate(2027, 3, 18));
    EXPECT_TRUE(owner->Closes.empty());
}

TEST_F(PopupCalendar, EnterAcceptsAndEscapeClosesWithoutReachingTheForm) {
    Drop();
    Press(calendar, VK_RIGHT);
    EXPECT_EQ(calendar->Date(), kShownDay + 1);
    EXPECT_TRUE(owner->Closes.empty());
    Press(calendar, VK_ESCAPE);
    Press(calendar, VK_RETURN);
    EXPECT_EQ(owner->Closes, (std::vector<bool>{false, true}));
    EXPECT_EQ(dialogKeys, 0);
    Press(other, VK_ESCAPE);
    EXPECT_EQ(dialogKeys, 1) << "an edit passes Escape on to its form";
    EXPECT_EQ(calendar->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 1);
    EXPECT_EQ(owner->Closes.back(), false);
}

TEST_F(PopupCalendar, FocusLeavingClosesUnlessItGoesToAChild) {
    Drop();
    auto* child = NewComponent<TEdit>(calendar);
    child->SetParent(calendar);
    child->SetBounds(0, 0, 20, 10);
    ui.ProcessMessages();
    calendar->Perform(WM_KILLFOCUS, child->Handle());
    ui.ProcessMessages();
    EXPECT_TRUE(owner->Closes.empty());

    calendar->Perform(WM_KILLFOCUS, other->Handle());
    EXPECT_TRUE(owner->Closes.empty()) << "closes only once the focus has moved";
    ui.ProcessMessages();
    EXPECT_EQ(owner->Closes, std::vector<bool>{false});
}

TEST_F(PopupCalendar, PressOutsideClosesWithoutAccept) {
    Drop();
    calendar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(-5, -5));
    EXPECT_EQ(owner->Closes, std::vector<bool>{false});
}

TEST_F(PopupCalendar, WheelMovesOneDay) {
    Drop();
    calendar->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint32_t>(-WHEEL_DELTA) << 16), 0);
    EXPECT_EQ(calendar->Date(), kShownDay + 1);
    calendar->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0);
    calendar->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0);
    EXPECT_EQ(calendar->Date(), kShownDay - 1);
    EXPECT_TRUE(owner->Closes.empty());
}

TEST_F(PopupCalendar, OwnerThatOpensNoDropDownsIsNeverAskedToClose) {
    auto* orphan = NewComponent<TPopupMonthCalendarEh>(form);
    orphan->SetParent(form);
    orphan->SetDate(kShownDay);
    orphan->SetBounds(110, 131, orphan->Width(), orphan->Height());
    ShowWindow(orphan->Handle(), SW_SHOWNOACTIVATE);
    ui.ProcessMessages();
    Press(orphan, VK_RETURN);
    Press(orphan, VK_ESCAPE);
    SYSTEMTIME st;
    TPoint day{};
    for (int y = 0; y < orphan->ClientHeight() && day == TPoint{}; ++y)
        for (int x = 0; x < orphan->ClientWidth(); ++x)
            if (orphan->CalendarHitTest({x, y}, &st) == MCHT_CALENDARDATE) {
                day = {x + 2, y + 2};
                break;
            }
    ui.ClickAt(orphan, day);
    orphan->Perform(WM_KILLFOCUS, other->Handle());
    ui.ProcessMessages();
    EXPECT_TRUE(owner->Closes.empty());
}

}  // namespace
