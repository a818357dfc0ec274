// The history at size: 1,000 bills of 60 boxes recorded in one transaction, the history
// grid showing 10,000 bills of 60 boxes, and that grid exported. Each is read as a ratio
// to the anchor, a fixed sort of a million numbers run in the same process.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <vector>

#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "platform/Settings.h"
#include "records/ExportWriters.h"
#include "records/GridExport.h"
#include "records/History.h"
#include "records/HistoryGrid.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

const QString kPrinted = QStringLiteral("六十框");   // the bills recorded by the benchmark
const QString kStored = QStringLiteral("万张单据");  // 10,000 bills stored beforehand
QTemporaryDir* gDir = nullptr;

void makeFormat(const QString& name) {
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 297, 210, 10, 10, 15360, "
        "'')",
        {name, kWholeFormatLabel});
    for (int i = 0; i < 60; ++i)
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, fName, fSize, Clas) "
            "VALUES(?, ?, 1, ?, ?, 12, 6, '宋体', 9, 0)",
            {name, QStringLiteral("栏目%1").arg(i), 5 + (i % 10) * 14, 5 + (i / 10) * 8});
}

void setUp() {
    Transaction t;
    makeFormat(kPrinted);
    makeFormat(kStored);
    Recordset ids;
    OpenRecordset(ids, "SELECT ID FROM Fmt WHERE Fmt=? AND Clas=0 ORDER BY ID", {kStored});
    std::vector<qint64> cids;
    for (ids.MoveFirst(); !ids.Eof(); ids.MoveNext()) cids.push_back(ids.Value(0).toLongLong());
    for (int bill = 1; bill <= 10000; ++bill)
        for (size_t b = 0; b < cids.size(); ++b)
            ExecuteSql(
                "INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                {bill, kStored, cids[b],
                 QStringLiteral("第%1张的第%2栏，金额%3").arg(bill).arg(b).arg(bill * 1.25)});
    t.Commit();

    MainForm& mf = MF();
    mf.SetCurrentFormat(kPrinted);
    QString name = kPrinted;
    LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    ReloadFormatBoxes(mf.BoxGrid(), false);
    for (int n = 1; n <= BoxCount[kTextBox]; ++n)
        static_cast<TextBox*>(GetBoxByIndex(n))->SetText(QStringLiteral("内容%1").arg(n));
}

void BM_Anchor_SortMillionNumbers(benchmark::State& state) {
    std::mt19937 gen(42);
    std::vector<int> source(1'000'000);
    for (int& v : source) v = static_cast<int>(gen());
    for (auto _ : state) {
        std::vector<int> v = source;
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_Anchor_SortMillionNumbers)->Unit(benchmark::kMillisecond);

void BM_Record1000BillsOf60Boxes(benchmark::State& state) {
    for (auto _ : state) {
        {
            Transaction batch;
            for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(SaveBillToHistory(kPrinted));
            batch.Commit();
        }
        state.PauseTiming();
        ExecuteSql("DELETE FROM 历史 WHERE Fmt=?", {kPrinted});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Record1000BillsOf60Boxes)->Unit(benchmark::kMillisecond);

Grid& loadedGrid() {
    Grid& g = *MF().MSF[2];
    LoadHistoryGrid(g, kStored, 0);
    return g;
}

void BM_ShowAll10000BillsOf60Boxes(benchmark::State& state) {
    Grid& g = *MF().MSF[2];
    for (auto _ : state) {
        g.SetTag(QString());
        LoadHistoryGrid(g, kStored, 0);
        benchmark::DoNotOptimize(g.Rows());
    }
}
BENCHMARK(BM_ShowAll10000BillsOf60Boxes)->Unit(benchmark::kMillisecond);

void BM_ExportCsv10000Bills(benchmark::State& state) {
    const Grid& g = loadedGrid();
    const QString path = gDir->filePath("history.csv");
    for (auto _ : state) benchmark::DoNotOptimize(ExportGridToCsv(g, path));
}
BENCHMARK(BM_ExportCsv10000Bills)->Unit(benchmark::kMillisecond);

void BM_ExportXls10000Bills(benchmark::State& state) {
    const Grid& g = loadedGrid();
    const QString path = gDir->filePath("history.xls");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteGridWorkbook(path, GridWorkbookSheet(g, kStored)));
}
BENCHMARK(BM_ExportXls10000Bills)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gDir = &dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    InitBoxModule();
    MF().SetFrameSize(15000, 9000);
    setUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UnloadAllBoxes();
    ResetMF();
    CloseDatabase();
    return 0;
}
