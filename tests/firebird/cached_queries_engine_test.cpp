// The prepared-query pool on the embedded engine: equal normalised texts share one prepared
// statement, statements move between transactions, come back with NULL parameters, and go with
// their database.
#include <gtest/gtest.h>

#include "firebird/cached_queries.h"
#include "firebird/database.h"
#include "firebird/pfib_query.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::ExecSQL;
using fbtest::TConnection;
using fbtest::TEngineFolder;

class CachedQueries : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        file_ = TEngineFolder::Get().CreateDatabase("cached_queries");
        TConnection setup(file_);
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr, "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(10))");
        ExecSQL(*setup.tr, "CREATE GENERATOR G");
        setup.tr->Commit();
        setup.tr->StartTransaction();
        ExecSQL(*setup.tr, "INSERT INTO T VALUES (1, 'one')");
        ExecSQL(*setup.tr, "INSERT INTO T VALUES (2, 'two')");
        setup.tr->Commit();
    }

    void SetUp() override {
        c_.db->SetConnected(true);
        c_.tr->StartTransaction();
    }

    static std::string Name(TpFIBQuery& query, int id) {
        query.ParamByName("ID").WriteAsInteger(id);
        query.ExecQuery();
        return query.Eof() ? std::string() : query.FieldByName("NAME").ReadAsString();
    }

    static inline std::string file_;
    TConnection c_{file_};
    TObjectPtr<TCacheList> cache_ = MakeComponent<TCacheList>(nullptr);
};

TEST_F(CachedQueries, EqualNormalisedTextsShareOnePreparedStatement) {
    TpFIBQuery* first = AcquireCachedQuery(*cache_, c_.tr.get(), "select NAME from T where ID = :ID");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Name(*first, 2), "two");
    ReleaseCachedQuery(*cache_, first);

    for (const char* same :
         {"SELECT name  FROM t WHERE id = ?ID", "select NAME /* again */ from T\nwhere ID = :ID"}) {
        TpFIBQuery* again = AcquireCachedQuery(*cache_, c_.tr.get(), same);
        EXPECT_EQ(again, first) << same;
        EXPECT_TRUE(again->Prepared()) << "kept prepared between uses";
        EXPECT_FALSE(again->Open());
        EXPECT_EQ(Name(*again, 1), "one");
        ReleaseCachedQuery(*cache_, again);
    }
}

TEST_F(CachedQueries, TheSameTextTwiceGivesTwoQueriesAndThePoolKeepsOne) {
    const std::string sql = "select NAME from T where ID = :ID";
    TpFIBQuery* a = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    TpFIBQuery* b = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    ASSERT_NE(a, b);
    EXPECT_EQ(Name(*a, 1), "one");
    EXPECT_EQ(Name(*b, 2), "two");
    TCacheQueries& pool = cache_->CacheOfDatabase(*c_.db);
    EXPECT_EQ(pool.UsedCount(), 2);
    ReleaseCachedQuery(*cache_, a);
    ReleaseCachedQuery(*cache_, b);
    EXPECT_EQ(pool.UsedCount(), 0);
    EXPECT_EQ(pool.IdleCount(), 1);
    EXPECT_EQ(AcquireCachedQuery(*cache_, c_.tr.get(), sql), a);
}

TEST_F(CachedQueries, AQueryIsMovedToTheTransactionItIsAcquiredFor) {
    auto other = MakeComponent<TFIBTransaction>(nullptr);
    other->SetDefaultDatabase(c_.db.get());
    other->TRParams().SetText("read\nread_committed\nrec_version\nnowait");
    other->StartTransaction();
    const std::string sql = "select NAME from T where ID = :ID";
    TpFIBQuery* query = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    EXPECT_EQ(Name(*query, 1), "one");
    ReleaseCachedQuery(*cache_, query);

    TpFIBQuery* moved = AcquireCachedQuery(*cache_, other.get(), sql);
    ASSERT_EQ(moved, query);
    EXPECT_EQ(moved->Transaction(), other.get());
    EXPECT_EQ(Name(*moved, 2), "two");
    ReleaseCachedQuery(*cache_, moved);
}

TEST_F(CachedQueries, UnnamedParametersAreBoundByPositionAndTheTextStillSharesItsQuery) {
    const std::string sql = "select NAME from T where ID = ? or ID = ? order by ID desc";
    TpFIBQuery* query = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    ASSERT_NE(query, nullptr);
    ASSERT_EQ(query->GetParamCount(), 2);
    query->SetParamValue(0, Variant(1));
    query->SetParamValue(1, Variant(2));
    query->ExecQuery();
    EXPECT_EQ(query->FieldByName("NAME").ReadAsString(), "two");
    ReleaseCachedQuery(*cache_, query);

    TpFIBQuery* again = AcquireCachedQuery(*cache_, c_.tr.get(),
                                           "SELECT name FROM t WHERE id = ? OR id = ? ORDER BY id DESC");
    EXPECT_EQ(again, query);
    ReleaseCachedQuery(*cache_, again);
}

TEST_F(CachedQueries, TheDatabaseServicesRunUnnamedParametersThroughThePool) {
    cache_->CacheOfDatabase(*c_.db);
    Variant value;
    ASSERT_TRUE(c_.db->SelectValue("select NAME from T where ID = ?", 0, value, c_.tr.get(), {Variant(2)}));
    EXPECT_EQ(value.AsString(), "two");
    EXPECT_EQ(cache_->CacheOfDatabase(*c_.db).IdleCount(), 1);
}

TEST_F(CachedQueries, AQueryHandedOutAgainHasEveryParameterNull) {
    const std::string sql = "select count(*) from T where ID = :ID or :ID is null";
    TpFIBQuery* query = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    query->ParamByName("ID").WriteAsInteger(1);
    query->ExecQuery();
    EXPECT_EQ(query->GetFieldByIndex(0).ReadAsInteger(), 1);
    ReleaseCachedQuery(*cache_, query);

    TpFIBQuery* again = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    ASSERT_EQ(again, query);
    EXPECT_TRUE(again->ParamByName("ID").ReadIsNull());
    again->ExecQuery();
    EXPECT_EQ(again->GetFieldByIndex(0).ReadAsInteger(), 2);
    ReleaseCachedQuery(*cache_, again);
}

TEST_F(CachedQueries, TheDatabaseServicesUseThePoolAndGetNoStaleParameters) {
    cache_->CacheOfDatabase(*c_.db);
    const std::string sql = "select NAME from T where ID = :A or (:B is null and ID = 2)";
    Variant value;
    ASSERT_TRUE(c_.db->SelectValue(sql, 0, value, c_.tr.get(), {Variant(1), Variant(1)}));
    EXPECT_EQ(value.AsString(), "one");
    EXPECT_EQ(cache_->CacheOfDatabase(*c_.db).IdleCount(), 1) << "kept for the next call";
    ASSERT_TRUE(c_.db->SelectValue(sql, 0, value, c_.tr.get(), {}));
    EXPECT_EQ(value.AsString(), "two") << "the first caller's values are gone";
    EXPECT_EQ(c_.db->GenerateID("G", c_.tr.get(), 0), 0) << "generator call through the pool";
}

TEST_F(CachedQueries, FreeingADatabaseFreesItsPoolOnly) {
    TConnection second(file_);
    second.db->SetConnected(true);
    second.tr->StartTransaction();
    const std::string sql = "select NAME from T where ID = :ID";
    ReleaseCachedQuery(*cache_, AcquireCachedQuery(*cache_, c_.tr.get(), sql));
    TpFIBQuery* kept = AcquireCachedQuery(*cache_, second.tr.get(), sql);
    ReleaseCachedQuery(*cache_, kept);
    TpFIBQuery* handedOut = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    ASSERT_NE(handedOut, nullptr);
    EXPECT_EQ(cache_->Count(), 2);

    c_.tr.reset();
    c_.db.reset();
    EXPECT_EQ(cache_->Count(), 1);
    TpFIBQuery* again = AcquireCachedQuery(*cache_, second.tr.get(), sql);
    EXPECT_EQ(again, kept);
    EXPECT_EQ(Name(*again, 2), "two");
    ReleaseCachedQuery(*cache_, again);
}

TEST_F(CachedQueries, AQueryItsCallerFreesLeavesThePool) {
    const std::string sql = "select NAME from T where ID = :ID";
    TpFIBQuery* query = AcquireCachedQuery(*cache_, c_.tr.get(), sql);
    Free(query);
    TCacheQueries& pool = cache_->CacheOfDatabase(*c_.db);
    EXPECT_EQ(pool.UsedCount(), 0);
    ReleaseCachedQuery(*cache_, AcquireCachedQuery(*cache_, c_.tr.get(), sql));
    EXPECT_EQ(pool.IdleCount(), 1);
}

TEST_F(CachedQueries, NoQueryWithoutATransactionOrItsDatabase) {
    auto lone = MakeComponent<TFIBTransaction>(nullptr);
    EXPECT_EQ(AcquireCachedQuery(*cache_, lone.get(), "select 1 from RDB$DATABASE"), nullptr);
    EXPECT_EQ(AcquireCachedQuery(*cache_, nullptr, "select 1 from RDB$DATABASE"), nullptr);
    EXPECT_EQ(cache_->Count(), 0);
}

TEST_F(CachedQueries, FreeingTheListGivesTheDatabaseAnOwnPoolBack) {
    ReleaseCachedQuery(*cache_,
                       AcquireCachedQuery(*cache_, c_.tr.get(), "select NAME from T where ID = :ID"));
    cache_.reset();
    Variant value;
    ASSERT_TRUE(c_.db->SelectValue("select NAME from T where ID = 1", 0, value, c_.tr.get()));
    EXPECT_EQ(value.AsString(), "one");
}

}  // namespace
