// The distinct values of a dataset field: gathered sorted, again only once stale, with the dataset
// left on its record and its controls enabled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/dataset_field_value_list.h"
#include "platform/base/exception.h"
#include "platform/db/field.h"
#include "tests/support/memory_dataset.h"

namespace {

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
    return lines;
}

// Fails the fetches it is told to, the way a lost connection would in the middle of a walk.
class TFailingDataSet : public TMemoryDataSet {
  public:
    int FailNextFetches = 0;

  protected:
    TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) override {
        if (mode == gmNext && FailNextFetches > 0) {
            --FailNextFetches;
            throw Exception("connection lost");
        }
        return TMemoryDataSet::GetRecord(buffer, mode, doCheck);
    }
};

struct ValueList : ::testing::Test {
    TFailingDataSet ds;
    TDatasetFieldValueListEh values;
    ValueList() {
        ds.SetColumns({"ID", "NAME"});
        ds.AddRow({Variant(1), Variant("B")});
        ds.AddRow({Variant(2), Variant("A")});
        ds.AddRow({Variant(3), Variant("B")});
        ds.Open();
        values.ChangeDataSet(&ds);
        values.ChangeFieldName("NAME");
    }
    ~ValueList() override {
        values.ChangeDataSet(nullptr);
        ds.BeforeDestruction();
    }
};

TEST_F(ValueList, SortedWithoutRepeatsAndTheRecordKept) {
    ds.Next();
    ASSERT_EQ(ds.FieldByName("ID")->AsString(), "2");
    EXPECT_EQ(Lines(*values.DistinctValues()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ds.FieldByName("ID")->AsString(), "2");
    EXPECT_FALSE(ds.Eof());
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_FALSE(values.Stale());
}

TEST_F(ValueList, StaleAfterDataChangesAndGatheredAgain) {
    values.DistinctValues();
    ds.AddRow({Variant(4), Variant("C")});
    EXPECT_EQ(values.DistinctValues()->Count(), 2);  // not stale: the old values stay
    ds.Refresh();
    EXPECT_TRUE(values.Stale());
    EXPECT_EQ(Lines(*values.DistinctValues()), (std::vector<std::string>{"A", "B", "C"}));

    values.ChangeFieldName("ID");
    EXPECT_TRUE(values.Stale());
    EXPECT_EQ(Lines(*values.DistinctValues()), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(ValueList, UnknownFieldOrNoDatasetGivesNothing) {
    values.ChangeFieldName("NOPE");
    EXPECT_EQ(values.DistinctValues()->Count(), 0);
    values.ChangeFieldName("NAME");
    values.ChangeDataSet(nullptr);
    EXPECT_EQ(values.DistinctValues()->Count(), 0);
    EXPECT_EQ(values.DataSet(), nullptr);
}

TEST_F(ValueList, AFailedWalkStillEnablesControlsAndGoesBack) {
    ds.Last();
    ds.FailNextFetches = 1;
    EXPECT_THROW(values.DistinctValues(), Exception);
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(ds.FieldByName("ID")->AsString(), "3");
}

}  // namespace
