// TpFIBDataSet's stored form: what it adds to the core's, written and read back, defaults left out.
#include <gtest/gtest.h>

#include <string>

#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/form_stream.h"

namespace {

TClassRegistry Classes() {
    TClassRegistry classes;
    classes.RegisterClass<TpFIBDataSet>("TpFIBDataSet");
    return classes;
}

TEST(PFIBDataSetStoredForm, ItsOwnSettingsComeBack) {
    TObjectPtr<TpFIBDataSet> ds = MakeComponent<TpFIBDataSet>(nullptr);
    ds->SetName("Visits");
    ds->SelectSQL().SetText("SELECT ID, NAME FROM VISITS");
    ds->AutoUpdateOptions().SetUpdateTableName("VISITS");
    ds->AutoUpdateOptions().SetKeyFields("ID");
    ds->DefaultFormats().SetNumericDisplayFormat("#,##0.000");
    ds->SetAllowedUpdateKinds({ukModify});
    ds->SetDataSet_ID(7);
    ds->SetDescription("Приёмы за день");
    ds->ReceiveEvents().Add("REFRESH_VISITS");
    ds->ReceiveEvents().Add("CLOSE");
    ds->SetFiltered(true);
    const std::string text = ComponentToText(*ds);

    TObjectPtr<TComponent> read = TextToComponent(text, Classes());
    auto* copy = dynamic_cast<TpFIBDataSet*>(read.get());
    ASSERT_NE(copy, nullptr) << text;
    EXPECT_EQ(copy->AutoUpdateOptions().UpdateTableName(), "VISITS");
    EXPECT_EQ(copy->AutoUpdateOptions().KeyFields(), "ID");
    EXPECT_EQ(copy->DefaultFormats().NumericDisplayFormat(), "#,##0.000");
    EXPECT_EQ(copy->AllowedUpdateKinds(), TUpdateKinds{ukModify});
    EXPECT_EQ(copy->DataSet_ID(), 7);
    EXPECT_EQ(copy->Description(), "Приёмы за день");
    EXPECT_EQ(copy->ReceiveEvents().Count(), 2);
    EXPECT_EQ(copy->ReceiveEvents().Get(1), "CLOSE");
    EXPECT_TRUE(copy->Filtered());
    EXPECT_EQ(copy->PrepareOptions(), ds->PrepareOptions());
}

TEST(PFIBDataSetStoredForm, DefaultsAreLeftOut) {
    TObjectPtr<TpFIBDataSet> ds = MakeComponent<TpFIBDataSet>(nullptr);
    ds->SetName("Plain");
    const std::string text = ComponentToText(*ds);
    for (const char* name :
         {"AllowedUpdateKinds", "Container", "DataSet_ID", "Description", "Filtered", "ReceiveEvents"})
        EXPECT_EQ(text.find(std::string(name) + " ="), std::string::npos) << name << "\n" << text;
}

}  // namespace
