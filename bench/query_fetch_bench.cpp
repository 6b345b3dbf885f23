// Fetching a million rows of INTEGER, VARCHAR(40), NUMERIC(18,4) and TIMESTAMP from the embedded
// engine: through TFIBQuery, through a bare isc_dsql_fetch loop (the limit of the client API) and
// through Qt's QIBASE driver. Every peer reads each value into a native form.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "tests/firebird/engine_database.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr const char* kSelect = "select I, V, N, TS from R";

// The database with its rows, made once per run.
const std::string& BenchDatabase() {
    static const std::string file = [] {
        const std::string path = fbtest::TEngineFolder::Get().CreateDatabase("fetch_bench");
        fbtest::TConnection c(path);
        c.db->SetConnected(true);
        c.tr->StartTransaction();
        fbtest::ExecSQL(*c.tr, "CREATE TABLE R (I INTEGER, V VARCHAR(40), N NUMERIC(18,4), TS TIMESTAMP)");
        c.tr->Commit();
        c.tr->StartTransaction();
        fbtest::ExecSQL(
            *c.tr, "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " + std::to_string(kRows) +
                       ") DO BEGIN INSERT INTO R VALUES (:I, 'Ivanov Ivan Ivanovich ' || :I, :I * 1.2345, "
                       "DATEADD(:I SECOND TO TIMESTAMP '2020-01-01 00:00:00')); I = I + 1; END END");
        c.tr->Commit();
        return path;
    }();
    return file;
}

struct TRowSum {
    std::int64_t integers = 0;
    std::size_t textBytes = 0;
    std::int64_t numerics = 0;
    double stamps = 0;
};

void Report(benchmark::State& state, const TRowSum& sum, std::int64_t rows) {
    benchmark::DoNotOptimize(sum.integers + static_cast<std::int64_t>(sum.textBytes) + sum.numerics);
    benchmark::DoNotOptimize(sum.stamps);
    if (rows != kRows)
        state.SkipWithError("wrong row count");
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_TFIBQuery(benchmark::State& state) {
    fbtest::TConnection c(BenchDatabase());
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    TObjectPtr<TFIBQuery> q = MakeComponent<TFIBQuery>(nullptr);
    q->SetDatabase(c.db.get());
    q->SetTransaction(c.tr.get());
    q->SQL().SetText(kSelect);
    TRowSum sum;
    std::int64_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        q->Execute();
        TFIBXSQLDA& fields = q->GetFields();
        for (; !q->Eof(); q->Next(), ++rows) {
            sum.integers += fields[0].ReadAsInteger();
            sum.textBytes += fields[1].ReadAsString().size();
            sum.numerics += fields[2].ReadAsCurrency();
            sum.stamps += fields[3].ReadAsDateTime();
        }
        q->Close();
    }
    Report(state, sum, rows);
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

void BM_BareFetch(benchmark::State& state) {
    fbtest::TConnection c(BenchDatabase());
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    TBareSelect select(c.db->GetClientLibrary(), c.db->HandleAddress(), c.tr->HandleAddress());
    TRowSum sum;
    std::int64_t rows = 0;
    for (auto _ : state) rows = select.Run(sum);
    Report(state, sum, rows);
}

void BM_QtIBase(benchmark::State& state) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QIBASE", "bench");
        db.setDatabaseName(QString::fromStdString(BenchDatabase()));
        db.setUserName("SYSDBA");
        if (!db.open()) {
            state.SkipWithError(db.lastError().text().toStdString().c_str());
            return;
        }
        TRowSum sum;
        std::int64_t rows = 0;
        for (auto _ : state) {
            rows = 0;
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(kSelect);
            while (q.next()) {
                ++rows;
                sum.integers += q.value(0).toInt();
                sum.textBytes += q.value(1).toString().size();
                sum.numerics += q.value(2).toLongLong();
                sum.stamps += static_cast<double>(q.value(3).toDateTime().toMSecsSinceEpoch());
            }
        }
        Report(state, sum, rows);
        db.close();
    }
    QSqlDatabase::removeDatabase("bench");
}

}  // namespace

BENCHMARK(BM_TFIBQuery)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_BareFetch)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_QtIBase)->Unit(benchmark::kMillisecond)->MinTime(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
