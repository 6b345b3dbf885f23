// A grid's columns through its stored form and through the property-storage interceptors the grid
// registers: only what the user set and what differs from its fallback is written, the stored
// order by field name comes back, and a stored width becomes the initial width of an auto-fitting
// grid.
#include <string>

#include "data_controls/property_interceptor.h"
#include "data_grid/column_interceptors.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/string_list.h"
#include "tests/data_grid/column_fixture.h"

namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Writes a value into the target's interceptor, as a storage facility restoring it would.
void RestoreThroughInterceptor(TPersistent& target, const char* property, const TPropValue& value) {
    const TPropertyInterceptorClass* kind = PropertyInterceptors().InterceptorClassFor(target);
    ASSERT_NE(kind, nullptr);
    std::unique_ptr<TStoragePropertyInterceptor> interceptor = kind->Create(&target);
    ASSERT_TRUE(interceptor->InterceptsReading());
    const TPropInfo* info = interceptor->PublishedProperties().Find(property);
    ASSERT_NE(info, nullptr);
    info->Set(*interceptor, value);
    interceptor->AfterPropertiesRead();
}

std::string ReadStoredOrder(TPersistent& target) {
    auto interceptor = PropertyInterceptors().InterceptorClassFor(target)->Create(&target);
    return std::get<std::string>(interceptor->PublishedProperties().Find("ColumnsIndex")->Get(*interceptor));
}

TEST_F(ColumnsOverData, OnlySetValuesUnlikeTheirFallbackAreWrittenAndReadBack) {
    OpenData();
    TColumnEh* id = ColumnFor("ID");
    id->SetWidth(120);
    id->SetColor(grid->Color());  // the same as the fallback
    TColumnEh* name = ColumnFor("NAME");
    name->Title()->SetCaption("Surname");
    name->SetReadOnly(true);
    name->PickList()->Add("Ivanov");
    TColumnEh* paid = ColumnFor("PAID");
    paid->SetCheckboxes(true);

    const std::string text = ComponentToText(*grid);

    EXPECT_TRUE(Has(text, "FieldName = 'ID'")) << text;
    EXPECT_TRUE(Has(text, "Width = 120")) << text;
    EXPECT_FALSE(Has(text, "Color")) << text;
    EXPECT_TRUE(Has(text, "Title.Caption = 'Surname'")) << text;
    EXPECT_TRUE(Has(text, "ReadOnly = True")) << text;
    EXPECT_TRUE(Has(text, "Checkboxes = True")) << text;
    EXPECT_TRUE(Has(text, "PickList.Strings")) << text;
    EXPECT_FALSE(Has(text, "Alignment")) << text;
    EXPECT_FALSE(Has(text, "DropDownRows")) << text;

    auto copy = MakeComponent<ColumnsTestGrid>(nullptr);
    TReader(text).ReadRootComponent(*copy);
    TDBGridColumnsEh& read = copy->GridColumns();
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.ColumnAt(0)->Width(), 120);
    EXPECT_EQ(read.ColumnAt(1)->Title()->Caption(), "Surname");
    EXPECT_TRUE(read.ColumnAt(1)->ReadOnly());
    EXPECT_EQ(read.ColumnAt(1)->PickList()->Count(), 1);
    EXPECT_TRUE(read.ColumnAt(2)->OwnValues().Contains(ovCheckboxes));
    EXPECT_EQ(ComponentToText(*copy), text);
}

TEST_F(ColumnsOverData, ColumnsMadeFromTheFieldsAreNotWritten) {
    OpenData();
    for (const char* name : {"ID", "NAME"}) Columns().AddAutoColumn()->SetField(ds.FieldByName(name));
    EXPECT_FALSE(Has(ComponentToText(*grid), "Columns"));
}

TEST_F(ColumnsOverData, TheStoredOrderAndWidthsComeBackThroughTheInterceptors) {
    OpenData();
    for (const char* name : {"ID", "PAID", "NAME"}) ColumnFor(name);
    Columns().ColumnAt(2)->SetIndex(0);
    const std::string order = ReadStoredOrder(Columns());
    EXPECT_EQ(order, R"("NAME","ID","PAID")");

    auto restored = MakeComponent<ColumnsTestGrid>(nullptr);
    for (const char* name : {"ID", "PAID", "NAME"}) restored->GridColumns().Add()->SetFieldName(name);
    RestoreThroughInterceptor(restored->GridColumns(), "ColumnsIndex", order);
    EXPECT_EQ(restored->GridColumns().ColumnsIndex(), order);

    TColumnEh* first = restored->GridColumns().ColumnAt(0);
    RestoreThroughInterceptor(*first, "Width", std::int64_t{77});
    EXPECT_EQ(first->Width(), 77);
    restored->SetAutoFitColWidths(true);
    RestoreThroughInterceptor(*first, "Width", std::int64_t{140});
    EXPECT_EQ(first->InitialWidth(), 140);
    EXPECT_EQ(first->Width(), 77);
}

}  // namespace
