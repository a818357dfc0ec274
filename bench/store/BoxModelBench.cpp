// Loading, showing and saving a format of 500 boxes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "platform/VbNumbers.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

using namespace bw;

namespace {

const QString kFormat = QStringLiteral("五百框");

void makeFormat() {
    Transaction t;
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 297, 210, 10, 10, 15360, "
        "'')",
        {kFormat, kWholeFormatLabel});
    for (int i = 0; i < 500; ++i) {
        const int kind = i % 10 == 9 ? 1 : (i % 25 == 24 ? 3 : 0);
        const double x = 5 + (i % 20) * 14, y = 5 + (i / 20) * 8;
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, fName, fSize, Clas, Cash) "
            "VALUES(?, ?, 1, ?, ?, ?, ?, '宋体', 9, ?, ?)",
            {kFormat, QStringLiteral("框%1").arg(i), x, y, kind == 3 ? x + 12 : 12.0,
             kind == 3 ? y : 6.0, kind, i % 7 == 0 ? 11.0 : 0.0});
    }
    t.Commit();
}

void show() {
    MainForm& mf = MF();
    mf.SetCurrentFormat(kFormat);
    QString name = kFormat;
    LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    mf.PG->SetHeight(mf.FrameWidth() * mf.PaperHeightMm() / mf.PaperWidthMm());
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    ReloadFormatBoxes(mf.BoxGrid(), false);
}

void BM_LoadAndShow500Boxes(benchmark::State& state) {
    for (auto _ : state) {
        show();
        benchmark::DoNotOptimize(BoxCount[kTextBox]);
    }
}
BENCHMARK(BM_LoadAndShow500Boxes)->Unit(benchmark::kMillisecond);

void BM_Save500Boxes(benchmark::State& state) {
    show();
    QString name = kFormat;
    for (auto _ : state) benchmark::DoNotOptimize(SaveFormat(MF().BoxGrid(), name));
}
BENCHMARK(BM_Save500Boxes)->Unit(benchmark::kMillisecond);

void BM_SaveAs500Boxes(benchmark::State& state) {
    show();
    int n = 0;
    for (auto _ : state) {
        QString name = QStringLiteral("副本%1").arg(n++);
        benchmark::DoNotOptimize(SaveFormat(MF().BoxGrid(), name));
    }
}
BENCHMARK(BM_SaveAs500Boxes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    makeFormat();
    MF().SetFrameSize(15000, 9000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ResetMF();
    CloseDatabase();
    return 0;
}
