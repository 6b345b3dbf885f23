// A detail dataset following its master through a detail data link, and the by-name lookup of
// the data properties that tie them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/data_properties.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/database_error.h"
#include "tests/support/memory_dataset.h"

namespace {

class MasterDetailTest : public ::testing::Test {
  protected:
    void SetUp() override {
        customers.SetName("Customers");
        customers.SetColumns({"ID"});
        customers.SetColumnType(0, ftInteger);
        for (int id : {1, 2, 3}) customers.AddRow({id});
        source.SetDataSet(&customers);

        orders.SetColumns({"NO", "CUSTOMER"});
        orders.SetColumnType(0, ftInteger);
        orders.SetColumnType(1, ftInteger);
        for (auto [no, customer] : {std::pair{10, 1}, {11, 2}, {12, 1}, {13, 3}, {14, 1}})
            orders.AddRow({no, customer});
        orders.DetailFields = "CUSTOMER";
        orders.SetDataSource(&source);
        orders.SetMasterFields("ID");
        customers.Open();
        orders.Open();
    }

    std::vector<int> OrderNumbers() {
        std::vector<int> numbers;
        for (orders.First(); !orders.Eof(); orders.Next())
            numbers.push_back(orders.FieldByName("NO")->AsInteger());
        return numbers;
    }

    TMemoryDataSet customers;
    TDataSource source;
    TMemoryDataSet orders;
};

TEST_F(MasterDetailTest, TheDetailShowsTheRowsOfTheMastersRecordAsItMoves) {
    struct Step {
        int customer;
        std::vector<int> orders;
    };
    for (const Step& step : std::vector<Step>{{1, {10, 12, 14}}, {2, {11}}, {3, {13}}, {1, {10, 12, 14}}}) {
        SCOPED_TRACE(step.customer);
        ASSERT_TRUE(customers.Locate("ID", Variant(step.customer), {}));
        EXPECT_EQ(OrderNumbers(), step.orders);
    }
}

TEST_F(MasterDetailTest, AMasterMovePostsTheDetailsPendingEdit) {
    orders.Edit();
    orders.FieldByName("NO")->SetAsInteger(99);
    customers.Next();
    EXPECT_EQ(orders.State(), dsBrowse);
    EXPECT_EQ(orders.StoredRow(0)[0], Variant(99));
}

TEST_F(MasterDetailTest, TheMasterListsItsOpenDetails) {
    EXPECT_EQ(customers.GetDetailDataSets(), std::vector<TDataSet*>{&orders});
    orders.Close();
    EXPECT_TRUE(customers.GetDetailDataSets().empty());
}

TEST_F(MasterDetailTest, ALinkBackToItselfIsRefused) {
    TDataSource ordersSource;
    ordersSource.SetDataSet(&orders);
    try {
        customers.SetDataSource(&ordersSource);
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Customers: Circular datalinks are not allowed");
    }
    EXPECT_EQ(customers.GetDataSource(), nullptr);
}

TEST_F(MasterDetailTest, DataPropertiesAreFoundByName) {
    EXPECT_EQ(MasterSourceProperty(orders), &source);
    EXPECT_EQ(MasterSourceProperty(customers), nullptr);
    EXPECT_EQ(DataSetProperty(source), &customers);
    EXPECT_EQ(DataSetProperty(orders), nullptr);
    EXPECT_EQ(ComponentProperty(source, "Tag"), nullptr);
    EXPECT_EQ(ComponentProperty(source, "NoSuchProperty"), nullptr);
}

TEST(DataSetProperties, APlainDataSetRefusesAMasterSource) {
    struct Plain : TMemoryDataSet {
        void SetDataSource(TDataSource* value) override { TDataSet::SetDataSource(value); }
    } plain;
    TDataSource source;
    EXPECT_THROW(plain.SetDataSource(&source), EDatabaseError);
    EXPECT_NO_THROW(plain.SetDataSource(nullptr));
}

}  // namespace

namespace {

TEST(DataSourceLifetime, ASourceGoneBeforeItsDataSetLeavesItsList) {
    TMemoryDataSet ds;
    ds.SetColumns({"N"});
    ds.AddRow({1});
    ds.AddRow({2});
    ds.Open();
    {
        TDataSource source;
        source.SetDataSet(&ds);
    }
    // Each of these notifies the data sources; none may reach the one that went.
    ds.Next();
    ds.Close();
    EXPECT_FALSE(ds.Active());
}

}  // namespace
