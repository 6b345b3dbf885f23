// The demo's calendar and calculator edits on the headless host: a clicked day and a typed sum land in
// the record printed on closing.
#include <gtest/gtest.h>

#include <sstream>

#include "data_controls/edit_button_control.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "platform/ui/application.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tools/popup_edits_demo/popup_edits_form.h"

namespace {

TEST(PopupEditsDemo, ClickedDayAndTypedSumLandInTheRecord) {
    platform::ui::HeadlessSession ui;
    std::ostringstream out;
    auto* form = new TPopupEditsDemoForm(Application, out);
    form->Show();
    ui.ProcessMessages();

    form->VisitEdit->SetFocus();
    ui.Click(form->VisitEdit->ButtonControls().front().EditButtonControl);
    ASSERT_TRUE(form->VisitEdit->DroppedDown());
    TPopupMonthCalendarEh* calendar = form->VisitEdit->Calendar();
    const TDateTime day = calendar->ShownMonth() + 9;
    TPoint at{};
    for (int y = 0; y < calendar->ClientHeight() && at == TPoint{}; ++y)
        for (int x = 0; x < calendar->ClientWidth(); ++x) {
            SYSTEMTIME st;
            if (calendar->CalendarHitTest({x, y}, &st) == MCHT_CALENDARDATE && SystemTimeToDate(st) == day) {
                at = {x + 3, y + 3};
                break;
            }
        }
    ui.ClickAt(calendar, at);
    EXPECT_FALSE(form->VisitEdit->DroppedDown());

    form->TotalEdit->SetFocus();
    ui.Click(form->TotalEdit->ButtonControls().front().EditButtonControl);
    ASSERT_TRUE(form->TotalEdit->DroppedDown());
    ui.TypeText("120+130");
    ui.PressKey(VK_RETURN);
    EXPECT_EQ(form->TotalEdit->Calculator()->DisplayText(), "250");
    ui.PressKey(VK_RETURN);
    EXPECT_FALSE(form->TotalEdit->DroppedDown());

    form->Close();
    ui.ProcessMessages();
    std::ostringstream expected;
    expected << "VISIT=" << DateToStr(day) << "; TOTAL=250\n";
    EXPECT_NE(out.str().find(expected.str()), std::string::npos) << out.str();
}

}  // namespace
