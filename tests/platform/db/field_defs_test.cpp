// Field definitions: taken from the dataset on demand, numbered, found by name.
#include <gtest/gtest.h>

#include "platform/db/field_type.h"
#include "tests/platform/db/recording_dataset.h"

namespace {

TEST(FieldDefs, AreReadFromTheDataSetOnceAndNumberedFromOne) {
    TRecordingDataSet ds(1);
    ds.SetColumns({"ID", "Name"});
    EXPECT_FALSE(ds.FieldDefs().Updated());
    ds.FieldDefs().Update();
    ASSERT_EQ(ds.FieldDefs().Count(), 2);
    EXPECT_EQ(ds.FieldDefs().Items(1)->Name, "Name");
    EXPECT_EQ(ds.FieldDefs().Items(1)->FieldNo(), 2);
    EXPECT_EQ(ds.FieldDefs().Items(1)->DataType, ftVariant);
    EXPECT_EQ(ds.FieldDefs().Find("name"), ds.FieldDefs().Items(1));
    ds.FieldDefs().Delete(0);
    EXPECT_EQ(ds.FieldDefs().Items(0)->FieldNo(), 1);
    ds.FieldDefs().Update();  // still current: not read again
    EXPECT_EQ(ds.FieldDefs().Count(), 1);
}

TEST(FieldDefs, AMissingNameIsAnError) {
    TRecordingDataSet ds(1);
    ds.SetName("People");
    ds.FieldDefs().Update();
    EXPECT_EQ(ds.FieldDefs().FindDef("Age"), nullptr);
    EXPECT_EQ(ds.FieldDefs().IndexOf("Age"), -1);
    try {
        ds.FieldDefs().Find("Age");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "People: Field 'Age' not found");
    }
}

TEST(FieldTypes, KeepTheirStoredOrdinals) {
    EXPECT_EQ(ftString, 1);
    EXPECT_EQ(ftAutoInc, 14);
    EXPECT_EQ(ftWideString, 24);
    EXPECT_EQ(ftGuid, 35);
    EXPECT_EQ(ftFMTBcd, 37);
    EXPECT_EQ(FieldTypeName(ftLargeint), "Largeint");
    EXPECT_EQ(FieldTypeName(ftFMTBcd), "FMTBcd");
}

}  // namespace
