// Filling a grid of 30,000 rows x 10 columns from the database and fitting its column
// widths, as the history grid does with a large history; sorting it by a header click; and
// drawing it on screen. The fill is also measured as a whole process (grid_fill_process)
// beside the sqlite3 command line printing the same SELECT, and printed as a ratio.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/GridView.h"

#include "BenchFolder.h"
#include "ChildProcess.h"
#include "MedianReporter.h"

namespace {

constexpr int kRows = 30000;
QString dataFolder;

void prepareTable() {
    bw::ExecuteSql(
        "CREATE TABLE 账目 (ID INTEGER PRIMARY KEY, 名称 TEXT, 金额 DOUBLE, 日期 DATE, 已付 "
        "BOOLEAN, "
        "备注 TEXT, 数量 LONG, 单价 DOUBLE, 地址 TEXT)");
    const char* names[] = {"上海申通物流有限公司", "北京华联商厦", "广州白云机场", "深圳腾达电子"};
    bw::Transaction t;
    for (int i = 0; i < kRows; ++i) {
        bw::ExecuteSql(
            "INSERT INTO 账目 (名称, 金额, 日期, 已付, 备注, 数量, 单价, 地址) VALUES "
            "(?,?,?,?,?,?,?,?)",
            {QString::fromUtf8(names[i % 4]) + QString::number(i), (i * 7919 % 1000000) / 7.0,
             QString("2013-%1-%2")
                 .arg(1 + i % 12, 2, 10, QChar('0'))
                 .arg(1 + i % 28, 2, 10, QChar('0')),
             i % 2 == 0, QString("第%1号单据的备注").arg(i), i % 500, (i % 97) / 3.0,
             QString("某某省某某市某某路%1号").arg(i % 1000)});
    }
    t.Commit();
}

void setupGrid(bw::Grid& g) {
    bw::SetupGrid(g, {"ID", "", "名称", "金额", "日期", "已付", "备注", "数量", "单价", "地址"},
                  {"ID", "序号", "名称", "金额", "日期", "已付", "备注", "数量", "单价", "地址"});
    g.SetTag("账目");
}

void BM_FillGridFromSqlAndAutoFit(benchmark::State& state) {
    bw::Grid g;
    setupGrid(g);
    for (auto _ : state) {
        bw::FillGridFromSql(g, QString(), "ID");
        benchmark::DoNotOptimize(g.Rows());
    }
    state.counters["rows"] = g.Rows() - g.FixedRows();
}
BENCHMARK(BM_FillGridFromSqlAndAutoFit)->Unit(benchmark::kMillisecond)->Iterations(5);

// The program's piece as a whole process: start, open the data file, fill, fit, end.
void BM_GridFillProcess(benchmark::State& state) {
    const std::string exe = bench::OwnFolder() + "/grid_fill_process";
    for (auto _ : state) {
        const bench::ChildRun run = bench::RunChild({exe, dataFolder.toStdString()});
        if (!run.ok) {
            state.SkipWithError("grid_fill_process failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
}
BENCHMARK(BM_GridFillProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5);

// The anchor: the sqlite3 command line printing the same SELECT.
void BM_Sqlite3Select(benchmark::State& state) {
    const std::string db = bw::DatabasePath().toStdString();
    for (auto _ : state) {
        const bench::ChildRun run =
            bench::RunChild({"sqlite3", db, "SELECT * FROM \"账目\" ORDER BY ID"});
        if (!run.ok) {
            state.SkipWithError("sqlite3 failed (is the sqlite3 package installed?)");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
}
BENCHMARK(BM_Sqlite3Select)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5);

void BM_AutoFitGridColumns(benchmark::State& state) {
    bw::Grid g;
    setupGrid(g);
    bw::FillGridFromSql(g, QString(), "ID");
    for (auto _ : state) bw::AutoFitGridColumns(nullptr, g, 2, false);
}
BENCHMARK(BM_AutoFitGridColumns)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortByHeaderClick(benchmark::State& state) {
    bw::Grid g;
    setupGrid(g);
    bw::FillGridFromSql(g, QString(), "ID");
    int col = 2;
    for (auto _ : state) {
        bw::ToggleSortColumn(g, col);
        col = col == 2 ? 3 : 2;  // text, then numbers
    }
}
BENCHMARK(BM_SortByHeaderClick)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_PaintScrolledView(benchmark::State& state) {
    bw::GridView view;
    view.resize(1000, 700);
    setupGrid(view.grid());
    bw::FillGridFromSql(view.grid(), QString(), "ID");
    view.show();
    QApplication::processEvents();
    int top = 2;
    for (auto _ : state) {
        top = (top + 7919) % (kRows - 40) + 2;
        view.grid().SetTopRow(top);
        QImage image = view.grab().toImage();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_PaintScrolledView)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenAndLocalTime();
    QApplication app(argc, argv);
    QTemporaryDir data;
    bench::KeepIfAsked(data);
    dataFolder = data.path();
    bw::SetAppPath(data.path());
    bw::dlg::SetAnswerer([](const bw::dlg::Shown&) { return QVariant(); });
    if (!bw::EnsureDatabase()) return 1;
    prepareTable();
    std::vector<char*> args;
    bench::InitializeInterleaved(argc, argv, args);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio (project / anchor, medians, ms)\n");
    reporter.Ratio("grid fill + auto-fit process vs sqlite3 SELECT", "BM_GridFillProcess",
                   "BM_Sqlite3Select", 2.0);
    bw::CloseDatabase();
    return 0;
}
