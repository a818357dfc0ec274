// Format files and the format list: exporting and importing a format of 500 boxes, importing
// a format file with 100,000 lines of custom items, and opening the format list over 1,000
// formats. The anchor stores the same 500 rows with
// plain inserts in one transaction, beside them in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "common/TextFiles.h"
#include "library/FormatFile.h"
#include "library/ui/FmtList.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

const QString kFormat = QStringLiteral("五百框");
QTemporaryDir* g_dir = nullptr;

void insertBoxes(const QString& format) {
    for (int i = 0; i < 500; ++i) {
        const double x = 5 + (i % 20) * 14, y = 5 + (i / 20) * 8;
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, fName, fSize, Clas, Cash, RCtl, SumID) "
            "VALUES(?, ?, '左边', ?, ?, 12, 6, '宋体', 9, ?, ?, ?, ?)",
            {format, QStringLiteral("框%1\r\n第二行").arg(i), x, y, i % 10 == 9 ? 1 : 0,
             i % 7 == 0 ? 11.0 : 0.0, i > 0 ? -double(i) : 0.0, i % 3 == 0 ? double(i + 1) : 0.0});
    }
}

void makeFormat() {
    Transaction t;
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 297, 210, 10, 10, "
        "15360, '')",
        {kFormat, kWholeFormatLabel});
    insertBoxes(kFormat);
    t.Commit();
}

void BM_Anchor_Insert500Rows(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        Transaction t;
        insertBoxes(QStringLiteral("锚%1").arg(n++));
        t.Commit();
    }
}
BENCHMARK(BM_Anchor_Insert500Rows)->Unit(benchmark::kMillisecond);

void BM_Export500Boxes(benchmark::State& state) {
    const QString path = g_dir->filePath("export.vfm");
    for (auto _ : state) benchmark::DoNotOptimize(SaveTextFile(FormatFileText(kFormat), path));
}
BENCHMARK(BM_Export500Boxes)->Unit(benchmark::kMillisecond);

void BM_Import500Boxes(benchmark::State& state) {
    const QString source = g_dir->filePath("source.vfm");
    SaveTextFile(FormatFileText(kFormat), source);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = g_dir->filePath(QStringLiteral("导入%1.vfm").arg(n++));
        QFile::copy(source, path);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ImportFormatFile(path));
    }
}
BENCHMARK(BM_Import500Boxes)->Unit(benchmark::kMillisecond);

// A format file whose custom section runs to 100,000 lines (3.3 MB): the lines re-joined,
// and the whole import with its 100,000 parameters.
QString longCustomText() {
    QString text = FormatFileText(kFormat);
    for (int i = 0; i < 100000; ++i)
        text += QStringLiteral("\r\n自定义类型%1=[第%1项;其余的文字][END]").arg(i);
    return text;
}

void BM_Lines100000CustomLines(benchmark::State& state) {
    const QString text = longCustomText();
    for (auto _ : state) benchmark::DoNotOptimize(FormatFileLines(text).size());
}
BENCHMARK(BM_Lines100000CustomLines)->Unit(benchmark::kMillisecond);

void BM_Import100000CustomLines(benchmark::State& state) {
    const QString source = g_dir->filePath("long.vfm");
    SaveTextFile(longCustomText(), source);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = g_dir->filePath(QStringLiteral("长%1.vfm").arg(n++));
        QFile::copy(source, path);
        state.ResumeTiming();
        if (!ImportFormatFile(path)) state.SkipWithError("the import failed");
    }
}
BENCHMARK(BM_Import100000CustomLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FmtListOpen1000Formats(benchmark::State& state) {
    {
        Transaction t;
        for (int i = 0; i < 1000; ++i)
            ExecuteSql(
                "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 210, 99, "
                "10, 10, 15360, '')",
                {QStringLiteral("格式%1").arg(i, 4, 10, QChar(u'0')), kWholeFormatLabel});
        t.Commit();
    }
    MF().SetCurrentFormat(QStringLiteral("格式0500"));
    for (auto _ : state) {
        FmtList list;
        list.Form_Load();
        list.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.grid().Rows());
    }
}
BENCHMARK(BM_FmtListOpen1000Formats)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    makeFormat();
    // Every question is answered No (the import does not open the format it added).
    dlg::SetAnswerer([](const dlg::Shown& s) {
        return s.kind == dlg::Shown::Message ? QVariant(int(dlg::No)) : QVariant();
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ResetMF();
    CloseDatabase();
    return 0;
}
