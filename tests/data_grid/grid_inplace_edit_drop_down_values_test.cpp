// The calendar, the calculator and the pick list dropped down from their cells: the value each
// opens at, and what a clicked day, a typed sum or a chosen item writes to the cell.
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/popup_data_grid.h"
#include "platform/rtl/datetime.h"
#include "tests/data_grid/grid_inplace_edit_drop_down_fixture.h"

using namespace drop_down_test;

namespace {

const TDateTime StoredDay = EncodeDate(2026, 3, 14);
const std::string TypedDate = DateToStr(EncodeDate(2025, 1, 2));

// A point of the calendar's client area on that day of the month shown.
TPoint DayPoint(TPopupMonthCalendarEh& Calendar, int Day) {
    for (int y = 0; y < Calendar.ClientHeight(); y += 2)
        for (int x = 0; x < Calendar.ClientWidth(); x += 2) {
            SYSTEMTIME st;
            if (Calendar.CalendarHitTest({x, y}, &st) == MCHT_CALENDARDATE && st.wDay == Day)
                return {x, y};
        }
    ADD_FAILURE() << "no cell for day " << Day;
    return {0, 0};
}

TEST(GridEditorCalendarDropDown, OpensAtTheTextsDateOrADefault) {
    struct Case {
        const char* what;
        bool secondRecord;  // its day is empty
        const char* text;   // nullptr: the cell's own text
        TDateTime want;     // Today: the session's today
    };
    constexpr TDateTime Today = -1;
    const std::vector<Case> cases = {
        {"the cell's date", false, nullptr, StoredDay},
        {"a typed date", false, TypedDate.c_str(), EncodeDate(2025, 1, 2)},
        {"an unreadable text: the stored date", false, "31.31", StoredDay},
        {"an unreadable text over no date: today", true, "31.31", Today},
        {"an empty text: today", false, "", Today},
    };
    for (const Case& c : cases) {
        OrdersGrid g;
        if (c.secondRecord)
            g.orders.Next();
        TDBGridInplaceEdit& editor = g.Edit(DayCol);
        ASSERT_EQ(editor.ActiveEditStyle(), esDateCalendarEh) << c.what;
        if (c.text != nullptr)
            editor.SetText(c.text);
        g.Press(VK_DOWN, {ssAlt});
        ASSERT_TRUE(editor.ListShown()) << c.what;
        TPopupMonthCalendarEh* calendar = editor.CalendarDropDown();
        ASSERT_NE(calendar, nullptr);
        EXPECT_TRUE(calendar->Visible()) << c.what;
        EXPECT_EQ(calendar->Date(), c.want == Today ? Date() : c.want) << c.what;
        EXPECT_EQ(calendar->ClientWidth(), calendar->MinReqRect().Width()) << c.what;
        EXPECT_EQ(calendar->ClientHeight(), calendar->MinReqRect().Height()) << c.what;
    }
}

TEST(GridEditorCalendarDropDown, AClickedDayIsWrittenToTheField) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(DayCol);
    g.Press(VK_DOWN, {ssAlt});
    TPopupMonthCalendarEh& calendar = *editor.CalendarDropDown();
    g.ui.ClickAt(&calendar, DayPoint(calendar, 20));
    g.ui.ProcessMessages();
    EXPECT_FALSE(editor.ListShown());
    EXPECT_FALSE(calendar.Visible());
    EXPECT_EQ(g.orders.FieldByName("DAY")->AsDateTime(), EncodeDate(2026, 3, 20));
    EXPECT_EQ(g.orders.State(), dsEdit);
}

TEST(GridEditorCalendarDropDown, EscLeavesTheFieldAlone) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(DayCol);
    g.Press(VK_DOWN, {ssAlt});
    g.Press(VK_RIGHT);
    EXPECT_EQ(editor.CalendarDropDown()->Date(), StoredDay + 1) << "Right goes to the calendar";
    g.Press(VK_ESCAPE);
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(g.orders.FieldByName("DAY")->AsDateTime(), StoredDay);
}

TEST(GridEditorCalculatorDropDown, ATypedSumIsAcceptedIntoTheNumericCell) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(SumCol);
    ASSERT_EQ(editor.ActiveEditStyle(), esDropDownEh);
    ASSERT_TRUE(editor.CalculatorAvailable());
    g.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    TPopupCalculatorEh& calculator = *editor.CalculatorDropDown();
    EXPECT_TRUE(calculator.Visible());
    EXPECT_EQ(calculator.FetchPopupValue().AsDouble(), 12.5) << "it opens at the cell's number";
    EXPECT_EQ(editor.SelLength(), 0);
    g.Type("7*6");
    EXPECT_EQ(editor.Text(), "12.5") << "typed keys are the calculator's";
    g.Press(VK_RETURN);
    EXPECT_TRUE(editor.ListShown()) << "the first Enter works the sum out";
    EXPECT_EQ(calculator.FetchPopupValue().AsDouble(), 42);
    g.Press(VK_RETURN);
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "42");
    EXPECT_EQ(g.grid->EditText(), "42");
    EXPECT_EQ(editor.SelLength(), 2);
    g.Press(VK_DOWN);
    g.orders.First();
    EXPECT_EQ(g.orders.FieldByName("SUM")->AsFloat(), 42);
}

TEST(GridEditorCalculatorDropDown, EscAndAnErrorLeaveTheCell) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(SumCol);
    g.Press(VK_DOWN, {ssAlt});
    g.Type("5");
    g.Press(VK_ESCAPE);
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "12.5");

    g.Press(VK_DOWN, {ssAlt});
    g.Type("1/0");
    g.Press(VK_RETURN);
    ASSERT_TRUE(editor.CalculatorDropDown()->FetchPopupValue().IsError());
    editor.CloseDropDown(true);
    EXPECT_EQ(editor.Text(), "12.5") << "an error is no value";
}

TEST(GridEditorPickListDropDown, OpensOnTheCellsItemAndEnterOrAClickTakesOne) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(StatusCol);
    ASSERT_EQ(editor.ActiveEditStyle(), esPickListEh);
    g.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    TPopupListboxEh& list = *editor.PickList();
    EXPECT_EQ(list.Items()->Count(), 3);
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_GE(list.Width(), editor.Width());
    EXPECT_EQ(list.RowCount(), 3) << "fewer items than rows: a row per item";
    g.Press(VK_DOWN);
    EXPECT_EQ(editor.Text(), "paid");
    EXPECT_EQ(g.grid->EditText(), "new");
    g.Press(VK_RETURN);
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(g.grid->EditText(), "paid");

    g.Press(VK_DOWN, {ssAlt});
    EXPECT_EQ(list.ItemIndex(), 1);
    g.ui.ClickAt(&list, {5, list.ItemHeight() * 2 + list.ItemHeight() / 2});
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "sent");
    g.Press(VK_DOWN);
    g.orders.First();
    EXPECT_EQ(g.Stored("STATUS"), "sent");
}

TEST(GridEditorPickListDropDown, AKeyListCutsTheItemsAndAnEmptyCellSelectsNone) {
    OrdersGrid g;
    for (const char* key : {"N", "P"}) g.Column(StatusCol)->KeyList()->Add(key);
    g.orders.Next();
    TDBGridInplaceEdit& editor = g.Edit(StatusCol);
    g.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    EXPECT_EQ(editor.PickList()->Items()->Count(), 2);
    EXPECT_EQ(editor.PickList()->ItemIndex(), -1);
    g.Press(VK_DOWN);
    g.Press(VK_RETURN);
    EXPECT_EQ(editor.Text(), "new");
    g.Press(VK_UP);
    g.orders.Last();
    EXPECT_EQ(g.Stored("STATUS"), "N") << "the key beside the item is stored";
}

}  // namespace

namespace {

TEST(GridEditorAutoDropDown, TheFirstTypedCharacterOpensTheList) {
    struct Case {
        const char* what;
        int column;
        bool autoDropDown;
        const char* typed;
        bool wantShown;
        std::string wantText;
    };
    const std::vector<Case> cases = {
        {"a pick list, the item completed", StatusCol, true, "s", true, "sent"},
        {"a lookup list, the customer completed", CustomerCol, true, "S", true, "Sidorov"},
        {"a calculator", SumCol, true, "5", true, "12.5"},
        {"a pick list without the setting", StatusCol, false, "s", false, "sent"},
    };
    for (const Case& c : cases) {
        OrdersGrid g;
        g.Column(c.column)->SetAutoDropDown(c.autoDropDown);
        TDBGridInplaceEdit& editor = g.Edit(c.column);
        g.Type(c.typed);
        EXPECT_EQ(editor.ListShown(), c.wantShown) << c.what;
        EXPECT_EQ(editor.Text(), c.wantText) << c.what;
        if (c.column == SumCol) {
            EXPECT_EQ(editor.CalculatorDropDown()->FetchPopupValue().AsDouble(), 5)
                << c.what << ": the character is the calculator's";
        } else if (c.column == StatusCol && c.wantShown) {
            EXPECT_EQ(editor.PickList()->ItemIndex(), 2) << c.what;
        } else if (c.column == CustomerCol) {
            EXPECT_EQ(editor.DataList()->KeyValue().AsInteger(), 3) << c.what;
        }
    }
}

}  // namespace

namespace {

TEST(GridEditorPickListDropDown, TheOpenListStaysOpenWhenTypingPutsTheRecordIntoEdit) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(StatusCol);
    ASSERT_EQ(g.orders.State(), dsBrowse);
    g.Press(VK_DOWN, {ssAlt});
    g.Type("s");
    EXPECT_EQ(g.orders.State(), dsEdit);
    EXPECT_TRUE(editor.ListShown());
    EXPECT_TRUE(editor.PickList()->Visible());
    EXPECT_EQ(editor.Text(), "sent");
    EXPECT_EQ(editor.PickList()->ItemIndex(), 2);
}

}  // namespace

namespace {

TEST(GridEditorPickListDropDown, AResizedListIsRememberedByTheColumn) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(StatusCol);
    g.Press(VK_DOWN, {ssAlt});
    TPopupListboxEh& list = *editor.PickList();
    list.SetBounds(list.Left(), list.Top(), list.Width() + 30, list.Height() - list.ItemHeight());
    ASSERT_TRUE(list.SizeGripResized());
    const int width = list.Width();
    g.Press(VK_ESCAPE);
    EXPECT_EQ(g.Column(StatusCol)->DropDownRows(), 2);
    EXPECT_EQ(g.Column(StatusCol)->DropDownWidth(), width);
    g.Press(VK_DOWN, {ssAlt});
    EXPECT_EQ(list.RowCount(), 2) << "the next drop-down has the rows the user left";
}

}  // namespace
