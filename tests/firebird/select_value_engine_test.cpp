// Single-row selects through a query pool of the test's own, in transactions on the embedded
// engine: which parameters are set, how columns come back, when the transaction is committed or
// rolled back, and whether the pool keeps the statement.
#include <gtest/gtest.h>

#include "firebird/database.h"
#include "firebird/pooled_query.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace {

using fbtest::TConnection;
using fbtest::TEngineFolder;

struct TFakeColumn {
    int sqlType;
    Variant value;
    std::string text;
};

class TFakeQuery : public IFIBPooledQuery {
  public:
    TFakeQuery(TFIBTransaction& tr, int params, std::vector<TFakeColumn> columns)
        : tr_(tr), params_(params), columns_(std::move(columns)) {}
    TFIBTransaction* Transaction() const override { return &tr_; }
    int ParamCount() override { return params_; }
    void SetParamValue(int index, const Variant& value) override { set.push_back({index, value}); }
    void ExecQuery() override {
        activeWhenRun = tr_.Active();
        if (fail)
            throw Exception("execute failed");
    }
    int FieldCount() override { return static_cast<int>(columns_.size()); }
    int FieldSQLType(int i) override { return columns_[static_cast<std::size_t>(i)].sqlType; }
    Variant FieldValue(int i) override { return columns_[static_cast<std::size_t>(i)].value; }
    std::string FieldAsString(int i) override { return columns_[static_cast<std::size_t>(i)].text; }
    std::int64_t FieldAsInt64(int i) override {
        return columns_[static_cast<std::size_t>(i)].value.AsInt64();
    }

    std::vector<std::pair<int, Variant>> set;
    bool activeWhenRun = false;
    bool fail = false;

  private:
    TFIBTransaction& tr_;
    int params_;
    std::vector<TFakeColumn> columns_;
};

class TFakePool : public IFIBQueryPool {
  public:
    IFIBPooledQuery& AcquireCachedQuery(TFIBDatabase&, TFIBTransaction& tr,
                                        const std::string& text) override {
        sql = text;
        query = std::make_unique<TFakeQuery>(tr, params, columns);
        query->fail = fail;
        return *query;
    }
    void ReleaseCachedQuery(IFIBPooledQuery& released, bool destroy) override {
        EXPECT_EQ(&released, query.get());
        releases.push_back(destroy);
    }

    int params = 0;
    std::vector<TFakeColumn> columns;
    bool fail = false;
    std::string sql;
    std::unique_ptr<TFakeQuery> query;
    std::vector<bool> releases;
};

class SelectValueOnEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        static const std::string file = TEngineFolder::Get().CreateDatabase("select_value");
        c_ = std::make_unique<TConnection>(file);
        c_->db->SetConnected(true);
        c_->db->SetQueryPool(pool_);
    }
    std::shared_ptr<TFakePool> pool_ = std::make_shared<TFakePool>();
    std::unique_ptr<TConnection> c_;
};

TEST_F(SelectValueOnEngine, SetsTheGivenParametersThatFitAndKeepsTheStatement) {
    pool_->params = 2;
    pool_->columns = {{SQL_LONG, Variant(5), "5"}};
    Variant result;
    ASSERT_TRUE(c_->db->SelectValue("SELECT ?", 0, result, nullptr, {Variant(), Variant("b"), Variant("c")}));
    EXPECT_EQ(result.AsInteger(), 5);
    ASSERT_EQ(pool_->query->set.size(), 1u) << "an empty value is skipped, a third has no place";
    EXPECT_EQ(pool_->query->set[0].first, 1);
    EXPECT_EQ(pool_->query->set[0].second.AsString(), "b");
    EXPECT_TRUE(pool_->query->activeWhenRun);
    EXPECT_FALSE(c_->db->InternalWriteTransaction().Active()) << "committed after the select";
    EXPECT_EQ(pool_->releases, (std::vector<bool>{false}));
}

TEST_F(SelectValueOnEngine, AWholeRowComesAsAnArrayWithBlobsAsText) {
    pool_->columns = {{SQL_LONG, Variant(1), "1"},
                      {SQL_BLOB, Variant("raw"), "note text"},
                      {SQL_VARYING, Variant("x"), "x"}};
    Variant row;
    ASSERT_TRUE(c_->db->SelectValue("SELECT A, B, C FROM T", -1, row));
    EXPECT_EQ(row.LowBound(1), 0);
    EXPECT_EQ(row.HighBound(1), 2);
    EXPECT_EQ(row[1].AsString(), "note text");
    EXPECT_EQ(row[2].AsString(), "x");
    EXPECT_EQ(pool_->releases, (std::vector<bool>{false}));
    // A single column without parameters is not worth keeping.
    Variant one;
    ASSERT_TRUE(c_->db->SelectValue("SELECT B FROM T", 1, one));
    EXPECT_EQ(one.AsString(), "note text");
    EXPECT_EQ(pool_->releases, (std::vector<bool>{false, true}));
    // Nothing selected: no columns.
    pool_->columns.clear();
    Variant none = Variant("kept");
    EXPECT_FALSE(c_->db->SelectValue("EXECUTE PROCEDURE P", 0, none));
    EXPECT_EQ(none.AsString(), "kept");
}

TEST_F(SelectValueOnEngine, AFailureRollsBackOnlyATransactionStartedForIt) {
    pool_->fail = true;
    pool_->columns = {{SQL_LONG, Variant(1), "1"}};
    Variant result;
    EXPECT_THROW(c_->db->SelectValue("SELECT 1", 0, result), Exception);
    EXPECT_FALSE(c_->db->InternalWriteTransaction().Active());
    EXPECT_EQ(pool_->releases, (std::vector<bool>{true})) << "given back on failure too";
    c_->tr->StartTransaction();
    EXPECT_THROW(c_->db->SelectValue("SELECT 1", 0, result, c_->tr.get()), Exception);
    EXPECT_TRUE(c_->tr->Active()) << "the caller's transaction is the caller's to end";
    pool_->fail = false;
    ASSERT_TRUE(c_->db->SelectValue("SELECT 1", 0, result, c_->tr.get()));
    EXPECT_TRUE(c_->tr->Active()) << "nor is it committed";
    c_->tr->Rollback();
}

TEST_F(SelectValueOnEngine, GeneratorValuesRunInTheFirstActiveTransaction) {
    pool_->columns = {{SQL_INT64, Variant(41), "41"}};
    EXPECT_EQ(c_->db->GenerateID("IDS", nullptr, 1), 41);
    EXPECT_EQ(pool_->sql, "select gen_id(IDS, 1) from RDB$DATABASE");
    EXPECT_FALSE(c_->db->InternalReadTransaction().Active());
    c_->tr->StartTransaction();
    EXPECT_EQ(c_->db->GenerateID("Ids", nullptr, -2), 41);
    EXPECT_EQ(pool_->sql, "select gen_id(\"Ids\", -2) from RDB$DATABASE") << "dialect 3 keeps the case";
    EXPECT_EQ(pool_->query->Transaction(), c_->tr.get());
    EXPECT_TRUE(c_->tr->Active());
    c_->tr->Commit();
}

}  // namespace
