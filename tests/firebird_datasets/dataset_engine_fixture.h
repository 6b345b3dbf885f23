#pragma once
// Datasets over the embedded engine: one database file per test program, in the engine folder's
// temporary directory, with a table of every column type (ALL_TYPES, two rows: one of values, one
// of NULLs; the array of the first holds 7, 8, 9) and a table of 1000 numbered rows (NUMBERS: N 1..1000 and a
// text of varied length). Each test gets its own connection and a dataset on it.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "firebird/fib_array.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/float_format.h"
#include "tests/firebird/engine_database.h"

namespace dstest {

inline constexpr const char* kAllTypesTable =
    "CREATE TABLE ALL_TYPES ("
    " ID INTEGER NOT NULL PRIMARY KEY,"
    " SMALL_V SMALLINT, INT_V INTEGER, BIG_V BIGINT,"
    " NUM_V NUMERIC(18,4), MONEY_V NUMERIC(9,2), FINE_V NUMERIC(18,6),"
    " FLOAT_V FLOAT, DOUBLE_V DOUBLE PRECISION,"
    " DATE_V DATE, TIME_V TIME, TS_V TIMESTAMP,"
    " CHAR_V CHAR(20), SHORT_CHAR CHAR(5), VC_V VARCHAR(40), SHORT_VC VARCHAR(5),"
    " MEMO_V BLOB SUB_TYPE 1, BLOB_V BLOB SUB_TYPE 0,"
    " BOOL_V BOOLEAN, ARR_V INTEGER[3], GUID_V CHAR(16) CHARACTER SET OCTETS)";

inline constexpr const char* kAllTypesValues =
    "INSERT INTO ALL_TYPES VALUES (1, -12, 123456, 9000000000000000001,"
    " 12345678901234.5678, -1234567.89, 123456789012.345678,"
    " 1.5, 2.25,"
    " '2024-02-29', '10:00:00.5', '1999-12-31 23:59:58.25',"
    " 'fixed', 'abc', 'a varying text', 'xy',"
    " 'memo text', x'00FF10', TRUE, NULL, x'000102030405060708090A0B0C0D0E0F')";

inline constexpr const char* kAllTypesNulls = "INSERT INTO ALL_TYPES (ID) VALUES (2)";

inline constexpr const char* kNumbersTable = "CREATE TABLE NUMBERS (N INTEGER NOT NULL, NAME VARCHAR(40))";

inline constexpr const char* kNumbersRows =
    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN"
    " WHILE (I <= 1000) DO BEGIN"
    "  INSERT INTO NUMBERS VALUES (:I, 'row ' || :I || LEFT('..........................', MOD(:I, 27)));"
    "  I = I + 1;"
    " END END";

// Posts through the dataset's own statements the way a dataset with generated SQL would, committing
// each change.
class TStatementPostDataSet : public TFIBDataSet {
  public:
    using TFIBDataSet::TFIBDataSet;

  protected:
    void InternalPostRecord(TFIBQuery& statement, TRecordBuffer buffer) override {
        StartUpdateTransaction();
        SetParamsFromRecord(statement, buffer);
        statement.Execute();
        AutoCommitUpdate();
    }
};

class DatasetEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!File().empty())
            return;
        File() = fbtest::TEngineFolder::Get().CreateDatabase("datasets");
        fbtest::TConnection setup(File());
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        fbtest::ExecSQL(*setup.tr, kAllTypesTable);
        fbtest::ExecSQL(*setup.tr, kNumbersTable);
        setup.tr->Commit();
        setup.tr->StartTransaction();
        fbtest::ExecSQL(*setup.tr, kAllTypesValues);
        fbtest::ExecSQL(*setup.tr, kAllTypesNulls);
        fbtest::ExecSQL(*setup.tr, kNumbersRows);
        WriteArray(setup, VarArrayOf({7, 8, 9}));
        setup.tr->Commit();
    }

    // Puts the array slice into the first row's ARR_V.
    static void WriteArray(fbtest::TConnection& on, const Variant& values) {
        TObjectPtr<TFIBQuery> column = MakeComponent<TFIBQuery>(nullptr);
        column->SetDatabase(on.db.get());
        column->SetTransaction(on.tr.get());
        column->SQL().SetText("SELECT ARR_V FROM ALL_TYPES");
        column->Prepare();
        ISC_QUAD id{};
        column->GetFieldByIndex(0).ArrayInfo->SetArrayFromVariant(values, id, on.db->HandleAddress(),
                                                                  on.tr->HandleAddress());
        TObjectPtr<TFIBQuery> update = MakeComponent<TFIBQuery>(nullptr);
        update->SetDatabase(on.db.get());
        update->SetTransaction(on.tr.get());
        update->SQL().SetText("UPDATE ALL_TYPES SET ARR_V = :A WHERE ID = 1");
        update->Prepare();
        update->ParamByName("A").WriteAsQuad(id);
        update->Execute();
    }

    // Creates a table and fills it with its rows, each given as "(1, 'a', ...)", on a connection of
    // its own.
    static void CreateTable(const std::string& create, const std::string& table,
                            std::span<const char* const> rows) {
        fbtest::TConnection setup(File());
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        fbtest::ExecSQL(*setup.tr, create);
        setup.tr->Commit();
        setup.tr->StartTransaction();
        for (const char* row : rows) fbtest::ExecSQL(*setup.tr, "INSERT INTO " + table + " VALUES " + row);
        setup.tr->Commit();
    }

    // Runs a statement on the server from another connection, committed.
    static void ServerExec(const std::string& sql) {
        fbtest::TConnection writer(File());
        writer.db->SetConnected(true);
        writer.tr->StartTransaction();
        fbtest::ExecSQL(*writer.tr, sql);
        writer.tr->Commit();
    }

    // The select's rows as the server holds them, read through another connection.
    static std::vector<std::vector<Variant>> ServerSelect(const std::string& select) {
        fbtest::TConnection reader(File());
        reader.db->SetConnected(true);
        reader.tr->StartTransaction();
        TObjectPtr<TFIBQuery> q = MakeComponent<TFIBQuery>(nullptr);
        q->SetDatabase(reader.db.get());
        q->SetTransaction(reader.tr.get());
        q->GoToFirstRecordOnExecute = false;
        q->SQL().SetText(select);
        q->Execute();
        std::vector<std::vector<Variant>> rows;
        while (TFIBXSQLDA* row = q->Next()) {
            std::vector<Variant>& values = rows.emplace_back();
            for (int i = 0; i < row->Count(); ++i) values.push_back((*row)[i].ReadAsVariant());
        }
        q->Close();
        reader.tr->Commit();
        return rows;
    }

    void SetUp() override {
        SetNumberFormat({'.', ','});
        connection_ = std::make_unique<fbtest::TConnection>(File());
        connection_->db->SetConnected(true);
    }

    void TearDown() override {
        dataSet_.reset();
        connection_.reset();
        ReloadNumberFormat();
    }

    // A dataset of the test's connection over the select text; not yet open.
    template <class D = TFIBDataSet>
    D& DataSet(const std::string& select) {
        dataSet_.reset();
        TObjectPtr<D> made = MakeComponent<D>(nullptr);
        D& dataSet = *made;
        dataSet_.reset(made.release());
        dataSet.SetName("TestDS");
        dataSet.SetDatabase(connection_->db.get());
        dataSet.SetTransaction(connection_->tr.get());
        dataSet.SelectSQL().SetText(select);
        return dataSet;
    }

    TFIBDatabase& Database() { return *connection_->db; }
    TFIBTransaction& Transaction() { return *connection_->tr; }

    static std::string& File() {
        static std::string file;
        return file;
    }

    std::unique_ptr<fbtest::TConnection> connection_;
    TObjectPtr<TFIBDataSet> dataSet_;
};

}  // namespace dstest
