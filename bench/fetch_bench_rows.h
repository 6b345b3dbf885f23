#pragma once
// What the fetch benchmarks share: a million rows of INTEGER, VARCHAR(40) of lengths 0 to 40,
// NUMERIC(18,4) and TIMESTAMP on the embedded engine, and two peers that read them: TFIBQuery and a
// bare isc_dsql_fetch loop (the limit of the client API). Every peer reads each value into a native
// form.
//
// The database is built once, by one EXECUTE BLOCK in one transaction, and kept in the build tree
// (FETCH_BENCH_DATA_DIR) so later runs start at once.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace fetchbench {

constexpr int kRows = 1'000'000;
constexpr const char* kSelect = "select I, V, N, TS from R";

inline void FillRows(const std::string& file) {
    fbtest::TConnection c(file);
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    fbtest::ExecSQL(*c.tr, "CREATE TABLE R (I INTEGER, V VARCHAR(40), N NUMERIC(18,4), TS TIMESTAMP)");
    c.tr->Commit();
    c.tr->StartTransaction();
    fbtest::ExecSQL(*c.tr,
                    "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " + std::to_string(kRows) +
                        ") DO BEGIN INSERT INTO R VALUES (:I, "
                        "LEFT('Ivanov Ivan Ivanovich ' || :I || ' Petrov-Vodkin Sidorov', MOD(:I, 41)), "
                        ":I * 1.2345, DATEADD(:I SECOND TO TIMESTAMP '2020-01-01 00:00:00')); "
                        "I = I + 1; END END");
    c.tr->Commit();
}

// The database with its rows: the kept copy, or a new one made and kept.
inline const std::string& BenchDatabase() {
    static const std::string file = [] {
        namespace fs = std::filesystem;
        fbtest::TEngineFolder& engine = fbtest::TEngineFolder::Get();  // sets the engine up first
        const fs::path kept = fs::path(FETCH_BENCH_DATA_DIR) / "fetch_bench_rows_v2.fdb";
        if (fs::exists(kept))
            return kept.string();
        const std::string made = engine.CreateDatabase("fetch_bench_rows");
        FillRows(made);
        fs::create_directories(kept.parent_path());
        const fs::path partial = kept.string() + ".partial";
        fs::copy_file(made, partial, fs::copy_options::overwrite_existing);
        fs::rename(partial, kept);
        return kept.string();
    }();
    return file;
}

struct TRowSum {
    std::int64_t integers = 0;
    std::size_t textBytes = 0;
    std::int64_t numerics = 0;
    double stamps = 0;
};

inline void Report(benchmark::State& state, const TRowSum& sum, std::int64_t rows) {
    benchmark::DoNotOptimize(sum.integers + static_cast<std::int64_t>(sum.textBytes) + sum.numerics);
    benchmark::DoNotOptimize(sum.stamps);
    if (rows != kRows)
        state.SkipWithError("wrong row count");
    state.SetItemsProcessed(state.iterations() * rows);
}

// One pass of an open-ready query over the rows; returns the row count.
inline std::int64_t FetchThroughQuery(TFIBQuery& q, TRowSum& sum) {
    std::int64_t rows = 0;
    q.Execute();
    TFIBXSQLDA& fields = q.GetFields();
    for (; !q.Eof(); q.Next(), ++rows) {
        sum.integers += fields[0].ReadAsInteger();
        sum.textBytes += fields[1].ReadAsString().size();
        sum.numerics += fields[2].ReadAsCurrency();
        sum.stamps += fields[3].ReadAsDateTime();
    }
    q.Close();
    return rows;
}

// The client API alone: described buffers, fetched into and read in place.
class TBareSelect {
  public:
    TBareSelect(IIBClientLibrary& lib, isc_db_handle* db, isc_tr_handle* tr) : lib_(lib), tr_(tr) {
        Area(1);
        Check(lib_.isc_dsql_alloc_statement2(StatusVector(), db, &stmt_));
        Check(lib_.isc_dsql_prepare(StatusVector(), tr_, &stmt_, 0, kSelect, 3, Sqlda()));
        Area(Sqlda()->sqld);
        Check(lib_.isc_dsql_describe(StatusVector(), &stmt_, 3, Sqlda()));
        buffers_.resize(static_cast<std::size_t>(Sqlda()->sqld));
        indicators_.resize(buffers_.size());
        for (std::size_t i = 0; i < buffers_.size(); ++i) {
            XSQLVAR& var = Sqlda()->sqlvar[i];
            buffers_[i].resize(static_cast<std::size_t>(var.sqllen) / 8 + 2);
            var.sqldata = reinterpret_cast<char*>(buffers_[i].data());
            var.sqlind = &indicators_[i];
        }
    }
    ~TBareSelect() { lib_.isc_dsql_free_statement(StatusVector(), &stmt_, DSQL_drop); }
    TBareSelect(const TBareSelect&) = delete;
    TBareSelect& operator=(const TBareSelect&) = delete;

    std::int64_t Run(TRowSum& sum) {
        Check(lib_.isc_dsql_execute(StatusVector(), tr_, &stmt_, 3, nullptr));
        std::int64_t rows = 0;
        XSQLVAR* vars = Sqlda()->sqlvar;
        while (lib_.isc_dsql_fetch(StatusVector(), &stmt_, 3, Sqlda()) == 0) {
            ++rows;
            sum.integers += *reinterpret_cast<const ISC_LONG*>(vars[0].sqldata);
            std::int16_t length = 0;
            std::memcpy(&length, vars[1].sqldata, 2);
            sum.textBytes += std::string(vars[1].sqldata + 2, static_cast<std::size_t>(length)).size();
            sum.numerics += *reinterpret_cast<const ISC_INT64*>(vars[2].sqldata);
            const auto* stamp = reinterpret_cast<const ISC_TIMESTAMP*>(vars[3].sqldata);
            // Days since 1858-11-17 moved to days since 1899-12-30, time in 1/10000 s.
            sum.stamps += static_cast<double>(stamp->timestamp_date - 15018) +
                          static_cast<double>(stamp->timestamp_time) / 864000000.0;
        }
        lib_.isc_dsql_free_statement(StatusVector(), &stmt_, DSQL_close);
        return rows;
    }

  private:
    void Check(ISC_STATUS status) {
        if (status != 0)
            RaiseServerError(lib_, nullptr);
    }
    void Area(int n) {
        area_.assign(XSQLDA_LENGTH(n), 0);
        Sqlda()->version = SQLDA_VERSION1;
        Sqlda()->sqln = static_cast<ISC_SHORT>(n);
    }
    XSQLDA* Sqlda() { return reinterpret_cast<XSQLDA*>(area_.data()); }

    IIBClientLibrary& lib_;
    isc_tr_handle* tr_;
    isc_stmt_handle stmt_ = 0;
    std::vector<char> area_;
    std::vector<std::vector<std::int64_t>> buffers_;
    std::vector<ISC_SHORT> indicators_;
};

// The two peers as benchmarks, for any program that includes this header once.
inline void BM_TFIBQuery(benchmark::State& state) {
    fbtest::TConnection c(BenchDatabase());
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    TObjectPtr<TFIBQuery> q = MakeComponent<TFIBQuery>(nullptr);
    q->SetDatabase(c.db.get());
    q->SetTransaction(c.tr.get());
    q->SQL().SetText(kSelect);
    TRowSum sum;
    std::int64_t rows = 0;
    for (auto _ : state) rows = FetchThroughQuery(*q, sum);
    Report(state, sum, rows);
}

inline void BM_BareFetch(benchmark::State& state) {
    fbtest::TConnection c(BenchDatabase());
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    TBareSelect select(c.db->GetClientLibrary(), c.db->HandleAddress(), c.tr->HandleAddress());
    TRowSum sum;
    std::int64_t rows = 0;
    for (auto _ : state) rows = select.Run(sum);
    Report(state, sum, rows);
}

}  // namespace fetchbench
