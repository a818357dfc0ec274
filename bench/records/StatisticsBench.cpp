// Statistics over the history of a busy year: 10,000 bills of 10 boxes (100,000 rows) dated
// through 2015, beside the bills of another format. The year by day is read as a ratio to the
// same sums taken by one GROUP BY on the same database in the same process; by month and one
// month by day are shown beside it, as is the same year when the date is written in three
// boxes of capitals (year, month and day).

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "MedianReporter.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "records/Statistics.h"

using namespace bw;

namespace {

const QString kFormat = QStringLiteral("统计单");
const QString kOther = QStringLiteral("其他单");
constexpr int kBills = 10000;
qint64 gDateBox = 0, gAmountBox = 0;

qint64 addBox(const QString& format, const char* label, double cash) {
    ExecuteSql("INSERT INTO Fmt(Fmt, LBL, Cash, Clas) VALUES(?, ?, ?, 0)",
               {format, QString::fromUtf8(label), cash});
    return ValueWhere("Fmt", "Fmt=? AND LBL=?", "ID", {format, QString::fromUtf8(label)})
        .toLongLong();
}

void addBills(const QString& format, int firstBill, bool capitalDate) {
    const char* labels[10] = {"日期", "金额",  "收款人", "年",    "月",
                              "日",   "备注1", "备注2",  "备注3", "备注4"};
    const double types[10] = {110, 104, 0, 106, 107, 108, 0, 0, 0, 0};
    std::vector<qint64> ids;
    for (int i = 0; i < 10; ++i) ids.push_back(addBox(format, labels[i], types[i]));
    if (format == kFormat) gDateBox = ids[0], gAmountBox = ids[1];
    const QString capitals[10] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
    auto inCapitals = [&](int n) {
        QString s;
        for (QChar c : QString::number(n)) s += capitals[c.unicode() - u'0'];
        return s;
    };
    const QDate start(2015, 1, 1);
    for (int n = 0; n < kBills; ++n) {
        const QDate day = start.addDays(n * 365 / kBills);
        const QString values[10] = {day.toString("yyyy-MM-dd"),
                                    QString::number(n % 997 + 0.5),
                                    QStringLiteral("收款人%1").arg(n % 50),
                                    capitalDate ? inCapitals(day.year()) : QString(),
                                    capitalDate ? inCapitals(day.month()) : QString(),
                                    capitalDate ? inCapitals(day.day()) : QString(),
                                    "a",
                                    "b",
                                    "c",
                                    "d"};
        for (int b = 0; b < 10; ++b)
            if (b < 3 || b > 5 || capitalDate)
                ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                           {firstBill + n, format, ids[b], values[b]});
    }
}

void setUp() {
    Transaction t;
    addBills(kOther, 1, true);
    addBills(kFormat, kBills + 1, false);
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

// The sums per day of the year by one GROUP BY, every row stepped to the end.
std::map<QString, double> groupBySums() {
    static const char* sql =
        "SELECT d.Con, SUM(a.Con) FROM 历史 d JOIN 历史 a ON a.Fmt=d.Fmt AND a.ID=d.ID AND "
        "a.CID=?3 WHERE d.Fmt=?1 AND d.CID=?2 AND d.Con BETWEEN '2015-01-01' AND '2015-12-31' "
        "GROUP BY d.Con ORDER BY d.Con";
    std::map<QString, double> sums;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(Db()->Handle(), sql, -1, &st, nullptr);
    const QByteArray format = kFormat.toUtf8();
    sqlite3_bind_text(st, 1, format.constData(), static_cast<int>(format.size()), SQLITE_STATIC);
    sqlite3_bind_int64(st, 2, gDateBox);
    sqlite3_bind_int64(st, 3, gAmountBox);
    while (sqlite3_step(st) == SQLITE_ROW)
        sums.emplace_hint(
            sums.end(),
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                              sqlite3_column_bytes(st, 0)),
            sqlite3_column_double(st, 1));
    sqlite3_finalize(st);
    return sums;
}

void BM_Anchor_GroupByYear(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(groupBySums());
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

void BM_YearByDayCapitalDates(benchmark::State& state) {
    StatsRequest r = request(false, {2015, 1, 1}, {2015, 12, 31});
    r.format = kOther;
    r.wholeDate = false;
    r.yearBox = QStringLiteral("年");
    r.monthBox = QStringLiteral("月");
    r.dayBox = QStringLiteral("日");
    for (auto _ : state) benchmark::DoNotOptimize(ComputeStatistics(r));
}

// The benchmark is only worth its ratio when both give the same sums.
bool sameSums() {
    const std::map<QString, double> expected = groupBySums();
    const auto rows = ComputeStatistics(request(false, {2015, 1, 1}, {2015, 12, 31}));
    size_t nonZero = 0;
    for (const StatsRow& row : rows) {
        if (row.value == 0) continue;
        ++nonZero;
        const auto it = expected.find(row.period);
        if (it == expected.end() || std::fabs(it->second - row.value) > 1e-6) return false;
    }
    return nonZero == expected.size();
}

}  // namespace

BENCHMARK(BM_Anchor_GroupByYear)->Unit(benchmark::kMillisecond)->Repetitions(7);
BENCHMARK(BM_YearByDay)->Unit(benchmark::kMillisecond)->Repetitions(7);
BENCHMARK(BM_YearByMonth)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_MonthByDay)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_YearByDayCapitalDates)->Unit(benchmark::kMillisecond)->Repetitions(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    setUp();
    if (!sameSums()) std::fprintf(stderr, "statistics and GROUP BY differ\n");
    std::vector<char*> keep;
    bench::InitializeInterleaved(argc, argv, keep);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-48s\n", "ratio (project / anchor, medians, ms)");
    reporter.Ratio("statistics by day, one year", "BM_YearByDay", "BM_Anchor_GroupByYear", 1.5);
    reporter.Ratio("statistics by month, one year", "BM_YearByMonth", "BM_Anchor_GroupByYear", 0);
    reporter.Ratio("statistics by day, one month", "BM_MonthByDay", "BM_Anchor_GroupByYear", 0);
    reporter.Ratio("statistics by day, capital dates", "BM_YearByDayCapitalDates",
                   "BM_Anchor_GroupByYear", 0);
    benchmark::Shutdown();
    CloseDatabase();
    return 0;
}
