// The filter editor's list and the presses on the filter row: the column's values and the special
// items, what choosing each does with ApplyFilterOnCloseUp off and on, the sort items that only a
// sorting title button offers, and presses, wheel and cancel mode reaching the filter editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/messages.h"
#include "platform/ui/mouse_capture.h"
#include "tests/data_grid/db_grid_filter_row_fixture.h"

using namespace filter_row_test;

namespace {

const std::vector<std::string> FilterItems = {"(Пустые)", "(Не пустые)", "(Все)", "(Очистить фильтр)"};
const std::vector<std::string> SortItems = {"-", "(Сортировка по убыванию)", "(Сортировка по возрастанию)"};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void EnterCityFilter(FilterRowGrid& g) {
    g.grid->SelectColumnByIndex(FilterRowGrid::CityCol);
    g.Press(VK_UP);
    ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
}

TEST(GridFilterRowList, ListsTheDistinctValuesThenTheSpecialItemsAndSortItemsOnlyForASortingTitleButton) {
    struct Case {
        bool autoSort;
        bool titleButton;
        bool sortItems;
    };
    const std::vector<std::string> cities = {"Москва", "Омск", "Тверь"};
    for (const Case& c : std::vector<Case>{
             {false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}}) {
        SCOPED_TRACE(std::string(c.autoSort ? "auto sort" : "") + (c.titleButton ? " title button" : ""));
        FilterRowGrid g;
        TDBGridEhExtOptions ext = g.grid->ExtOptions() - TDBGridEhExtOptions{gxoAutoSortMarkingEh};
        g.grid->SetExtOptions(c.autoSort ? ext + TDBGridEhExtOptions{gxoAutoSortMarkingEh} : ext);
        g.Column(FilterRowGrid::CityCol)->Title()->SetTitleButton(c.titleButton);
        EnterCityFilter(g);
        g.Press(VK_DOWN, {ssAlt});
        ASSERT_TRUE(g.Editor()->ListVisible());
        const auto special = c.sortItems ? Joined(FilterItems, SortItems) : FilterItems;
        EXPECT_EQ(g.ListedItems(), Joined(cities, special));
        g.Press(VK_ESCAPE);
        EXPECT_FALSE(g.Editor()->ListVisible());
        EXPECT_TRUE(g.EditorShown());
    }
}

TEST(GridFilterRowList, AColumnWithoutAListSourceHasNoButtonAndShowsItsFilterText) {
    FilterRowGrid g;
    g.Filter(FilterRowGrid::NameCol).SetExpressionText("B~");
    g.Press(VK_UP);
    EXPECT_FALSE(g.Editor()->EditButton()->Visible());
    EXPECT_EQ(g.EditorText(), "B~");
    EXPECT_EQ(g.Editor()->SelLength(), 2);  // selected whole, ready to be typed over
    g.grid->SelectColumnByIndex(FilterRowGrid::CityCol);
    g.Press(VK_TAB);
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    EXPECT_TRUE(g.Editor()->EditButton()->Visible());
    EXPECT_EQ(g.Editor()->DropDownBox()->Width(), 100);
    EXPECT_EQ(g.Editor()->DropDownBox()->Rows(), 17);
}

TEST(GridFilterRowList, ChoosingAnItemSetsTheTextAndAppliesAsTheStyleAsks) {
    struct Case {
        const char* item;
        bool applyOnCloseUp;
        const char* cityText;  // the CITY filter's text afterwards
        const char* nameText;  // the NAME filter's text afterwards ("x" before)
        int applies;
    };
    const std::vector<Case> cases = {
        {"(Пустые)", false, "=Null", "x", 0},
        {"(Пустые)", true, "=Null", "x", 1},
        {"(Не пустые)", true, "<>Null", "x", 1},
        {"(Все)", false, "", "x", 0},
        {"(Все)", true, "", "x", 1},
        {"(Очистить фильтр)", false, "", "", 1},
        {"(Очистить фильтр)", true, "", "", 1},
        {"Омск", false, "Омск", "x", 0},
        {"Омск", true, "Омск", "x", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + (c.applyOnCloseUp ? " applied on close-up" : ""));
        FilterRowGrid g;
        g.grid->Style()->SetApplyFilterOnCloseUp(c.applyOnCloseUp);
        g.CountFilterApplies();
        g.Filter(FilterRowGrid::NameCol).SetExpressionText("x");
        g.Filter(FilterRowGrid::CityCol).SetExpressionText("Тверь");
        EnterCityFilter(g);
        g.ChooseFromList(c.item);
        EXPECT_EQ(g.filterApplies, c.applies);
        EXPECT_EQ(g.Filter(FilterRowGrid::CityCol).FilterText(), c.cityText);
        EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).FilterText(), c.nameText);
        const bool cleared = std::string(c.item) == "(Очистить фильтр)";
        // Clearing every filter ends filter editing; the others keep the editor with the text.
        EXPECT_EQ(g.EditorShown(), !cleared);
        if (!cleared) {
            EXPECT_EQ(g.EditorText(), c.cityText);
        }
    }
}

TEST(GridFilterRowList, AnEmptyItemReadsAsTheNullConditionAndTheListKeepsItsSize) {
    FilterRowGrid g;
    EnterCityFilter(g);
    g.ChooseFromList("(Пустые)");
    EXPECT_EQ(g.Filter(FilterRowGrid::CityCol).Expression().FirstOperator, fokNullEh);
    EXPECT_GT(g.Filter(FilterRowGrid::CityCol).ListWidth(), 0);
    EXPECT_GT(g.Filter(FilterRowGrid::CityCol).ListRows(), 0);
}

TEST(GridFilterRowList, ASortItemMarksOnlyThisColumnAndSortsAtOnce) {
    struct Case {
        const char* item;
        TSortMarkerEh marker;
    };
    for (const Case& c :
         std::vector<Case>{{"(Сортировка по убыванию)", smUpEh}, {"(Сортировка по возрастанию)", smDownEh}}) {
        SCOPED_TRACE(c.item);
        FilterRowGrid g;
        g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoAutoSortMarkingEh});
        g.Column(FilterRowGrid::CityCol)->Title()->SetTitleButton(true);
        g.Column(FilterRowGrid::NameCol)->Title()->SetSortMarker(smDownEh);
        int sorts = 0;
        g.grid->OnSortMarkersChange = [&](TObject*) { ++sorts; };
        g.CountFilterApplies();
        EnterCityFilter(g);
        g.ChooseFromList(c.item);
        EXPECT_EQ(sorts, 1);
        EXPECT_EQ(g.filterApplies, 0);
        EXPECT_EQ(g.Column(FilterRowGrid::CityCol)->Title()->SortMarker(), c.marker);
        EXPECT_EQ(g.Column(FilterRowGrid::NameCol)->Title()->SortMarker(), smNoneEh);
        ASSERT_EQ(g.grid->SortMarkedColumns().size(), 1u);
        EXPECT_EQ(g.grid->SortMarkedColumns()[0], g.Column(FilterRowGrid::CityCol));
        EXPECT_EQ(g.EditorText(), "");  // no item text taken
    }
}

TEST(GridFilterRowList, APressOnAFilterCellEditsItAndAPressOnTheDataStoresTheTextAndLeaves) {
    FilterRowGrid g;
    const TRect name = g.FilterCellRect(FilterRowGrid::NameCol);
    g.ui.ClickAt(g.grid, {name.Left + 5, (name.Top + name.Bottom) / 2}, mbRight);
    g.ui.ProcessMessages();
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    const TRect city = g.FilterCellRect(FilterRowGrid::CityCol);
    g.ui.ClickAt(g.grid, {city.Left + 5, (city.Top + city.Bottom) / 2});
    g.ui.ProcessMessages();
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    EXPECT_EQ(g.grid->SelectedColumnIndex(), FilterRowGrid::CityCol);
    g.Type("Тверь");
    const TRect data =
        g.grid->CellRect(g.grid->DataColToGridCol(FilterRowGrid::NameCol), g.grid->TopDataOffset() + 2);
    g.ui.ClickAt(g.grid, {data.Left + 5, (data.Top + data.Bottom) / 2});
    g.ui.ProcessMessages();
    EXPECT_EQ(g.EditedFilterColumn(), -1);
    EXPECT_FALSE(g.EditorShown());
    EXPECT_EQ(g.Filter(FilterRowGrid::CityCol).FilterText(), "Тверь");
    EXPECT_EQ(g.CurrentId(), 3);
    EXPECT_TRUE(g.grid->Focused());
}

// A condition typed in one filter cell stays when a press moves on to another; Enter applies both.
TEST(GridFilterRowList, APressOnAnotherFilterCellKeepsTheConditionTypedBefore) {
    FilterRowGrid g;
    // The press goes on to the filter editor, which takes the mouse: the release must give it back.
    auto pressFilterCell = [&](int dataCol) {
        const TRect cell = g.FilterCellRect(dataCol);
        g.ui.ClickAt(g.grid, {cell.Left + 5, (cell.Top + cell.Bottom) / 2});
        EXPECT_EQ(GetCaptureControl(), nullptr);
    };
    pressFilterCell(FilterRowGrid::NameCol);
    pressFilterCell(FilterRowGrid::CityCol);
    ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    g.Type("Омск");
    pressFilterCell(FilterRowGrid::IdCol);
    ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::IdCol);
    g.Type(">1");
    g.Press(VK_RETURN);
    EXPECT_EQ(g.Features().Applied, 1);
    EXPECT_EQ(g.grid->ColumnFilterText(FilterRowGrid::CityCol), "Омск");
    EXPECT_EQ(g.grid->ColumnFilterText(FilterRowGrid::IdCol), ">1");
}

TEST(GridFilterRowList, TheWheelAndCancelModeReachTheFilterEditor) {
    FilterRowGrid g;
    EnterCityFilter(g);
    int wheels = 0;
    g.Editor()->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& Handled) {
        ++wheels;
        Handled = true;
    };
    g.grid->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(-120) << 16, 0);
    EXPECT_EQ(wheels, 1);
    EXPECT_EQ(g.CurrentId(), 1);  // the records stayed
    g.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(g.Editor()->ListVisible());
    g.grid->Perform(WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(g.Editor()->ListVisible());
    EXPECT_TRUE(g.EditorShown());
}

TEST(GridFilterRowList, WhileTheFilterSettingsUpdateTheGridStaysInFilterEditing) {
    FilterRowGrid g;
    g.Press(VK_UP);
    auto& settings = dynamic_cast<TSTDBGridEhFilter&>(*g.grid->STFilter());
    settings.LockUpdate();
    g.grid->LeaveFilterEditing();
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    settings.UnlockUpdate();
    settings.SetVisible(false);
    EXPECT_EQ(g.EditedFilterColumn(), -1);
    EXPECT_FALSE(g.EditorShown());
}

TEST(GridFilterRowList, AFilterThroughAKeyFieldShowsItsTextAgainOverTheKeysItFound) {
    FilterRowGrid g;
    TSTColumnFilterEh& city = g.Filter(FilterRowGrid::CityCol);
    city.SetKeyField("ID");
    city.SetListField("CITY");
    EnterCityFilter(g);
    g.ChooseFromList("Тверь");
    EXPECT_EQ(city.FilterText(), "Тверь");
    EXPECT_EQ(city.KeyValueList(), Variant(4));
    g.Press(VK_TAB);
    g.Press(VK_TAB, {ssShift});
    ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    EXPECT_EQ(g.EditorText(), "Тверь");
}

}  // namespace
