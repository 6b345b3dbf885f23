#pragma once
// The metadata and repository caches over the embedded engine: a database of tables with domains,
// defaults, keys, a view and a selectable procedure, and the repository tables in their current
// layout with a few described fields. Each test gets its own connection, query pool and caches.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "firebird/cached_queries.h"
#include "firebird/database.h"
#include "firebird/transaction.h"
#include "firebird_datasets/repository.h"
#include "firebird_datasets/repository_upgrade.h"
#include "platform/rtl/float_format.h"
#include "tests/firebird/engine_database.h"

namespace repotest {

inline const std::vector<std::string> kSchema = {
    "CREATE DOMAIN D_BOOLEAN AS SMALLINT",
    "CREATE DOMAIN D_GUID AS CHAR(16) CHARACTER SET OCTETS",
    "CREATE DOMAIN D_EMPTY_TEXT AS VARCHAR(10) DEFAULT ''",
    "CREATE TABLE PEOPLE (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20) DEFAULT '' NOT NULL,"
    " CODE VARCHAR(10) DEFAULT 'ABC', QTY INTEGER DEFAULT 0, NOTE VARCHAR(10) NOT NULL,"
    " TAG D_EMPTY_TEXT NOT NULL, ACTIVE D_BOOLEAN, UID D_GUID, MEMO BLOB SUB_TYPE 1, ARR INTEGER[3],"
    " DOUBLE_QTY COMPUTED BY (QTY * 2))",
    "CREATE TABLE ORDER_LINES (LINE_NO INTEGER NOT NULL, ORDER_ID INTEGER NOT NULL,"
    " CONSTRAINT PK_ORDER_LINES PRIMARY KEY (ORDER_ID, LINE_NO))",
    "CREATE TABLE NO_KEY (N INTEGER NOT NULL)",
    "CREATE VIEW V_PEOPLE AS SELECT ID, NAME FROM PEOPLE",
    "CREATE TABLE \"O'NEIL\" (A INTEGER)",
    "CREATE PROCEDURE P_ITEMS RETURNS (ITEM_ID INTEGER, ITEM_NAME VARCHAR(10)) AS BEGIN SUSPEND; END",
};

// The repository tables as older versions of the library made them.
inline const std::vector<std::string> kOldRepository = {
    "CREATE TABLE FIB$FIELDS_INFO (TABLE_NAME VARCHAR(31) NOT NULL, FIELD_NAME VARCHAR(31) NOT NULL,"
    " DISPLAY_LABEL VARCHAR(25), VISIBLE SMALLINT DEFAULT 1, DISPLAY_FORMAT VARCHAR(15),"
    " EDIT_FORMAT VARCHAR(15), TRIGGERED SMALLINT DEFAULT 0, HINT VARCHAR(40),"
    " CONSTRAINT PK_FIB$FIELDS_INFO PRIMARY KEY (TABLE_NAME, FIELD_NAME))",
    "CREATE TABLE FIB$DATASETS_INFO (DS_ID INTEGER NOT NULL PRIMARY KEY, DESCRIPTION VARCHAR(40),"
    " SELECT_SQL BLOB SUB_TYPE 1, UPDATE_SQL BLOB SUB_TYPE 1, INSERT_SQL BLOB SUB_TYPE 1,"
    " DELETE_SQL BLOB SUB_TYPE 1, REFRESH_SQL BLOB SUB_TYPE 1, NAME_GENERATOR VARCHAR(68),"
    " KEY_FIELD VARCHAR(68))",
};

inline const std::vector<std::string> kFieldsInfoRows = {
    "INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME, DISPLAY_LABEL, VISIBLE, DISPLAY_WIDTH, HINT)"
    " VALUES ('PEOPLE', 'NAME', 'Full name', 1, 12, 'shown first')",
    "INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME, DISPLAY_LABEL, VISIBLE, DISPLAY_FORMAT, "
    "EDIT_FORMAT,"
    " TRIGGERED) VALUES ('PEOPLE', 'QTY', 'Количество', 0, '#,##0', '0', 1)",
    "INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME, DISPLAY_LABEL, DISPLAY_FORMAT)"
    " VALUES ('ALIAS', 'TOTAL_SUM', 'Total', '0.00')",
    "INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME, DISPLAY_LABEL) VALUES ('ALIAS', 'AVG_PRICE', "
    "'Average')",
    "INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME, DISPLAY_LABEL) VALUES ('O''NEIL', 'A', 'Quoted')",
};

inline const std::vector<std::string> kDataSetsInfoRows = {
    "INSERT INTO FIB$DATASETS_INFO (DS_ID, DESCRIPTION, SELECT_SQL, INSERT_SQL, UPDATE_SQL, DELETE_SQL,"
    " REFRESH_SQL, KEY_FIELD, NAME_GENERATOR, UPDATE_TABLE_NAME, UPDATE_ONLY_MODIFIED_FIELDS, CONDITIONS)"
    " VALUES (10, 'Люди', 'SELECT * FROM PEOPLE', 'INSERT INTO PEOPLE (ID) VALUES (:ID)',"
    " 'UPDATE PEOPLE SET NOTE = :NOTE WHERE ID = :OLD_ID', 'DELETE FROM PEOPLE WHERE ID = :OLD_ID',"
    " 'SELECT * FROM PEOPLE WHERE ID = :ID', 'ID', 'GEN_PEOPLE', 'PEOPLE', 1, 'ACTIVE_ONLY#$#$ACTIVE = "
    "1#$#$1')",
    "INSERT INTO FIB$DATASETS_INFO (DS_ID, DESCRIPTION, SELECT_SQL, UPDATE_ONLY_MODIFIED_FIELDS)"
    " VALUES (11, 'Only a select', 'SELECT * FROM PEOPLE', 0)",
    "INSERT INTO FIB$DATASETS_INFO (DS_ID, DESCRIPTION) VALUES (12, 'Changes')",
};

// Each statement committed on its own, so later ones see what earlier ones made.
inline void ExecEach(fbtest::TConnection& on, const std::vector<std::string>& statements) {
    for (const std::string& sql : statements) {
        on.tr->StartTransaction();
        fbtest::ExecSQL(*on.tr, sql);
        on.tr->Commit();
    }
}

// A new database file with the statements run in it; returns its path.
inline std::string MakeDatabase(const std::string& name, const std::vector<std::string>& statements) {
    const std::string file = fbtest::TEngineFolder::Get().CreateDatabase(name);
    fbtest::TConnection setup(file);
    setup.db->SetConnected(true);
    ExecEach(setup, statements);
    return file;
}

class RepositoryEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!File().empty())
            return;
        File() = MakeDatabase("repository", kSchema);
        fbtest::TConnection setup(File());
        setup.db->SetConnected(true);
        ExecEach(setup, kOldRepository);
        UpgradeFieldsInfoTable(*setup.tr);
        UpgradeDataSetsInfoTable(*setup.tr);
        ExecEach(setup, kFieldsInfoRows);
        ExecEach(setup, kDataSetsInfoRows);
    }

    void SetUp() override {
        SetNumberFormat({'.', ','});
        connection_->db->SetConnected(true);
    }

    void TearDown() override { ReloadNumberFormat(); }

    TFIBDatabase& Database() { return *connection_->db; }
    TFIBTransaction& Transaction() { return *connection_->tr; }
    TpFIBRepository& Repository() { return *repository_; }
    TpFIBTableInfoCollect& Tables() { return repository_->TableInfos(); }

    // A statement committed on the test's connection.
    void Exec(const std::string& sql) { ExecEach(*connection_, {sql}); }

    // The first column of the select's first row.
    Variant Select(const std::string& sql) {
        Variant value;
        Database().SelectValue(sql, 0, value);
        return value;
    }

    static std::string& File() {
        static std::string file;
        return file;
    }

    std::unique_ptr<fbtest::TConnection> connection_ = std::make_unique<fbtest::TConnection>(File());
    TObjectPtr<TCacheList> queries_ = MakeComponent<TCacheList>(nullptr);
    TObjectPtr<TpFIBRepository> repository_ = MakeComponent<TpFIBRepository>(*queries_);
};

}  // namespace repotest
