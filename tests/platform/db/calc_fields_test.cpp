// Calculated and lookup fields: their place in the buffer's own area, computing them per record
// and after edits, and lookup values taken from another dataset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/typed_fields.h"
#include "platform/rtl/database_error.h"
#include "tests/support/add_field.h"
#include "tests/support/memory_dataset.h"

namespace {

// People with a city id; "Double" and "Label" are calculated, "City" looks the id up in `cities`.
class CalcFieldsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cities.SetColumns({"ID", "NAME"});
        cities.SetColumnType(0, ftInteger);
        cities.SetColumnType(1, ftString, 20);
        cities.AddRow({1, "Омск"});
        cities.AddRow({2, "Tver"});
        cities.Open();

        people.SetColumns({"ID", "CITY_ID"});
        people.SetColumnType(0, ftInteger);
        people.SetColumnType(1, ftInteger);
        people.AddRow({10, 2});
        people.AddRow({20, Variant::Null()});
        people.AddRow({30, 1});
        people.AddRow({40, 9});
        id = AddField<TIntegerField>(people, "ID", fkData);
        cityId = AddField<TIntegerField>(people, "CITY_ID", fkData);
        doubled = AddField<TIntegerField>(people, "Double", fkCalculated);
        label = AddField<TStringField>(people, "Label", fkCalculated, 10);
        city = AddLookupField<TStringField>(people, "City", 20, cities, "CITY_ID", "ID", "NAME");
        people.OnCalcFields = [this](TDataSet*) {
            ++calcRuns;
            if (!id->IsNull())
                doubled->SetAsInteger(id->AsInteger() * 2);
        };
    }

    TMemoryDataSet cities;
    TMemoryDataSet people;
    TField* id = nullptr;
    TField* cityId = nullptr;
    TField* doubled = nullptr;
    TField* label = nullptr;
    TField* city = nullptr;
    int calcRuns = 0;
};

TEST_F(CalcFieldsTest, EachTakesAPresenceByteAndItsDataInTheArea) {
    people.Open();
    EXPECT_EQ(id->Offset(), -1);
    EXPECT_EQ(doubled->Offset(), 0);
    EXPECT_EQ(label->Offset(), 5);
    EXPECT_EQ(city->Offset(), 17);
    EXPECT_EQ(people.CalcFieldsSize(), 17 + 22);
    people.Close();
    EXPECT_EQ(people.CalcFieldsSize(), 0);
    EXPECT_EQ(doubled->Offset(), -1);
}

TEST_F(CalcFieldsTest, EveryRecordReadHasItsOwnValues) {
    people.Open();
    struct Row {
        int doubled;
        std::string city;
    };
    const std::vector<Row> expected = {{20, "Tver"}, {40, ""}, {60, "Омск"}, {80, ""}};
    for (const Row& row : expected) {
        SCOPED_TRACE(row.doubled);
        EXPECT_EQ(doubled->AsInteger(), row.doubled);
        EXPECT_EQ(city->AsString(), row.city);
        EXPECT_EQ(city->IsNull(), row.city.empty());
        // Never set in OnCalcFields: cleared before each computation.
        EXPECT_TRUE(label->IsNull());
        people.Next();
    }
    // Reading back through the window does not mix the buffers' areas.
    people.First();
    EXPECT_EQ(doubled->AsInteger(), 20);
}

TEST_F(CalcFieldsTest, AnEditedDataFieldRecomputesTheRecordUnlessTurnedOff) {
    people.Open();
    people.Edit();
    id->SetAsInteger(7);
    EXPECT_EQ(doubled->AsInteger(), 14);
    cityId->SetAsInteger(1);
    EXPECT_EQ(city->AsString(), "Омск");

    people.AutoCalcFields = false;
    id->SetAsInteger(8);
    EXPECT_EQ(doubled->AsInteger(), 14);
    people.Post();
    EXPECT_EQ(people.StoredRowCount(), 4);
    EXPECT_EQ(people.StoredRow(0)[0], Variant(8));
}

TEST_F(CalcFieldsTest, CalculatedFieldsCanBeWrittenOnlyWhileCalculating) {
    people.Open();
    people.Edit();
    try {
        doubled->SetAsInteger(1);
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Field 'Double' cannot be modified");
    }
}

TEST_F(CalcFieldsTest, AFilterSeesCalculatedValues) {
    people.SetOnFilterRecord([this](TDataSet*, bool& accept) { accept = doubled->AsInteger() > 30; });
    people.SetFiltered(true);
    people.Open();
    EXPECT_EQ(id->AsInteger(), 20);
    EXPECT_EQ(people.RecordCount(), 3);
}

TEST_F(CalcFieldsTest, IncompleteLookupInformationStopsTheOpen) {
    city->LookupResultField.clear();
    try {
        people.Open();
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Lookup information for field 'City' is incomplete");
    }
    EXPECT_FALSE(people.Active());
}

TEST_F(CalcFieldsTest, AFreedLookupDataSetIsForgotten) {
    auto* other = new TMemoryDataSet(nullptr);
    city->SetLookupDataSet(other);
    delete other;
    EXPECT_EQ(city->LookupDataSet(), nullptr);
}

}  // namespace
