// The local sort reads each record's values once and sorts keys; its order must be the very order
// of the quicksort that compared the records' variants straight from the cache. That reference runs
// here over rows read from the dataset: thousands of records with many equal keys and NULLs, every
// kind of column, so that any difference in comparisons or exchanges shows in the unstable order.
#include <gtest/gtest.h>

#include "firebird_datasets/filter_variant_ops.h"
#include "firebird_datasets/records_quicksort.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

using Ids = std::vector<int>;

constexpr int kRows = 3000;
constexpr const char* kSelect = "SELECT ID, T, N, D, TS, S, B FROM SORT_REF ORDER BY MOD(ID * 37, 3000)";

struct TRow {
    std::vector<Variant> values;
    int id = 0;
};

// The sort as it was: values compared as variants, NULL first going up, a failed comparison equal.
Ids ReferenceOrder(std::vector<TRow> rows, const std::vector<bool>& ascending,
                   const TCompareFieldValues& handler) {
    auto read = [&rows](int p) { return rows[static_cast<std::size_t>(p)]; };
    auto exchange = [&rows](int i, int j) {
        std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
    };
    auto compare = [&](const TRow& row, const TRow& pivot) {
        for (std::size_t k = 0; k < ascending.size(); ++k) {
            const int d = ascending[k] ? 1 : -1;
            const Variant &a = row.values[k], &b = pivot.values[k];
            int order = 0;
            if (a.IsNull() || b.IsNull()) {
                order = a.IsNull() == b.IsNull() ? 0 : (a.IsNull() ? -d : d);
            } else {
                try {
                    order = d * (handler ? handler(nullptr, a, b) : filter_variants::Compare(a, b));
                } catch (const std::exception&) {
                    order = 0;
                }
            }
            if (order != 0)
                return order;
        }
        return 0;
    };
    fibsort::QuickSortRecords<TRow>(0, static_cast<int>(rows.size()) - 1, read, compare, exchange);
    Ids ids;
    for (const TRow& row : rows) ids.push_back(row.id);
    return ids;
}

class SortKeysEngine : public dstest::DatasetEngine {
  protected:
    void SetUp() override {
        DatasetEngine::SetUp();
        ServerExec(
            "RECREATE TABLE SORT_REF (ID INTEGER NOT NULL, T VARCHAR(10), N NUMERIC(18,4), D DOUBLE "
            "PRECISION,"
            " TS TIMESTAMP, S SMALLINT, B BOOLEAN)");
        ServerExec(
            "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " + std::to_string(kRows) +
            ") DO BEGIN INSERT INTO SORT_REF VALUES (:I,"
            " CASE MOD(:I, 7) WHEN 0 THEN NULL WHEN 1 THEN 'abc' WHEN 2 THEN 'ABc' WHEN 3 THEN 'Ёлка'"
            "  WHEN 4 THEN 'abd' ELSE 'x' || MOD(:I, 13) END,"
            " CASE WHEN MOD(:I, 11) = 0 THEN NULL ELSE MOD(:I * 7, 23) * 1.25 END,"
            " CASE WHEN MOD(:I, 5) = 0 THEN NULL ELSE MOD(:I * 3, 17) / 4.0 END,"
            " CASE WHEN MOD(:I, 9) = 0 THEN NULL ELSE DATEADD(MOD(:I, 29) DAY TO TIMESTAMP '2020-01-01') END,"
            " CASE WHEN MOD(:I, 6) = 0 THEN NULL ELSE MOD(:I, 4) - 2 END,"
            " CASE WHEN MOD(:I, 8) = 0 THEN NULL ELSE MOD(:I, 3) = 0 END);"
            " I = I + 1; END END");
    }

    // The rows in the dataset's order: the named fields' values and the ID.
    static std::vector<TRow> Rows(TFIBDataSet& ds, const std::vector<std::string>& names) {
        std::vector<TRow> rows;
        for (ds.First(); !ds.Eof(); ds.Next()) {
            TRow& row = rows.emplace_back();
            for (const std::string& name : names) row.values.push_back(ds.FieldByName(name)->Value());
            row.id = ds.FieldByName("ID")->AsInteger();
        }
        return rows;
    }

    static Ids Order(TFIBDataSet& ds) {
        Ids ids;
        for (ds.First(); !ds.Eof(); ds.Next()) ids.push_back(ds.FieldByName("ID")->AsInteger());
        return ids;
    }
};

struct KeysCase {
    std::vector<std::string> fields;
    std::vector<bool> ascending;
};

// Each case sorts the order the one before it left, as a grid's title clicks do.
TEST_F(SortKeysEngine, OrdersAsTheVariantComparisonsDid) {
    const KeysCase cases[] = {
        {{"T"}, {true}},
        {{"T"}, {false}},
        {{"N"}, {true}},
        {{"D"}, {false}},
        {{"TS"}, {true}},
        {{"S"}, {false}},
        {{"B"}, {true}},
        {{"T", "N"}, {false, true}},
        {{"S", "D", "T"}, {true, false, true}},
        {{"B", "TS"}, {false, false}},
    };
    auto& ds = DataSet(kSelect);
    ds.Open();
    for (const TCompareFieldValues& handler :
         {TCompareFieldValues{}, TCompareFieldValues([](TField*, const Variant&a, const Variant&b) {
              return filter_variants::Compare(b, a);  // a handler that turns every field around
          })}) {
        ds.OnCompareFieldValues = handler;
        for (const KeysCase& c : cases) {
            SCOPED_TRACE(::testing::PrintToString(c.fields) + (handler ? " by the handler" : ""));
            const Ids expected = ReferenceOrder(Rows(ds, c.fields), c.ascending, handler);
            std::vector<TSortFieldRef> refs(c.fields.begin(), c.fields.end());
            ds.DoSort(refs, c.ascending);
            ASSERT_TRUE(ds.IsSorted());
            ASSERT_EQ(Order(ds), expected);
        }
    }
}

}  // namespace
