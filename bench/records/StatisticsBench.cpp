// Statistics over a large history: 100,000 bills of 10 boxes (1,000,000 rows) spread over ten
// years; one year by day and by month, as a ratio to the anchor (a sort of a million numbers
// in the same process). A run over one month shows that the cost follows the bills in range.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <vector>

#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "records/Statistics.h"

using namespace bw;

namespace {

const QString kFormat = QStringLiteral("统计单");
QTemporaryDir* gDir = nullptr;

void setUp() {
    Transaction t;
    const char* labels[10] = {"日期",  "金额",  "收款人", "备注1", "备注2",
                              "备注3", "备注4", "备注5",  "备注6", "备注7"};
    const double types[10] = {110, 104, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<qint64> ids;
    for (int i = 0; i < 10; ++i) {
        ExecuteSql("INSERT INTO Fmt(Fmt, LBL, Cash, Clas) VALUES(?, ?, ?, 0)",
                   {kFormat, QString::fromUtf8(labels[i]), types[i]});
        ids.push_back(
            ValueWhere("Fmt", "Fmt=? AND LBL=?", "ID", {kFormat, QString::fromUtf8(labels[i])})
                .toLongLong());
    }
    const QDate start(2010, 1, 1);
    for (int bill = 1; bill <= 100000; ++bill) {
        const QDate day = start.addDays(bill * 3650 / 100000);
        const QString values[10] = {day.toString("yyyy-MM-dd"),
                                    QString::number(bill % 997 + 0.5),
                                    QStringLiteral("收款人%1").arg(bill % 50),
                                    "a",
                                    "b",
                                    "c",
                                    "d",
                                    "e",
                                    "f",
                                    "g"};
        for (int b = 0; b < 10; ++b)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                       {bill, kFormat, ids[b], values[b]});
    }
    t.Commit();
}

StatsRequest request(bool byMonth, QDate from, QDate to) {
    StatsRequest r;
    r.format = kFormat;
    r.amountBox = QStringLiteral("金额");
    r.countBills = false;
    r.dateBox = QStringLiteral("日期");
    r.byMonth = byMonth;
    r.from = from;
    r.to = to;
    return r;
}

void BM_Anchor_SortMillion(benchmark::State& state) {
    std::mt19937 g(7);
    std::vector<double> v(1000000);
    for (auto _ : state) {
        state.PauseTiming();
        for (double& x : v) x = g();
        state.ResumeTiming();
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
}

void BM_YearByDay(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeStatistics(request(false, {2015, 1, 1}, {2015, 12, 31})));
}

void BM_YearByMonth(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeStatistics(request(true, {2015, 1, 1}, {2015, 12, 31})));
}

void BM_MonthByDay(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeStatistics(request(false, {2015, 3, 1}, {2015, 3, 31})));
}

}  // namespace

BENCHMARK(BM_Anchor_SortMillion)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_YearByDay)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_YearByMonth)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_MonthByDay)->Unit(benchmark::kMillisecond)->Repetitions(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gDir = &dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    setUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CloseDatabase();
    return 0;
}
