// Statements derived by the SQL text routines, run on the embedded engine: every count statement
// must give the number of rows its select returns, and added conditions must keep the statement
// valid.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "firebird/client_library.h"
#include "firebird/sql_text_routines.h"
#include "firebird/status_vector.h"
#include "tests/firebird/embedded_query.h"
#include "tests/support/temp_dir.h"

namespace {

// One database of isc_start_multiple's list.
struct TransactionExistenceBlock {
    isc_db_handle* database;
    int tpbLength;
    const char* tpb;
};

constexpr const char* kSchema[] = {
    "CREATE TABLE CLIENTS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40), CITY VARCHAR(40))",
    "CREATE TABLE ORDERS (ID INTEGER NOT NULL PRIMARY KEY, CLIENT_ID INTEGER, AMOUNT INTEGER, NOTE "
    "VARCHAR(60))",
    "CREATE PROCEDURE CLIENT_ORDERS (CLIENT INTEGER) RETURNS (ID INTEGER, AMOUNT INTEGER) AS BEGIN "
    "FOR SELECT ID, AMOUNT FROM ORDERS WHERE CLIENT_ID = :CLIENT INTO :ID, :AMOUNT DO SUSPEND; END",
};

// Keywords and comment marks inside the strings must not count.
constexpr const char* kRows[] = {
    "INSERT INTO CLIENTS VALUES (1, 'Anna', 'Omsk')",
    "INSERT INTO CLIENTS VALUES (2, 'Boris', 'Tomsk')",
    "INSERT INTO CLIENTS VALUES (3, 'Vera', 'Omsk')",
    "INSERT INTO CLIENTS VALUES (4, 'Gleb', 'Kazan')",
    "INSERT INTO CLIENTS VALUES (5, 'Dina', 'Omsk')",
    "INSERT INTO ORDERS VALUES (1, 1, 10, 'where is it')",
    "INSERT INTO ORDERS VALUES (2, 1, 25, 'order by phone')",
    "INSERT INTO ORDERS VALUES (3, 2, 5, NULL)",
    "INSERT INTO ORDERS VALUES (4, 3, 40, 'group by -- not a comment')",
    "INSERT INTO ORDERS VALUES (5, 3, 15, 'x')",
    "INSERT INTO ORDERS VALUES (6, 3, 60, 'union select')",
    "INSERT INTO ORDERS VALUES (7, 5, 8, '/* not a comment */')",
};

class SqlTextOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NO_THROW(dir_ = std::make_unique<testsupport::TempDir>("fibsql"));
        // The engine keeps its lock and sort files where it was first told, when the library is loaded.
        if (ClientLibraryCache().empty()) {
            setenv("FIREBIRD_LOCK", dir_->Path().c_str(), 1);
            setenv("FIREBIRD_TMP", dir_->Path().c_str(), 1);
        }
        lib_ = GetClientLibrary(DefaultClientLibraryName);
        const std::string create = "CREATE DATABASE '" + (*dir_ / "sql.fdb").string() + "' USER 'SYSDBA'";
        ASSERT_EQ(lib_->isc_dsql_execute_immediate(StatusVector(), &db_, &tr_, 0, create.c_str(), 3, nullptr),
                  0)
            << StatusVector()[1];
        Start();
        for (const char* sql : kSchema) Execute(sql);
        ASSERT_EQ(lib_->isc_commit_transaction(StatusVector(), &tr_), 0);
        Start();
        for (const char* sql : kRows) Execute(sql);
    }

    static void TearDownTestSuite() {
        if (tr_ != 0)
            lib_->isc_rollback_transaction(StatusVector(), &tr_);
        if (db_ != 0)
            lib_->isc_drop_database(StatusVector(), &db_);
        lib_.reset();
        dir_.reset();
    }

    static void Start() {
        TransactionExistenceBlock teb{&db_, 0, nullptr};
        ASSERT_EQ(lib_->isc_start_multiple(StatusVector(), &tr_, 1, &teb), 0);
    }

    static void Execute(const char* sql) {
        ASSERT_EQ(lib_->isc_dsql_execute_immediate(StatusVector(), &db_, &tr_, 0, sql, 3, nullptr), 0)
            << sql << " " << StatusVector()[1];
    }

    static std::int64_t Rows(const std::string& sql) {
        return fbtest::TEmbeddedQuery(*lib_, db_, tr_, sql).CountRows();
    }

    static std::int64_t Integer(const std::string& sql) {
        return fbtest::TEmbeddedQuery(*lib_, db_, tr_, sql).ReadInteger();
    }

    static inline std::unique_ptr<testsupport::TempDir> dir_;
    static inline IIBClientLibraryPtr lib_;
    static inline isc_db_handle db_ = 0;
    static inline isc_tr_handle tr_ = 0;
};

struct TCountCase {
    const char* sql;
    std::int64_t rows;
};

constexpr TCountCase kCountCases[] = {
    {"select * from CLIENTS", 5},
    {"select c.NAME, o.AMOUNT from CLIENTS c join ORDERS o on o.CLIENT_ID = c.ID where o.AMOUNT > 10 "
     "order by o.AMOUNT",
     4},
    {"select * from CLIENTS c left join ORDERS o on o.CLIENT_ID = c.ID", 8},
    {"select c.ID, (select count(*) from ORDERS o where o.CLIENT_ID = c.ID) as N from CLIENTS c "
     "where c.CITY = 'Omsk'",
     3},
    {"select * from ORDERS where NOTE <> 'group by where' -- a comment to the end", 6},
    {"/* report */\nselect NAME from CLIENTS -- all of them\nwhere ID > 2\norder by NAME", 3},
    {"select ID\n-- from nowhere where\nfrom ORDERS\n-- order by nothing\nwhere AMOUNT > 9 -- ten and up\n"
     "and CLIENT_ID <> 5",
     5},
    {"select ID from ORDERS where NOTE = 'where is it' or NOTE like '%order by%'", 2},
    {"select o.* from ORDERS o where exists (select 1 from CLIENTS c where c.ID = o.CLIENT_ID and "
     "c.CITY = 'Tomsk')",
     1},
    {"select * from (select CLIENT_ID, sum(AMOUNT) as TOTAL from ORDERS group by CLIENT_ID) t "
     "where t.TOTAL > 20",
     2},
    {"select ID from CLIENTS where ID > 1 plan (CLIENTS natural)", 4},
    {"-- clients of Omsk\nselect * from CLIENTS where CITY = 'Omsk'", 3},
    {"select * from ORDERS where CLIENT_ID in (select ID from CLIENTS where CITY = 'Omsk') for update", 6},
    {"select ID from CLIENTS where NAME starting with 'A' with lock", 1},
    {"select * from CLIENT_ORDERS(3)", 3},
    {"select p.ID from CLIENT_ORDERS(1) p where p.AMOUNT > 5 order by p.ID", 2},
    {"select ID, AMOUNT + 1, NOTE || '!' from ORDERS where AMOUNT between 5 and 50 order by 2 desc", 6},
    // Statements whose rows are not the rows of their FROM clause.
    {"select distinct CITY from CLIENTS", 3},
    {"-- cities\nselect distinct CITY from CLIENTS plan (CLIENTS natural) order by CITY", 3},
    {"SELECT first 2 distinct CITY FROM CLIENTS", 2},
    {"select distinct c.ID, o.ID from CLIENTS c join ORDERS o on o.CLIENT_ID = c.ID", 7},
    {"select CITY, count(*) from CLIENTS group by CITY having count(*) > 1", 1},
    {"select ID from CLIENTS union select CLIENT_ID from ORDERS", 5},
    {"select ID from CLIENTS union all select CLIENT_ID from ORDERS order by 1", 12},
    {"select CITY from CLIENTS where ID < 3\r\nunion\r\nselect CITY from CLIENTS where ID > 3", 3},
    {"select first 3 skip 1 * from ORDERS o join CLIENTS c on c.ID = o.CLIENT_ID order by o.ID", 3},
    {"select * from ORDERS order by ID rows 2 to 4", 3},
    {"select ID from ORDERS order by ID offset 5 rows fetch next 10 rows only", 2},
    {"select count(*) from ORDERS", 1},
    {"select sum(AMOUNT), max(AMOUNT) from ORDERS where CLIENT_ID = 99", 1},
    {"select CLIENT_ID, count(*) over () from ORDERS -- a window, not a group", 7},
};

TEST_F(SqlTextOnEngine, CountStatementCountsTheRowsTheSelectReturns) {
    for (const TCountCase& c : kCountCases) {
        SCOPED_TRACE(c.sql);
        const std::string count = GetCountSQL(c.sql);
        ASSERT_FALSE(count.empty());
        try {
            EXPECT_EQ(Rows(c.sql), c.rows);
            EXPECT_EQ(Integer(count), c.rows) << count;
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message << "\n" << count;
        }
    }
}

TEST_F(SqlTextOnEngine, AddedConditionsKeepTheStatementValid) {
    const struct {
        const char* sql;
        const char* cond;
        std::int64_t rows;
    } cases[] = {
        {"select * from CLIENTS -- every client", "CITY = 'Omsk'", 3},
        {"select * from ORDERS where NOTE <> 'group by where' -- a comment to the end", "ID > 3", 4},
        {"/* report */\nselect NAME from CLIENTS -- all of them\nwhere ID > 2\norder by NAME", "ID <> 4", 2},
        {"select * from ORDERS order by ID rows 2 to 4", "AMOUNT > 9", 3},
        {"select ID from CLIENTS where NAME starting with 'A' or CITY = 'Kazan' with lock", "ID > 1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        for (bool indent : {false, true}) {
            const std::string sql = AddToWhere(c.sql, c.cond, indent);
            try {
                EXPECT_EQ(Rows(sql), c.rows) << sql;
            } catch (const Exception& e) {
                ADD_FAILURE() << e.Message << "\n" << sql;
            }
        }
    }
}

}  // namespace
