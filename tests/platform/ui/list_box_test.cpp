// List box: searching, selecting by keys and clicks, scrolling, and owner-drawn virtual rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/list_box.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"

namespace {

class ListForm : public TForm {
  public:
    explicit ListForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 400, 300);
        list = NewComponent<TListBox>(this);
        list->SetParent(this);
        list->SetBounds(10, 10, 150, 6 * list->ItemHeight() + 4);  // 6 whole rows
        for (const char* s :
             {"Apple", "apricot", "Banana", "Берёза", "берег", "Cherry", "Date", "Elder", "Fig", "Grape"})
            list->Items()->Add(s);
        list->OnClick = [this](TObject*) { ++clicks; };
    }
    TListBox* list;
    int clicks = 0;
};

class ListBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->list->SetFocus();
    }
    LRESULT Select(int start, const char* text) {
        return SendMessage(form->list->Handle(), LB_SELECTSTRING, static_cast<WPARAM>(start),
                           reinterpret_cast<LPARAM>(text));
    }
    platform::ui::HeadlessSession ui;
    ListForm* form = nullptr;
};

TEST_F(ListBoxTest, SelectStringFindsTheNextRowBeginningWithTheText) {
    struct Case {
        int start;
        const char* text;
        LRESULT found;
    } cases[] = {
        {0xFFFF, "ap", 0},  // from the top
        {0, "ap", 1},       // after the start row, case aside
        {1, "ap", 0},       // wrapping round
        {0xFFFF, "БЕР", 3}, {3, "бер", 4}, {0xFFFF, "grapes", LB_ERR}, {-1, "d", 6},
    };
    for (const auto& c : cases) {
        form->list->SetItemIndex(9);
        LRESULT found = Select(c.start, c.text);
        EXPECT_EQ(found, c.found) << c.text << " from " << c.start;
        EXPECT_EQ(form->list->ItemIndex(), c.found == LB_ERR ? 9 : c.found) << c.text;
    }
    EXPECT_EQ(form->clicks, 0) << "a program's selection is no click";
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndTheTopRowFollows) {
    struct Case {
        WORD key;
        int index;
        int top;
    } cases[] = {
        {VK_DOWN, 0, 0}, {VK_NEXT, 5, 0},  {VK_DOWN, 6, 1}, {VK_END, 9, 4},
        {VK_UP, 8, 4},   {VK_PRIOR, 3, 3}, {VK_HOME, 0, 0},
    };
    int clicks = 0;
    for (const auto& c : cases) {
        ui.PressKey(c.key);
        EXPECT_EQ(form->list->ItemIndex(), c.index) << c.key;
        EXPECT_EQ(form->list->TopIndex(), c.top) << c.key;
        EXPECT_EQ(form->clicks, ++clicks) << c.key;
    }
    ui.TypeText("b");
    EXPECT_EQ(form->list->ItemIndex(), 2);
    ui.TypeText("b");
    EXPECT_EQ(form->list->ItemIndex(), 2) << "no other row begins with b in this alphabet";
}

TEST_F(ListBoxTest, AClickSelectsTheRowUnderThePointer) {
    form->list->SetTopIndex(2);
    int rowHeight = form->list->ItemHeight();
    ui.ClickAt(form->list, {20, rowHeight * 3 + 5});
    EXPECT_EQ(form->list->ItemIndex(), 5);
    EXPECT_EQ(form->clicks, 1);
    ui.ClickAt(form->list, {20, rowHeight * 3 + 5});
    EXPECT_EQ(form->clicks, 1) << "the same row again changes nothing";
}

TEST_F(ListBoxTest, ScrollingMovesTheTopRowWithinTheListAndTheBarFollows) {
    HWND h = form->list->Handle();
    struct Case {
        int code;
        int pos;
        int top;
    } cases[] = {
        {SB_LINEDOWN, 0, 1},   {SB_PAGEDOWN, 0, 4}, {SB_LINEDOWN, 0, 4}, {SB_LINEUP, 0, 3},
        {SB_THUMBTRACK, 2, 2}, {SB_TOP, 0, 0},      {SB_BOTTOM, 0, 4},   {SB_PAGEUP, 0, 0},
    };
    for (const auto& c : cases) {
        SendMessage(h, WM_VSCROLL, static_cast<WPARAM>(c.code | (c.pos << 16)), 0);
        EXPECT_EQ(form->list->TopIndex(), c.top) << c.code;
        EXPECT_EQ(GetScrollPos(h, SB_VERT), c.top) << c.code;
    }
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, info));
    EXPECT_EQ(info.nMax, 9);
    EXPECT_EQ(info.nPage, 6u);
    platform::ui::PostMouseWheel(*form, {}, -WHEEL_DELTA, {50, 50});
    ui.ProcessMessages();
    EXPECT_EQ(form->list->TopIndex(), 3);
    form->list->Items()->Clear();
    EXPECT_EQ(form->list->TopIndex(), 0);
    EXPECT_EQ(form->list->ItemIndex(), -1);
    EXPECT_FALSE(IsScrollBarVisible(h, SB_VERT));
}

TEST_F(ListBoxTest, VirtualOwnerDrawAsksForTheShownRowsOnly) {
    TListBox* list = form->list;
    list->SetStyle(lbVirtualOwnerDraw);
    list->SetItemHeight(20);
    list->SetBounds(10, 10, 150, 100);  // 5 rows
    list->SetCount(1000);
    list->OnData = [](TWinControl*, int index, std::string& data) { data = "row " + std::to_string(index); };
    std::vector<int> drawn;
    std::vector<int> selected;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back(index);
        EXPECT_EQ(rect.Top, (index - list->TopIndex()) * 20);
        if (state.Contains(odSelected))
            selected.push_back(index);
    };
    EXPECT_EQ(Select(0xFFFF, "row 512"), 512);
    EXPECT_EQ(list->TopIndex(), 508);
    list->Repaint();
    EXPECT_EQ(drawn, (std::vector<int>{508, 509, 510, 511, 512}));
    EXPECT_EQ(selected, (std::vector<int>{512}));
    list->SetCount(3);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(ListBoxTest, RowsThatOverflowShowTheVerticalBarWhichScrollsThem) {
    TListBox* list = form->list;
    HWND h = list->Handle();
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_TRUE(IsScrollBarVisible(h, SB_VERT)) << "10 rows, 6 shown";
    EXPECT_EQ(list->ClientWidth(), 150 - bar);
    // The bar (client coordinates, right of the client area): arrows of 17 at both ends of 82 pixels,
    // a thumb of 28 on a track of 48 that moves 5 pixels a row.
    int x = list->ClientWidth() + bar / 2;
    ui.ClickAt(list, {x, list->ClientHeight() - 5});
    EXPECT_EQ(list->TopIndex(), 1) << "the down arrow";
    ui.ClickAt(list, {x, 55});
    EXPECT_EQ(list->TopIndex(), 4) << "the track below the thumb: a page, to the last one";
    TPoint o = list->FormOrigin();
    platform::ui::PostMouseDown(*form, mbLeft, {}, {o.X + x, o.Y + 40});
    platform::ui::PostMouseMove(*form, {ssLeft}, {o.X + x, o.Y + 30});
    ui.ProcessMessages();
    EXPECT_EQ(list->TopIndex(), 2) << "the thumb dragged up 10 pixels";
    platform::ui::PostMouseUp(*form, mbLeft, {ssLeft}, {o.X + x, o.Y});
    ui.ProcessMessages();
    EXPECT_EQ(list->TopIndex(), 0);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
    EXPECT_EQ(form->clicks, 0) << "the bar's clicks select no row";

    list->Items()->Delete(9);
    list->Items()->Delete(8);
    list->Items()->Delete(7);
    EXPECT_TRUE(IsScrollBarVisible(h, SB_VERT)) << "7 rows, 6 shown";
    list->Items()->Delete(6);
    EXPECT_FALSE(IsScrollBarVisible(h, SB_VERT));
    EXPECT_EQ(list->ClientWidth(), 150);
}

// A list that keeps a scroll bar of its own takes the window's away.
class BarlessList : public TListBox {
  public:
    using TListBox::TListBox;

  protected:
    void CreateParams(TCreateParams& params) override {
        TListBox::CreateParams(params);
        params.Style &= ~WS_VSCROLL;
    }
};

TEST_F(ListBoxTest, AListMadeWithoutTheBarNeverShowsIt) {
    auto* list = NewComponent<BarlessList>(form);
    list->SetParent(form);
    list->SetBounds(200, 10, 150, 50);
    for (int i = 0; i < 20; ++i) list->Items()->Add("row");
    list->SetTopIndex(5);
    EXPECT_FALSE(IsScrollBarVisible(list->Handle(), SB_VERT));
    EXPECT_EQ(list->ClientWidth(), 150);
    EXPECT_EQ(list->TopIndex(), 5);
}

TEST_F(ListBoxTest, RowsAreAsHighAsTheFontsLinesUnlessOwnerDrawn) {
    // The headless font: lines of 6/5 of the em, 11 pixels at 8 points and 16 at 12.
    struct Case {
        TListBoxStyle style;
        int points;
        int height;
    } cases[] = {
        {lbStandard, 8, 13},       {lbStandard, 12, 19},       {lbVirtual, 12, 19},
        {lbOwnerDrawFixed, 8, 20}, {lbOwnerDrawFixed, 12, 20},
    };
    TListBox* list = form->list;
    list->SetItemHeight(20);
    for (const auto& c : cases) {
        list->SetStyle(c.style);
        list->Font()->SetSize(c.points);
        EXPECT_EQ(list->ItemHeight(), c.height) << c.style << " at " << c.points;
        EXPECT_EQ(list->Perform(LB_GETITEMHEIGHT, 0, 0), c.height);
        EXPECT_EQ(list->ItemRect(list->TopIndex() + 2).Top, 2 * c.height);
        EXPECT_EQ(list->VisibleRows(), list->ClientHeight() / c.height);
    }
}

}  // namespace
