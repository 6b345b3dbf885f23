// A dataset reached through a published data-source property, and image-list colours.
#include <gtest/gtest.h>

#include "data_controls/data_source_property.h"
#include "data_controls/image_list_color.h"
#include "platform/db/data_source.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/published_properties.h"
#include "tests/support/memory_dataset.h"

namespace {

TPropInfo MasterSourceProperty() {
    TPropInfo info;
    info.Name = "MasterSource";
    info.Kind = pkComponent;
    return info;
}

TEST(DataSourcePropDataSet, OnlyADataSourceGivesItsDataset) {
    TMemoryDataSet master;
    TDataSource source;
    source.SetDataSet(&master);
    TDataSource detail;  // its published "DataSet" holds a dataset, not a source
    detail.SetDataSet(&master);
    TPropInfo holdsSource = MasterSourceProperty();
    holdsSource.Get = [&](const TPersistent&) { return TPropValue(static_cast<TPersistent*>(&source)); };
    TPropInfo holdsDataset = MasterSourceProperty();
    holdsDataset.Get = [&](const TPersistent&) { return TPropValue(static_cast<TPersistent*>(&master)); };
    TPropInfo holdsNothing = MasterSourceProperty();
    holdsNothing.Get = [](const TPersistent&) { return TPropValue(static_cast<TPersistent*>(nullptr)); };
    TPropInfo fails = MasterSourceProperty();
    fails.Get = [](const TPersistent&) -> TPropValue { throw Exception("unreadable"); };
    EXPECT_EQ(DataSourcePropDataSet(detail, holdsSource), &master);
    EXPECT_EQ(DataSourcePropDataSet(detail, holdsDataset), nullptr);
    EXPECT_EQ(DataSourcePropDataSet(detail, holdsNothing), nullptr);
    EXPECT_EQ(DataSourcePropDataSet(detail, fails), nullptr);
    detail.SetDataSet(nullptr);
    source.SetDataSet(nullptr);
    master.BeforeDestruction();
}

TEST(ImageListColor, NoneAndDefaultKeepTheirMeaning) {
    EXPECT_EQ(ImageListColor(clNone), CLR_NONE);
    EXPECT_EQ(ImageListColor(clDefault), CLR_DEFAULT);
    EXPECT_EQ(ImageListColor(clRed), static_cast<COLORREF>(ColorToRGB(clRed)));
    EXPECT_EQ(RectExtent(Rect(3, 4, 10, 20)), (TSize{7, 16}));
}

}  // namespace
