// Columns and their fields: binding by name once the data opens, letting go of a freed field,
// auto columns writing through to their fields, and moving an auto column moving its field.
#include <string>
#include <vector>

#include "platform/db/dataset.h"
#include "platform/db/typed_fields.h"
#include "tests/data_grid/column_fixture.h"

namespace {

std::vector<std::string> FieldOrder(const TDataSet& ds) {
    std::vector<std::string> names;
    for (int i = 0; i < ds.Fields().Count(); ++i) names.push_back(ds.Fields().Fields(i)->FieldName);
    return names;
}

TEST_F(ColumnsOverData, AFieldNameSetBeforeTheDataOpensBindsAtOpen) {
    grid->SetDataSource(source);
    TColumnEh* name = ColumnFor("name");
    EXPECT_EQ(name->Field(), nullptr);
    EXPECT_EQ(name->ResolveField(), nullptr);

    ds.Open();

    ASSERT_EQ(name->ResolveField(), ds.FieldByName("NAME"));
    EXPECT_EQ(name->FieldName(), "NAME");  // as the field spells it
    EXPECT_EQ(name->Title()->Caption(), "NAME");
    EXPECT_TRUE(name->WordWrap());
}

TEST_F(ColumnsOverData, AFreedFieldLeavesItsColumnUnbound) {
    OpenData();
    TColumnEh* name = ColumnFor("NAME");
    ASSERT_NE(name->Field(), nullptr);
    name->Field()->FreeNotification(grid);

    ds.Close();  // frees the dataset's own fields

    EXPECT_EQ(name->Field(), nullptr);
    EXPECT_EQ(name->FieldName(), "NAME");
    EXPECT_EQ(Columns().Count(), 1);
}

TEST_F(ColumnsOverData, AnAutoColumnWritesAlignmentReadOnlyAndCaptionToItsField) {
    OpenData();
    TColumnEh* column = Columns().AddAutoColumn();
    column->SetField(ds.FieldByName("ID"));
    TField* id = ds.FieldByName("ID");

    column->SetAlignment(taCenter);
    column->SetReadOnly(true);
    column->Title()->SetCaption("Number");

    EXPECT_EQ(id->Alignment, taCenter);
    EXPECT_TRUE(id->ReadOnly);
    EXPECT_EQ(id->DisplayLabel, "Number");
    EXPECT_TRUE(column->OwnValues().Empty());
    EXPECT_EQ(column->Alignment(), taCenter);
    EXPECT_EQ(column->Title()->Caption(), "Number");
    EXPECT_FALSE(Columns().IsCustomized());
}

TEST_F(ColumnsOverData, MovingAnAutoColumnReordersTheDatasetsFields) {
    OpenData();
    for (const char* name : {"ID", "PAID", "NAME"}) {
        ASSERT_TRUE(grid->DataLink()->MapField(name));
        Columns().AddAutoColumn()->SetField(ds.FieldByName(name));
    }

    Columns().ColumnAt(2)->SetIndex(0);

    EXPECT_EQ(FieldOrder(ds), (std::vector<std::string>{"NAME", "ID", "PAID"}));
    EXPECT_EQ(Columns().ColumnAt(0)->FieldName(), "NAME");
}

TEST_F(ColumnsOverData, AnAutoColumnSizedToMinusOneKeepsItsFieldsDisplayWidth) {
    OpenData();
    TColumnEh* column = Columns().AddAutoColumn();
    column->SetField(ds.FieldByName("NAME"));
    ASSERT_EQ(ds.FieldByName("NAME")->DisplayWidth(), 20);

    column->SetWidth(-1);
    EXPECT_EQ(ds.FieldByName("NAME")->DisplayWidth(), 20);

    column->SetWidth(WidthOfDigits(6));
    EXPECT_EQ(ds.FieldByName("NAME")->DisplayWidth(), 6);
}

}  // namespace
