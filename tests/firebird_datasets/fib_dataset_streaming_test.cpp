// A dataset's stored form: its texts, sets and settings written and read back.
#include <gtest/gtest.h>

#include <string>

#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/strings.h"

namespace {

TEST(DataSetStoredForm, TextsSetsAndSettingsComeBack) {
    TObjectPtr<TFIBDataSet> ds = MakeComponent<TFIBDataSet>(nullptr);
    ds->SetName("Patients");
    ds->SelectSQL().SetText("SELECT ID, NAME\nFROM PATIENTS");
    ds->RefreshSQL().SetText("SELECT NAME FROM PATIENTS WHERE ID = :ID");
    ds->SetBufferChunks(50);
    ds->SetCachedUpdates(true);
    ds->SetOptions(ds->Options() + TpFIBDsOptions{poFetchAll} - TpFIBDsOptions{poAutoFormatFields});
    ds->SetPrepareOptions(ds->PrepareOptions() - TpPrepareOptions{psGetOrderInfo} +
                          TpPrepareOptions{psSQLINT64ToBCD});
    ds->SetUpdateRecordTypes({cusUnmodified, cusDeleted});
    ds->SetRefreshTransactionKind(tkUpdateTransaction);
    ds->SetSQLScreenCursor(-11);
    const std::string text = ComponentToText(*ds);
    EXPECT_EQ(text.find("Active"), std::string::npos) << text;

    TClassRegistry classes;
    classes.RegisterClass<TFIBDataSet>("TFIBDataSet");
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto* copy = dynamic_cast<TFIBDataSet*>(read.get());
    ASSERT_NE(copy, nullptr) << text;
    EXPECT_EQ(Trim(copy->SelectSQL().Text()), Trim(ds->SelectSQL().Text()));
    EXPECT_EQ(Trim(copy->RefreshSQL().Text()), Trim(ds->RefreshSQL().Text()));
    EXPECT_EQ(copy->BufferChunks(), 50);
    EXPECT_TRUE(copy->CachedUpdates());
    EXPECT_EQ(copy->Options(), ds->Options());
    EXPECT_EQ(copy->PrepareOptions(), ds->PrepareOptions());
    EXPECT_EQ(copy->UpdateRecordTypes(), ds->UpdateRecordTypes());
    EXPECT_EQ(copy->RefreshTransactionKind(), tkUpdateTransaction);
    EXPECT_EQ(copy->SQLScreenCursor(), -11);
    EXPECT_FALSE(copy->Active());
}

TEST(DataSetStoredForm, DefaultsAreLeftOut) {
    TObjectPtr<TFIBDataSet> ds = MakeComponent<TFIBDataSet>(nullptr);
    ds->SetName("Plain");
    const std::string text = ComponentToText(*ds);
    for (const char* name : {"BufferChunks", "CachedUpdates", "UniDirectional", "Options", "PrepareOptions",
                             "UpdateRecordTypes", "RefreshTransactionKind", "SQLScreenCursor", "SelectSQL"})
        EXPECT_EQ(text.find(std::string(name) + " ="), std::string::npos) << name << "\n" << text;
}

}  // namespace
