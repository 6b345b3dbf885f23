// A grid over Firebird datasets on the embedded engine: the columns' sort markers sort the
// dataset's cached records through the grid unit's data service and the registered features.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "data_grid_fib/fib_dataset_features.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"
#include "tests/firebird_datasets/people_engine_fixture.h"

namespace {

using Ids = std::vector<int>;

// A program's own dataset class built on TpFIBDataSet.
class TClinicPeopleDataSet : public TpFIBDataSet {
  public:
    using TpFIBDataSet::TpFIBDataSet;
};

struct MarkedColumn {
    const char* field;
    TSortMarkerEh marker;
};

class FIBFeaturesEngine : public dstest::PeopleEngine {
  protected:
    void SetUp() override {
        PeopleEngine::SetUp();
        InitializeFIBDatasetFeatures();
    }
    void TearDown() override {
        grid_.reset();
        PeopleEngine::TearDown();
        FinalizeFIBDatasetFeatures();
    }

    // A grid over the open dataset with one column per field, marked in the given order.
    TCustomDBGridEh& GridOver(TDataSet& dataSet, const std::vector<MarkedColumn>& columns) {
        source_ = MakeComponent<TDataSource>(nullptr);
        source_->SetDataSet(&dataSet);
        grid_ = MakeComponent<TCustomDBGridEh>(nullptr);
        grid_->SetExtOptions(grid_->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
        auto& stored = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const MarkedColumn& marked : columns) {
            TColumnEh* column = stored.Add();
            column->SetFieldName(marked.field);
            column->Title()->SetSortMarker(marked.marker);
        }
        grid_->SetDataSource(source_.get());
        return *grid_;
    }

    TObjectPtr<TDataSource> source_;
    TObjectPtr<TCustomDBGridEh> grid_;
};

// Down sorts ascending, up descending, in the order the columns were marked; the reopen flag the
// service passes changes nothing.
TEST_F(FIBFeaturesEngine, SortMarkersSortTheCachedRecords) {
    struct Case {
        const char* name;
        std::vector<MarkedColumn> columns;
        Ids ids;
    };
    const Case cases[] = {
        {"age down, name up", {{"AGE", smDownEh}, {"NAME", smUpEh}}, {1, 6, 3, 7, 4, 2, 5}},
        {"age up, name down", {{"AGE", smUpEh}, {"NAME", smDownEh}}, {5, 2, 4, 7, 3, 6, 1}},
        {"name down", {{"NAME", smDownEh}}, {6, 2, 1, 3, 5, 4, 7}},
        {"city up, ID up", {{"CITY", smUpEh}, {"ID", smUpEh}}, {7, 6, 4, 2, 5, 1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid_.reset();
        source_.reset();
        auto& ds = People<TpFIBDataSet>();
        ds.Open();
        TCustomDBGridEh& grid = GridOver(ds, c.columns);
        DBGridEhDataService()->ApplySorting(&grid);
        EXPECT_EQ(Order(ds), c.ids);
        EXPECT_TRUE(ds.SortedByDoSort());
    }
}

TEST_F(FIBFeaturesEngine, ADescendantOfTpFIBDataSetSortsTheSameWay) {
    auto& ds = People<TClinicPeopleDataSet>();
    ds.Open();
    EXPECT_EQ(ClassDistance(TClass::Of(ds), "TpFIBDataSet"), 1);
    TDatasetFeaturesEh* features = FeaturesForDataSet(&ds);
    ASSERT_NE(features, nullptr);
    EXPECT_EQ(features->ClassName(), "TFIBDatasetFeaturesEh");
    DBGridEhDataService()->ApplySorting(&GridOver(ds, {{"AGE", smUpEh}, {"NAME", smDownEh}}));
    EXPECT_EQ(Order(ds), (Ids{5, 2, 4, 7, 3, 6, 1}));
}

// TFIBDataSet is TpFIBDataSet's parent, not a descendant: no features reach it.
TEST_F(FIBFeaturesEngine, ADatasetOfAnotherClassIsLeftAsItWas) {
    auto& ds = People<dstest::TPeopleDataSet>("SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY CITY");
    ds.Open();
    const Ids before = Order(ds);
    EXPECT_EQ(FeaturesForDataSet(&ds), nullptr);
    TCustomDBGridEh& grid = GridOver(ds, {{"ID", smUpEh}});
    DBGridEhDataService()->ApplySorting(&grid);
    EXPECT_EQ(Order(ds), before);
    EXPECT_FALSE(ds.SortedByDoSort());
}

// The features sort by the keys they are given, whoever gives them; no keys keep the order.
TEST_F(FIBFeaturesEngine, TheKeysGivenSortAndNoKeysKeepTheOrder) {
    auto& ds = People<TpFIBDataSet>("SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY CITY");
    ds.Open();
    const Ids before = Order(ds);
    TDatasetFeaturesEh* features = FeaturesForDataSet(&ds);
    features->ApplySorting(&ds, &ds, {}, true);
    EXPECT_EQ(Order(ds), before);
    features->ApplySorting(&ds, &ds, {{"AGE", false}, {"NAME", true}}, true);
    EXPECT_EQ(Order(ds), (Ids{5, 2, 4, 7, 3, 6, 1}));
}

}  // namespace
