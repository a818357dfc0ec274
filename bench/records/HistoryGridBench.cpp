// The history grid's "显示全部" over 100,000 history rows (10,000 bills of 10 boxes): in this
// process beside its SELECT stepped to the end on the same connection, and as a whole process
// (history_grid_process) beside the sqlite3 command line printing that SELECT. Each timed
// show-all starts, as for the clerk, from the history page showing its first 300 rows.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Settings.h"
#include "records/HistoryGrid.h"
#include "store/MainForm.h"

#include "BenchFolder.h"
#include "ChildProcess.h"
#include "HistoryGridData.h"
#include "MedianReporter.h"

using namespace bw;

namespace {

QString dataFolder;

void BM_ShowAllHistory(benchmark::State& state) {
    Grid& g = *MF().MSF[2];
    for (auto _ : state) {
        state.PauseTiming();
        LoadHistoryGrid(g, bench::kHistoryFormat, 300);
        state.ResumeTiming();
        LoadHistoryGrid(g, bench::kHistoryFormat, 0);
        benchmark::DoNotOptimize(g.Rows());
    }
    state.counters["rows"] = g.Rows() - g.FixedRows();
}
BENCHMARK(BM_ShowAllHistory)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5);

// The anchor: the same SELECT, prepared, bound and stepped to its end, reading nothing.
void BM_HistorySelectStepped(benchmark::State& state) {
    sqlite3* db = Db()->Handle();
    const QByteArray sql = bench::kHistorySelect.toUtf8();
    const QByteArray format = bench::kHistoryFormat.toUtf8();
    long rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        sqlite3_bind_text(st, 1, format.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 2, 1 << 30);
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) ++rows;
        sqlite3_finalize(st);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_HistorySelectStepped)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5);

// The program's piece as a whole process: start, open the data file, show all, end.
void BM_HistoryGridProcess(benchmark::State& state) {
    const std::string exe = bench::OwnFolder() + "/history_grid_process";
    for (auto _ : state) {
        const bench::ChildRun run = bench::RunChild({exe, dataFolder.toStdString()});
        if (!run.ok) {
            state.SkipWithError("history_grid_process failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
}
BENCHMARK(BM_HistoryGridProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5);

// Its anchor: the sqlite3 command line printing the same SELECT.
void BM_Sqlite3HistorySelect(benchmark::State& state) {
    const std::string db = DatabasePath().toStdString();
    QString sql = bench::kHistorySelect;
    sql.replace(QStringLiteral("Fmt=?"), QStringLiteral("Fmt='") + bench::kHistoryFormat + u'\'');
    sql.remove(QStringLiteral(" LIMIT ?"));
    for (auto _ : state) {
        const bench::ChildRun run = bench::RunChild({"sqlite3", db, sql.toStdString()});
        if (!run.ok) {
            state.SkipWithError("sqlite3 failed (is the sqlite3 package installed?)");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
}
BENCHMARK(BM_Sqlite3HistorySelect)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenAndLocalTime();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    bench::KeepIfAsked(dir);
    SetSettingsFolder(dir.filePath("settings"));
    dataFolder = dir.filePath("data");
    SetAppPath(dataFolder);
    dlg::SetAnswerer([](const dlg::Shown&) { return QVariant(); });
    // The program shows the progress window of an operation only once it has run this long.
    SetProgressShowDelay(kProgramProgressShowDelayMs);
    if (!EnsureDatabase()) return 1;
    bench::MakeHistory();
    std::vector<char*> args;
    bench::InitializeInterleaved(argc, argv, args);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio (project / anchor, medians, ms)\n");
    reporter.Ratio("show all, in process, vs its SELECT stepped", "BM_ShowAllHistory",
                   "BM_HistorySelectStepped", 1.1);
    reporter.Ratio("show all, whole process, vs sqlite3 printing it", "BM_HistoryGridProcess",
                   "BM_Sqlite3HistorySelect", 1.5);
    benchmark::Shutdown();
    ResetMF();
    CloseDatabase();
    return 0;
}
