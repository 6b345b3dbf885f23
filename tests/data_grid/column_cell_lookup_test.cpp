// A lookup column over the in-memory datasets: people with a city id and a "City" lookup field
// into a list of cities. Its edit style, its special row's text, its steps through the list
// dataset and its stores into the key field.
#include <string>
#include <vector>

#include "data_controls/spec_row.h"
#include "platform/db/typed_fields.h"
#include "tests/data_grid/column_cell_fixture.h"
#include "tests/support/add_field.h"

namespace {

struct LookupCells : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    CellTestGrid* grid = nullptr;
    TMemoryDataSet cities;
    TMemoryDataSet people;
    TDataSource* source = nullptr;
    TField* cityId = nullptr;
    TField* city = nullptr;
    TColumnEh* column = nullptr;

    LookupCells() {
        cities.SetColumns({"ID", "NAME"});
        cities.SetColumnType(0, ftInteger);
        cities.SetColumnType(1, ftString, 20);
        cities.AddRow({1, "Омск"});
        cities.AddRow({2, "Tver"});
        cities.AddRow({3, "Kazan"});
        cities.Open();
        people.SetColumns({"ID", "CITY_ID"});
        people.SetColumnType(0, ftInteger);
        people.SetColumnType(1, ftInteger);
        people.AddRow({10, 2});
        AddField<TIntegerField>(people, "ID", fkData);
        cityId = AddField<TIntegerField>(people, "CITY_ID", fkData);
        city = AddLookupField<TStringField>(people, "City", 20, cities, "CITY_ID", "ID", "NAME");
        people.Open();
        Application->CreateForm(&form);
        grid = NewComponent<CellTestGrid>(form);
        grid->SetParent(form);
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&people);
        grid->SetDataSource(source);
        column = grid->GridColumns().Add();
        column->SetFieldName("City");
    }
    ~LookupCells() override {
        grid->SetDataSource(nullptr);
        people.BeforeDestruction();
        cities.BeforeDestruction();
    }
    void StoreCity(const Variant& id) {
        people.Edit();
        cityId->SetValue(id);
        people.Post();
    }
};

TEST_F(LookupCells, EditStyleIsTheDataListWhileTheKeysCanBeEdited) {
    EXPECT_EQ(column->CellKind(), ckLookupEh);
    EXPECT_EQ(ColumnEditStyle(*column), esDataListEh);
    grid->SetReadOnly(true);
    EXPECT_EQ(ColumnEditStyle(*column), esSimpleEh) << "a read-only grid";
    grid->SetReadOnly(false);
    cityId->ReadOnly = true;
    EXPECT_EQ(ColumnEditStyle(*column), esSimpleEh) << "a read-only key field";
    EXPECT_FALSE(column->IsEditable(false));
    cityId->ReadOnly = false;
    column->SetReadOnly(true);
    EXPECT_EQ(ColumnEditStyle(*column), esSimpleEh) << "a column set read-only";
    column->SetReadOnly(false);
    city->KeyFields = "NO_SUCH_FIELD";
    EXPECT_EQ(ColumnEditStyle(*column), esSimpleEh) << "a key that names no field";
    EXPECT_FALSE(column->IsEditable(false));
}

TEST_F(LookupCells, StepsGoThroughTheListDataSetAndWrapAround) {
    struct Case {
        Variant from;
        double delta;
        int to;
        const char* text;
    };
    const std::vector<Case> cases = {
        {Variant(2), 1, 3, "Kazan"}, {Variant(3), 1, 1, "Омск"},      {Variant(1), -1, 3, "Kazan"},
        {Variant(2), -1, 1, "Омск"}, {Variant::Null(), 1, 1, "Омск"}, {Variant::Null(), -1, 1, "Омск"},
        {Variant(9), -1, 1, "Омск"},
    };
    for (const Case& c : cases) {
        StoreCity(c.from);
        column->StepValue(c.delta);
        EXPECT_EQ(cityId->AsInteger(), c.to) << VarToStr(c.from) << " " << c.delta;
        EXPECT_EQ(city->Text(), c.text) << VarToStr(c.from) << " " << c.delta;
        people.Cancel();
    }
}

TEST_F(LookupCells, StoresWriteTheKeyFields) {
    people.Edit();
    column->PutCellValue("Kazan", Variant(3), false);
    EXPECT_EQ(cityId->AsInteger(), 3);
    column->PutCellValue("", Variant::Null(), false);
    EXPECT_TRUE(cityId->IsNull());
}

TEST_F(LookupCells, TheSpecialRowNamesItsValueAndKeysNotInTheList) {
    TSpecRowEh* specRow = column->DropDownSpecRow();
    specRow->SetCellsText("(нет)");
    specRow->SetValue(Variant(0));
    specRow->SetShowIfNotInKeyList(false);
    struct Case {
        Variant key;
        bool showIfNotInKeyList;
        bool visible;
        std::string text;
    };
    const std::vector<Case> cases = {
        {Variant(2), true, true, "Tver"},  {Variant(0), false, true, "(нет)"},
        {Variant(9), true, true, "(нет)"}, {Variant(9), false, true, ""},
        {Variant(0), false, false, ""},
    };
    for (const Case& c : cases) {
        specRow->SetShowIfNotInKeyList(c.showIfNotInKeyList);
        specRow->SetVisible(c.visible);
        StoreCity(c.key);
        EXPECT_EQ(column->CellDisplayText(), c.text) << VarToStr(c.key) << " " << c.showIfNotInKeyList;
    }
}

}  // namespace
