#include "firebird_datasets/field_descr_list.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldDescrList, AddsDescriptorsTheCallerCompletes) {
    TFIBFieldDescrList list;
    list.SetCapacity(3);
    EXPECT_EQ(list.AddFieldDescr(448, 0, 40, true, false, true, false), 0);
    EXPECT_EQ(list.AddFieldDescr(496, -2, 4, false, false, false, false), 1);
    EXPECT_EQ(list.AddFieldDescr(452, 0, 8, false, true, false, true), 2);
    EXPECT_EQ(list.Capacity(), 3);
    list.GetDescr(0)->Offset = 12;
    const TFieldDescr& text = *list.GetDescr(0);
    EXPECT_EQ(text.SqlType, 448);
    EXPECT_TRUE(text.Nullable);
    EXPECT_TRUE(text.InStringStore);
    EXPECT_EQ(text.Offset, 12);
    EXPECT_EQ(text.StringIndex, 0);
    EXPECT_EQ(list.GetDescr(1)->Scale, -2);
    EXPECT_TRUE(list.GetDescr(2)->IsDBKey);
    EXPECT_TRUE(list.GetDescr(2)->IsGUID);
    EXPECT_THROW(list.GetDescr(3), EListError);
    EXPECT_THROW(list.GetDescr(-1), EListError);
    EXPECT_THROW(list.SetCapacity(2), EListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.GetDescr(0), EListError);
}

}  // namespace
