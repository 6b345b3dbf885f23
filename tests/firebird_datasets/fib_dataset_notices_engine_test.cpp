// The dataset's links to its transactions and database, its notices to controls and handlers,
// its parameters and fields seen by name, and what it tells about its fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "firebird/fib_errors.h"
#include "platform/db/data_source.h"
#include "platform/os/clock.h"
#include "platform/rtl/runtime.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

// Lets fields change, so values can be written into the record buffer and read back.
class TEditableDataSet : public TFIBDataSet {
  public:
    using TFIBDataSet::TFIBDataSet;
    bool CanEdit() const override { return true; }
};

class NoticesOnEngine : public dstest::DatasetEngine {
  protected:
    static int N(TDataSet& ds) { return ds.FieldByName("N")->AsInteger(); }
};

TEST_F(NoticesOnEngine, CommitClosesTheDatasetUnlessCachedUpdatesKeepTheRows) {
    for (bool cached : {false, true}) {
        SCOPED_TRACE(cached);
        auto& ds = DataSet("SELECT N, NAME FROM NUMBERS ORDER BY N");
        ds.SetCachedUpdates(cached);
        std::vector<std::string> heard;
        ds.BeforeEndTransaction = [&](TFIBTransaction*, TTransactionAction, bool) {
            heard.push_back("before");
        };
        ds.TransactionEnding = [&](TObject*) { heard.push_back("ending"); };
        ds.TransactionEnded = [&](TObject*) { heard.push_back("ended"); };
        ds.AfterEndTransaction = [&](TFIBTransaction*, TTransactionAction, bool) {
            heard.push_back("after");
        };
        ds.Open();
        ds.MoveBy(9);
        Transaction().CommitRetaining();
        EXPECT_TRUE(ds.Active());
        Transaction().Commit();
        EXPECT_EQ(ds.Active(), cached);
        EXPECT_EQ(heard, (std::vector<std::string>{"ending", "before", "ended", "after", "ending", "before",
                                                   "ended", "after"}));
        if (!cached)
            continue;
        EXPECT_EQ(ds.FetchedCount(), 1000);
        EXPECT_FALSE(ds.QSelect().Open());
        EXPECT_EQ(N(ds), 10);
        ds.Last();
        EXPECT_EQ(N(ds), 1000);
        EXPECT_EQ(ds.FieldByName("NAME")->AsString().substr(0, 8), "row 1000");
    }
}

TEST_F(NoticesOnEngine, DisconnectingClosesAndForgetsThePreparedStatements) {
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    std::vector<std::string> heard;
    ds.DatabaseDisconnecting = [&](TObject*) { heard.push_back("disconnecting"); };
    ds.DatabaseDisconnected = [&](TObject*) { heard.push_back("disconnected"); };
    ds.Open();
    ASSERT_TRUE(ds.Prepared());
    Database().SetConnected(false);
    EXPECT_FALSE(ds.Active());
    EXPECT_FALSE(ds.Prepared());
    EXPECT_EQ(heard, (std::vector<std::string>{"disconnecting", "disconnected"}));
    Database().SetConnected(true);
    ds.Open();
    EXPECT_EQ(ds.RecordCount() > 0, true);
}

TEST_F(NoticesOnEngine, UpdateTransactionHandlersFollowTheTransaction) {
    TObjectPtr<TFIBTransaction> first = MakeComponent<TFIBTransaction>(nullptr);
    TObjectPtr<TFIBTransaction> second = MakeComponent<TFIBTransaction>(nullptr);
    for (TFIBTransaction* tr : {first.get(), second.get()}) tr->SetDefaultDatabase(&Database());
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    int starts = 0;
    ds.BeforeStartUpdateTransaction = [&](TObject*) { ++starts; };
    ds.SetUpdateTransaction(first.get());
    EXPECT_EQ(ds.UpdateTransaction(), first.get());
    EXPECT_EQ(ds.QInsert().Transaction(), first.get());
    EXPECT_EQ(ds.QRefresh().Transaction(), &Transaction());
    ds.SetRefreshTransactionKind(tkUpdateTransaction);
    EXPECT_EQ(ds.QRefresh().Transaction(), first.get());
    ds.SetUpdateTransaction(second.get());
    EXPECT_EQ(ds.QRefresh().Transaction(), second.get());
    first->StartTransaction();
    EXPECT_EQ(starts, 0);
    second->StartTransaction();
    EXPECT_EQ(starts, 1);
    first->Commit();
    second->Commit();
}

TEST_F(NoticesOnEngine, ReadTransactionSharedWithUpdatesMovesBoth) {
    TObjectPtr<TFIBTransaction> other = MakeComponent<TFIBTransaction>(nullptr);
    other->SetDefaultDatabase(&Database());
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    ds.SetUpdateTransaction(&Transaction());
    ds.SetTransaction(other.get());
    for (TFIBQuery* q : {&ds.QSelect(), &ds.QRefresh(), &ds.QInsert(), &ds.QUpdate(), &ds.QDelete()})
        EXPECT_EQ(q->Transaction(), other.get()) << q->Name();
    int starts = 0;
    ds.BeforeStartTransaction = [&](TObject*) { ++starts; };
    ds.BeforeStartUpdateTransaction = [&](TObject*) { ++starts; };
    Transaction().StartTransaction();
    EXPECT_EQ(starts, 0);
    other->StartTransaction();
    EXPECT_EQ(starts, 2);
    other->Commit();
    Transaction().Commit();
}

TEST_F(NoticesOnEngine, TransactionTakenFromTheDatabaseTellsTheDataset) {
    Database().SetDefaultTransaction(&Transaction());
    TObjectPtr<TFIBDataSet> ds = MakeComponent<TFIBDataSet>(nullptr);
    ds->SetDatabase(&Database());
    ASSERT_EQ(ds->Transaction(), &Transaction());
    std::vector<std::string> heard;
    ds->BeforeStartTransaction = [&](TObject*) { heard.push_back("read"); };
    ds->BeforeStartUpdateTransaction = [&](TObject*) { heard.push_back("update"); };
    ds->SelectSQL().SetText("SELECT N FROM NUMBERS");
    ds->Open();
    std::sort(heard.begin(), heard.end());
    EXPECT_EQ(heard, (std::vector<std::string>{"read", "update"}));
    ds.reset();
    heard.clear();
    Transaction().Commit();
    Transaction().StartTransaction();
    EXPECT_TRUE(heard.empty());
    Transaction().Commit();
}

TEST_F(NoticesOnEngine, FreeingTheTransactionFirstLeavesTheDatasetWhole) {
    TObjectPtr<TFIBTransaction> own = MakeComponent<TFIBTransaction>(nullptr);
    own->SetDefaultDatabase(&Database());
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    ds.SetTransaction(own.get());
    ds.SetUpdateTransaction(own.get());
    int freed = 0;
    ds.TransactionFree = [&](TObject*) { ++freed; };
    ds.Open();
    own.reset();
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.Transaction(), nullptr);
    EXPECT_EQ(ds.UpdateTransaction(), nullptr);
    ds.SetTransaction(&Transaction());
    ds.Open();
    EXPECT_TRUE(ds.Active());
    dataSet_.reset();
}

TEST_F(NoticesOnEngine, DatabaseDefaultUpdateTransactionIsTaken) {
    TObjectPtr<TFIBTransaction> updates = MakeComponent<TFIBTransaction>(nullptr);
    Database().SetDefaultUpdateTransaction(updates.get());
    TObjectPtr<TFIBDataSet> ds = MakeComponent<TFIBDataSet>(nullptr);
    ds->SetDatabase(&Database());
    EXPECT_EQ(ds->UpdateTransaction(), updates.get());
    Database().SetDefaultUpdateTransaction(nullptr);
}

TEST_F(NoticesOnEngine, OwnerDatabaseOrTransactionIsTaken) {
    TFIBDataSet* onDatabase = NewComponent<TFIBDataSet>(&Database());
    EXPECT_EQ(onDatabase->Database(), &Database());
    TFIBDataSet* onTransaction = NewComponent<TFIBDataSet>(&Transaction());
    EXPECT_EQ(onTransaction->Transaction(), &Transaction());
    EXPECT_EQ(onTransaction->QSelect().Name(), "SelectQuery");
    EXPECT_EQ(onTransaction->BufferChunks(), 32);
    EXPECT_EQ(onTransaction->Options(),
              (TpFIBDsOptions{poTrimCharFields, poRefreshAfterPost, poStartTransaction, poAutoFormatFields}));
    EXPECT_EQ(onTransaction->PrepareOptions(),
              (TpPrepareOptions{pfImportDefaultValues, psUseBooleanField, psGetOrderInfo}));
    EXPECT_EQ(onTransaction->UpdateRecordTypes(),
              (TFIBUpdateRecordTypes{cusUnmodified, cusModified, cusInserted}));
}

TEST_F(NoticesOnEngine, ControlsNoticesAndFieldChanges) {
    auto& ds = DataSet<TEditableDataSet>("SELECT N, NAME FROM NUMBERS ORDER BY N");
    std::vector<std::string> heard;
    ds.OnDisableControls = [&](TDataSet*) { heard.push_back("disable"); };
    ds.OnEnableControls = [&](TDataSet*) { heard.push_back("enable"); };
    ds.OnFieldChange = [&](TField* field) { heard.push_back("change " + field->FieldName); };
    ds.Open();
    ds.DisableControls();
    ds.Next();
    ds.Next();
    ds.EnableControls();
    ds.Next();
    ds.Next();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("changed");
    EXPECT_EQ(heard, (std::vector<std::string>{"disable", "enable", "change NAME"}));
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "changed");
    EXPECT_EQ(ds.FieldByName("NAME")->OldValue().AsString(), "row 5.....");
    EXPECT_EQ(ds.CachedUpdateStatus(), cusModified);
    EXPECT_EQ(ds.CachedChangeCount(), 1);
    ds.FieldByName("N")->Clear();
    EXPECT_TRUE(ds.FieldByName("N")->IsNull());
    ds.Cancel();
    EXPECT_EQ(N(ds), 5);
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "row 5.....");
}

TEST_F(NoticesOnEngine, EmptyTextIsStoredAsNullWhenTheFieldAsks) {
    auto& ds = DataSet<TEditableDataSet>("SELECT NAME FROM NUMBERS ORDER BY N");
    ds.Open();
    auto* name = dynamic_cast<TFIBstringField*>(ds.FieldByName("NAME"));
    ASSERT_NE(name, nullptr);
    ds.Edit();
    for (bool toNull : {true, false}) {
        name->SetEmptyStrToNull(toNull);
        name->SetAsString("");
        EXPECT_EQ(name->IsNull(), toNull);
    }
    ds.Cancel();
}

TEST_F(NoticesOnEngine, EndScrollFiresOnceScrollingRests) {
    platform::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    auto& ds = DataSet("SELECT N FROM NUMBERS ORDER BY N");
    int ends = 0;
    ds.SetOnEndScroll([&](TDataSet*) { ++ends; });
    ds.Open();
    auto wait = [&](int ms) {
        clock.Advance(ms);
        platform::Runtime().Timers.ProcessDueTimers();
    };
    ds.Next();
    wait(200);
    ds.Next();
    wait(200);
    EXPECT_EQ(ends, 0);
    wait(100);
    EXPECT_EQ(ends, 1);
    wait(1000);
    EXPECT_EQ(ends, 1);
    ds.SetOnEndScroll(nullptr);
    ds.Next();
    wait(1000);
    EXPECT_EQ(ends, 1);
}

TEST_F(NoticesOnEngine, InternalUpdateSilencesScrollEvents) {
    auto& ds = DataSet("SELECT N FROM NUMBERS ORDER BY N");
    int scrolls = 0;
    ds.BeforeScroll = [&](TDataSet*) { ++scrolls; };
    ds.AfterScroll = [&](TDataSet*) { ++scrolls; };
    ds.Open();
    scrolls = 0;
    ds.BeginInternalUpdate();
    ds.Next();
    EXPECT_EQ(scrolls, 0);
    ds.EndInternalUpdate();
    ds.EndInternalUpdate();  // never below zero
    EXPECT_FALSE(ds.InInternalUpdate());
    ds.Next();
    EXPECT_EQ(scrolls, 2);
}

TEST_F(NoticesOnEngine, ParametersAndFieldsByNameAndIndex) {
    auto& ds = DataSet("SELECT N, NAME FROM NUMBERS WHERE N > :LOW ORDER BY N");
    IParamFieldAccess& access = ds;
    ASSERT_EQ(access.GetParamCount(), 1);
    EXPECT_EQ(access.GetParamName(0), "LOW");
    int index = -1;
    EXPECT_TRUE(access.FindParamIndex("LOW", index));
    EXPECT_EQ(index, 0);
    access.SetParamValue(0, 990);
    EXPECT_EQ(access.GetParamValueByName("LOW").AsInteger(), 990);
    ds.Open();
    EXPECT_EQ(access.GetFieldCount(), 2);
    EXPECT_TRUE(access.FindFieldIndex("NAME", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(access.FindFieldIndex("MISSING", index));
    EXPECT_EQ(access.GetFieldValueByName("N").AsInteger(), 991);
    EXPECT_EQ(access.GetFieldValue(0).AsInteger(), 991);
    ds.Last();
    EXPECT_EQ(ds.RecordCount(), 10);
}

TEST_F(NoticesOnEngine, FieldInformationFromTheSelectColumns) {
    auto& ds = DataSet("SELECT N AS NUM, MONEY_V FROM ALL_TYPES, NUMBERS WHERE N = ID");
    auto* calculated = new TFIBIntegerField(&ds);
    calculated->FieldName = "CALC";
    calculated->FieldKind = fkCalculated;
    calculated->SetDataSet(&ds);
    for (const char* name : {"NUM", "MONEY_V"}) {
        auto* field = name == std::string("NUM") ? static_cast<TField*>(new TFIBIntegerField(&ds))
                                                 : static_cast<TField*>(new TFIBFloatField(&ds));
        field->FieldName = name;
        field->SetDataSet(&ds);
    }
    TField* num = ds.FieldByName("NUM");
    EXPECT_EQ(ds.GetSQLFieldName(num), "N");  // prepares on demand
    EXPECT_EQ(ds.GetRelationName(num), "NUMBERS");
    EXPECT_EQ(ds.GetFieldScale(ds.FieldByName("MONEY_V")), -2);
    EXPECT_EQ(ds.GetRelationName(calculated), "CALCULATED");
    EXPECT_EQ(ds.GetSQLFieldName(calculated), "CALC");
    EXPECT_EQ(ds.GetFieldScale(calculated), 100);
    const TFieldDef* def = ds.FieldDefs().Find("MONEY_V");
    EXPECT_EQ(ds.GetDefRelationName(def), "ALL_TYPES");
    EXPECT_EQ(ds.GetDefSQLFieldName(def), "MONEY_V");
    EXPECT_EQ(ds.GetDefScale(def), -2);
    ds.OnCalcFields = [](TDataSet* sender) {
        sender->FieldByName("CALC")->SetAsInteger(sender->FieldByName("NUM")->AsInteger() * 10);
    };
    ds.Open();
    EXPECT_EQ(ds.FieldByName("CALC")->AsInteger(), 10);
    ds.Next();
    EXPECT_EQ(ds.FieldByName("CALC")->AsInteger(), 20);
}

TEST_F(NoticesOnEngine, DateTimeFieldsMustMatchTheirColumnsExactly) {
    auto& ds = DataSet("SELECT TS_V FROM ALL_TYPES");
    auto* date = new TFIBDateField(&ds);
    date->FieldName = "TS_V";
    date->SetDataSet(&ds);
    try {
        ds.Open();
        FAIL() << "a date field opened over a timestamp";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("Type mismatch for field 'TS_V'"), std::string::npos)
            << e.what();
    }
}

TEST_F(NoticesOnEngine, TypeOptionsRebuildTheDefinitionsAndWaitForClosing) {
    auto& ds = DataSet("SELECT FINE_V FROM ALL_TYPES");
    ds.FieldDefs().Update();
    EXPECT_EQ(ds.FieldDefs().Find("FINE_V")->DataType, ftFloat);
    ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psSQLINT64ToBCD});
    EXPECT_EQ(ds.FieldDefs().Find("FINE_V")->DataType, ftBCD);
    ds.Open();
    try {
        ds.SetPrepareOptions(ds.PrepareOptions() - TpPrepareOptions{psUseBooleanField});
        FAIL() << "changed a type option while open";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceDatasetOpen);
    }
    ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psAskRecordCount});
    EXPECT_TRUE(ds.PrepareOptions().Contains(psAskRecordCount));
}

TEST_F(NoticesOnEngine, ACircleOfDataSourcesIsRefused) {
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    TObjectPtr<TDataSource> source = MakeComponent<TDataSource>(nullptr);
    source->SetDataSet(&ds);
    try {
        ds.SetDataSource(source.get());
        FAIL() << "the dataset became its own master";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceCircularReference);
    }
    EXPECT_EQ(ds.GetDataSource(), nullptr);
}

}  // namespace
