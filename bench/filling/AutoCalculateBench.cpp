// The calculation over linked boxes per focus loss, on a format of 200 text boxes: a ring of
// 100 same-value boxes, 50 boxes adding into 5 sum boxes, and a history of 500 bills. The
// anchor is one conversion of every box of the format by its data type, measured beside it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "common/Database.h"
#include "common/Schema.h"
#include "filling/AutoCalculate.h"
#include "filling/BoxConversion.h"
#include "filling/DataEntry.h"
#include "filling/FillingServices.h"
#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

const QString kFormat = QStringLiteral("二百框");
qint64 base = 0;  // the ID of box i is base + i

void makeFormat() {
    Transaction t;
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 297, 210, 10, 10, 15360, "
        "'')",
        {kFormat, kWholeFormatLabel});
    Recordset rs;
    OpenRecordset(rs, "SELECT MAX(ID) AS M FROM Fmt");
    base = qint64(rs.Number("M")) + 100;
    for (int i = 0; i < 200; ++i) {
        const qint64 id = base + i;
        double rctl = 0, sum = 0, cash = 0;
        if (i < 100) rctl = i == 99 ? base : id + 1;                      // the ring
        if (i >= 100 && i < 150) sum = base + 150 + (i - 100) % 5 * 1.0;  // into 150..154
        if (i >= 100 && i < 155) cash = 11;                               // money
        if (i >= 100 && i < 150 && i % 2) sum += 0.1;                     // every second subtracts
        ExecuteSql(
            "INSERT INTO Fmt(ID, Fmt, LBL, Dir, X, Y, W, H, fName, fSize, Clas, Cash, RCtl, SumID) "
            "VALUES(?, ?, ?, 1, ?, ?, 12, 6, '宋体', 9, 0, ?, ?, ?)",
            {id, kFormat, QStringLiteral("框%1_%2").arg(i % 20).arg(i / 20), 5 + (i % 20) * 14,
             5 + (i / 20) * 8, cash, rctl, sum});
    }
    for (int bill = 1; bill <= 500; ++bill)
        for (int i = 0; i < 200; i += 10)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                       {bill, kFormat, base + i, QStringLiteral("值%1").arg(bill % 37)});
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

TextBox* boxNo(int i) {
    return static_cast<TextBox*>(BoxOfRecordId(double(base + i)));
}

// Anchor: every box's text converted by its data type once.
void BM_Anchor_ConvertEveryBox(benchmark::State& state) {
    for (auto _ : state)
        for (TextBox* t : MF().TT) benchmark::DoNotOptimize(ConvertByDataType(t, t->Text()));
}
BENCHMARK(BM_Anchor_ConvertEveryBox)->Unit(benchmark::kMillisecond);

// Leaving a ring box with a new value: 100 boxes follow.
void BM_LostFocus_RingOf100(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        TextBox* t = boxNo(0);
        t->SetText(QStringLiteral("新值%1").arg(n++));
        TT_LostFocus(t);
    }
    if (boxNo(99)->Text() != boxNo(0)->Text()) state.SkipWithError("the ring did not follow");
}
BENCHMARK(BM_LostFocus_RingOf100)->Unit(benchmark::kMillisecond);

// Leaving a sum source: its target is summed again from its 10 sources.
void BM_LostFocus_SumSource(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        TextBox* t = boxNo(100);
        t->SetText(QString::number(100 + (n++ % 50)));
        TT_LostFocus(t);
    }
}
BENCHMARK(BM_LostFocus_SumSource)->Unit(benchmark::kMillisecond);

// Leaving a box without links (the common case).
void BM_LostFocus_Unlinked(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        TextBox* t = boxNo(180);
        t->SetText(QStringLiteral("值%1").arg(n++ % 37));
        TT_LostFocus(t);
    }
}
BENCHMARK(BM_LostFocus_Unlinked)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    makeFormat();
    MF().SetFrameSize(15000, 9000);
    InstallFillingServices();
    show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ResetMF();
    CloseDatabase();
    return 0;
}
