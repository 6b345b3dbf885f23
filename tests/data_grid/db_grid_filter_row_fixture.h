#pragma once
// A focused grid with its filter row shown over a table of people (ID, NAME, CITY) in the in-memory
// dataset; the CITY filter lists the cities of the table itself, and every OnFilterApply and data
// service apply is counted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/data_service.h"
#include "data_grid/dataset_features.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_style.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/data_grid/headless_grid_form.h"
#include "tests/data_grid/people_grid.h"
#include "tests/support/memory_dataset.h"

namespace filter_row_test {

struct Person {
    int id;
    const char* name;
    const char* city;
};

inline const std::vector<Person> People = {
    {1, "Alpha", "Москва"}, {2, "Bravo", "Омск"}, {3, "Charlie", "Омск"}, {4, "Delta", "Тверь"}};

// The people's own class, so that the grid's data service finds features registered for it alone.
class TPeopleDataSet : public TMemoryDataSet {
  public:
    using TMemoryDataSet::TMemoryDataSet;
};

// Counts the applies the data service hands it and keeps the NAME filter's text at the last one.
class TCountingFeatures : public TDatasetFeaturesEh {
  public:
    void ApplyFilter(TObject* Sender, TDataSet* /*DataSet*/, bool /*IsReopen*/) override {
        ++Applied;
        if (auto* grid = dynamic_cast<TCustomDBGridEh*>(Sender))
            NameText = grid->ColumnFilterText(1);
    }
    int Applied = 0;
    std::string NameText;
};

struct FilterRowGrid : HeadlessGridForm {
    static constexpr int IdCol = 0;
    static constexpr int NameCol = 1;
    static constexpr int CityCol = 2;
    TPeopleDataSet ds;
    TDataSource* source = nullptr;
    int filterApplies = 0;

    FilterRowGrid() {
        RegisterDatasetFeatures(DatasetFeaturesClassOf<TCountingFeatures>(), TClass::Of<TPeopleDataSet>());
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 400);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 300);
        dynamic_cast<TSTDBGridEhFilter&>(*grid->STFilter()).SetVisible(true);
        source = ShowPeopleInGrid(*grid, ds, People, 20, form);
        Filter(CityCol).SetListSource(source);
        form->Show();
        grid->SetFocus();
        grid->SelectColumnByIndex(NameCol);
        ui.ProcessMessages();
    }
    ~FilterRowGrid() {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    FilterRowGrid(const FilterRowGrid&) = delete;
    FilterRowGrid& operator=(const FilterRowGrid&) = delete;

    void CountFilterApplies() {
        grid->OnFilterApply = [this](TObject*) { ++filterApplies; };
    }
    TCountingFeatures& Features() { return dynamic_cast<TCountingFeatures&>(*FeaturesForDataSet(&ds)); }
    TSTColumnFilterEh& Filter(int dataCol) const {
        return dynamic_cast<TSTColumnFilterEh&>(*Column(dataCol)->STFilter());
    }
    TInplaceFilterEditEh* Editor() const { return grid->FilterEditor(); }
    bool EditorShown() const { return Editor() != nullptr && Editor()->Visible(); }
    std::string EditorText() const { return Editor() != nullptr ? Editor()->Text() : ""; }
    // The data column whose filter cell is edited; -1 outside filter editing.
    int EditedFilterColumn() const { return grid->FilterEditing() ? grid->FilterColumn() : -1; }
    int CurrentId() { return ds.FieldByName("ID")->AsInteger(); }
    TRect FilterCellRect(int dataCol) const {
        return grid->CellRect(grid->DataColToGridCol(dataCol), grid->TopDataOffset() - 1);
    }
    // Opens the filter editor's list and accepts the item with the text by Enter.
    void ChooseFromList(const std::string& text) {
        Press(VK_DOWN, {ssAlt});
        TPopupListboxEh* list = Editor()->PopupList();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(Editor()->ListVisible());
        const int index = Editor()->Items()->IndexOf(text);
        ASSERT_GE(index, 0) << text;
        list->SetItemIndex(index);
        Press(VK_RETURN);
    }
    std::vector<std::string> ListedItems() const {
        std::vector<std::string> items;
        for (int i = 0; i < Editor()->Items()->Count(); ++i) items.push_back(Editor()->Items()->Get(i));
        return items;
    }
};

}  // namespace filter_row_test
