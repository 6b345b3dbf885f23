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
#include <string>

#include "bench/fetch_bench_rows.h"

namespace {

using namespace fetchbench;

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
                // Qt's own form of a timestamp, as ours is TDateTime: no further conversion.
                const QDateTime stamp = q.value(3).toDateTime();
                benchmark::DoNotOptimize(stamp);
                sum.stamps += 1;
            }
        }
        Report(state, sum, rows);
        db.close();
    }
    QSqlDatabase::removeDatabase("bench");
}

}  // namespace

using fetchbench::BM_BareFetch;
using fetchbench::BM_TFIBQuery;

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
