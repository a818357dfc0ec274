// From the program's entry to the first painted main window, with a format of 200 boxes
// (text boxes with contents, check boxes, QR codes, lines and labels) as the last format:
// in this process, and as whole processes (start_process) beside a bare QMainWindow process
// that paints once (bare_window_process), their times and peak memory printed as ratios.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "store/Canvas.h"
#include "store/MainForm.h"

#include "BenchFolder.h"
#include "ChildProcess.h"
#include "MedianReporter.h"

using namespace bw;

namespace {

const QString kFormat = QStringLiteral("二百框");

void makeFormat() {
    Transaction t;
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 297, 210, 10, 10, 15360, "
        "'False|False|1|0|0|0|1|False|False|￥|False|False||False|False|2|')",
        {kFormat, kWholeFormatLabel});
    for (int i = 0; i < 200; ++i) {
        // 150 text boxes, 20 check boxes, 10 QR codes, 10 lines, 10 labels.
        const int kind = i < 150 ? 0 : (i < 170 ? 1 : (i < 180 ? 2 : (i < 190 ? 3 : 4)));
        const double x = 20 + (i % 10) * 27, y = 6 + (i / 10) * 10;
        const double w = kind == 3 ? x + 20 : (kind == 2 ? 9 : 20);
        const double h = kind == 3 ? y : (kind == 2 ? 9 : 6);
        const double cash =
            kind == 0 ? (i % 5 == 0 ? 11 : (i % 7 == 0 ? 103 : 0)) : (kind == 3 ? 1 : 0);
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, fName, fSize, Clas, Cash, RCtl, SumID, "
            "SumID1, "
            "RCtl1) VALUES(?, ?, 1, ?, ?, ?, ?, '宋体', 9, ?, ?, 0, 0, 0, 0)",
            {kFormat, QStringLiteral("框%1").arg(i), x, y, w, h, kind, cash});
        const QVariant id =
            ValueWhere("Fmt", "Fmt=? AND LBL=?", "ID", {kFormat, QStringLiteral("框%1").arg(i)});
        if (kind <= 2)
            ExecuteSql("INSERT INTO 默认(Fmt, ID, Con) VALUES(?, ?, ?)",
                       {kFormat, id,
                        kind == 1 ? QStringLiteral("1") : QStringLiteral("%1").arg(1000 + i * 37)});
    }
    ExecuteSql("UPDATE Fmt SET LBL=? WHERE Fmt=''", {kFormat});
    t.Commit();
}

// Notes the first paint of the main window's canvas.
class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, e);
    }
};

QStringList arguments;
std::string dataFolder, settingsFolder;

// One whole process from its spawn to its end at the first paint; its peak memory as a
// counter (kilobytes).
void runProcess(benchmark::State& state, const std::vector<std::string>& argv) {
    // The in-process start above keeps the data folder's lock and file open.
    ReleaseInstanceLock();
    CloseDatabase();
    long peak = 0;
    for (auto _ : state) {
        const bench::ChildRun run = bench::RunChild(argv);
        if (!run.ok) {
            state.SkipWithError("the process failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakRssKb);
    }
    state.counters["peak_kB"] = static_cast<double>(peak);
}

void BM_StartProcess(benchmark::State& state) {
    runProcess(state, {bench::OwnFolder() + "/start_process", dataFolder, settingsFolder});
}
BENCHMARK(BM_StartProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5);

void BM_BareWindowProcess(benchmark::State& state) {
    runProcess(state, {bench::OwnFolder() + "/bare_window_process"});
}
BENCHMARK(BM_BareWindowProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5);

// For reference: the bare window showing one line of Chinese text.
void BM_BareWindowWithTextProcess(benchmark::State& state) {
    runProcess(state, {bench::OwnFolder() + "/bare_window_process", "--text"});
}
BENCHMARK(BM_BareWindowWithTextProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5);

// For reference: the bare window painting the first window's texts and lines itself.
void BM_BareWindowWithBillProcess(benchmark::State& state) {
    runProcess(state, {bench::OwnFolder() + "/bare_window_process", "--bill"});
}
BENCHMARK(BM_BareWindowWithBillProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5);

void BM_StartToFirstPaintedWindow(benchmark::State& state) {
    for (auto _ : state) {
        CloseDatabase();
        ReleaseInstanceLock();
        FirstPaint watcher;
        QElapsedTimer clock;
        clock.start();
        if (!Main(arguments) || !TheMainWindow()) {
            state.SkipWithError("the main window did not open");
            return;
        }
        MF().PG->installEventFilter(&watcher);
        while (!watcher.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        MF().PG->removeEventFilter(&watcher);
        TheMainWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StartToFirstPaintedWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenAndLocalTime();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    bench::KeepIfAsked(dir);
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    dlg::SetAnswerer([](const dlg::Shown&) { return QVariant(); });
    SetPauseMillisPerPass(0);
    if (!EnsureDatabase()) return 1;
    makeFormat();
    CloseDatabase();
    arguments = {QStringLiteral("bellweft"), QStringLiteral("--data-dir"), dir.filePath("data")};
    dataFolder = dir.filePath("data").toStdString();
    settingsFolder = dir.filePath("settings").toStdString();
    std::vector<char*> args;
    bench::InitializeInterleaved(argc, argv, args);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio (project / anchor, medians)\n");
    reporter.Ratio("start to first paint vs bare window painting the bill (ms)", "BM_StartProcess",
                   "BM_BareWindowWithBillProcess", 1.6);
    reporter.CounterRatio("peak memory of that start (kB)", "BM_StartProcess",
                          "BM_BareWindowWithBillProcess", "peak_kB", 1.2);
    reporter.Ratio("start vs bare empty window (ms)", "BM_StartProcess", "BM_BareWindowProcess", 0);
    reporter.CounterRatio("its memory vs that window (kB)", "BM_StartProcess",
                          "BM_BareWindowProcess", "peak_kB", 0);
    reporter.Ratio("bare window painting the bill vs empty (ms)", "BM_BareWindowWithBillProcess",
                   "BM_BareWindowProcess", 0);
    reporter.CounterRatio("its memory (kB)", "BM_BareWindowWithBillProcess", "BM_BareWindowProcess",
                          "peak_kB", 0);
    benchmark::Shutdown();
    ReleaseInstanceLock();
    CloseDatabase();
    return 0;
}
