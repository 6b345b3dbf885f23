#pragma once
// Datasets that write their own modify statements, over the embedded engine: a CLIENTS table
// rebuilt for every test, the metadata caches the generation reads, and a second connection that
// reads and changes what the server holds.
#include <memory>
#include <string>
#include <vector>

#include "firebird/cached_queries.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace gentest {

class GeneratedSQLEngine : public dstest::DatasetEngine {
  protected:
    void SetUp() override {
        DatasetEngine::SetUp();
        Exec({"RECREATE TABLE CLIENTS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20), PHONE VARCHAR(20))",
              "INSERT INTO CLIENTS VALUES (1, 'Ann', '111')", "INSERT INTO CLIENTS VALUES (2, 'Bob', NULL)",
              "INSERT INTO CLIENTS VALUES (3, 'Cid', '333')"});
    }

    void TearDown() override {
        dataSet_.reset();
        repository_.reset();
        queries_.reset();
        DatasetEngine::TearDown();
    }

    // Statements committed one by one on the test's connection, so later ones see earlier ones.
    void Exec(const std::vector<std::string>& statements) {
        for (const std::string& sql : statements) {
            Transaction().StartTransaction();
            fbtest::ExecSQL(Transaction(), sql);
            Transaction().Commit();
        }
    }

    // A dataset over the select with the metadata caches, updating the table by the keys and
    // committing each change.
    TpFIBDataSet& Clients(const std::string& select = "SELECT ID, NAME, PHONE FROM CLIENTS ORDER BY ID",
                          const std::string& table = "CLIENTS", const std::string& keys = "ID") {
        auto& ds = DataSet<TpFIBDataSet>(select);
        ds.SetColumnRepository(repository_.get());
        ds.SetUpdateTransaction(&Transaction());
        ds.SetAutoCommit(true);
        ds.AutoUpdateOptions().SetUpdateTableName(table);
        ds.AutoUpdateOptions().SetKeyFields(keys);
        return ds;
    }

    // The rows as "col|col|..." (NULL as "-"), read through a connection of its own.
    std::vector<std::string> ServerRows(
        const std::string& select = "SELECT ID, NAME, PHONE FROM CLIENTS ORDER BY ID") {
        std::vector<std::string> rows;
        for (const auto& row : ServerSelect(select)) {
            std::string text;
            for (std::size_t i = 0; i < row.size(); ++i)
                text += (i > 0 ? "|" : "") + (row[i].IsNull() ? std::string("-") : row[i].AsString());
            rows.push_back(text);
        }
        return rows;
    }

    TObjectPtr<TCacheList> queries_ = MakeComponent<TCacheList>(nullptr);
    TObjectPtr<TpFIBRepository> repository_ = MakeComponent<TpFIBRepository>(*queries_);
};

}  // namespace gentest
