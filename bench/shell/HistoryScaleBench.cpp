// A bill costs the same whatever the history holds. The work a clerk repeats bill after bill,
// on the ready 银行进账单 of a data file the program made (its number a running number shown
// in its QR code; here the payee's account and bank are also linked (相关) to the payee, so
// that they come from the payee's latest bill): a 1,000-bill batch through the batch print
// command, one bill through the print command (cleared after printing, so the next bill's
// values follow), a new bill's automatic values, the format opened and the history page's
// first view, each with 30,000 and with 300,000 earlier bills in the history against the
// same work on a history of 100 bills (as good as empty, yet each lookup finds what it
// looks for, and the first view is full, as in the longer ones); and a
// 10,000-bill batch with its running-number box against the same batch with that box a
// plain one. The histories are written by SQL, in one transaction each; every bill a run
// prints is taken out of the history again before the next run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <map>

#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Schema.h"
#include "filling/NewBill.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/Settings.h"
#include "printing/SelPrinter.h"
#include "records/BatchRows.h"
#include "records/CsvImport.h"
#include "records/History.h"
#include "records/HistoryGrid.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "store/BoxAccessors.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

#include "BenchFolder.h"
#include "MedianReporter.h"

using namespace bw;

namespace {

QTemporaryDir* root = nullptr;
int shownHistory = -1;  // the earlier bills of the data folder in use

QString folderOf(int bills) {
    return root->filePath(QStringLiteral("h%1").arg(bills));
}

// The slip's boxes by what a bill puts into them.
struct SlipBoxes {
    std::map<QString, qint64> text;  // caption (payer's and payee's 全称 etc. told apart)
    qint64 urgent = 0, qr = 0;
    QString numberBox = QStringLiteral("编号");
};
SlipBoxes slip;

void findSlipBoxes() {
    Recordset rs;
    OpenRecordset(rs, "SELECT ID, LBL, Clas, X FROM Fmt WHERE Fmt=? AND Clas<=2 ORDER BY ID",
                  {kSampleDepositSlip});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const qint64 id = static_cast<qint64>(rs.Number("ID"));
        const int clas = static_cast<int>(rs.Number("Clas"));
        QString lbl = rs.Text("LBL");
        if (clas == 1) slip.urgent = id;
        if (clas == 2) slip.qr = id;
        if (clas != 0) continue;
        if (rs.Number("X") > 100 && (lbl == "全称" || lbl == "账号" || lbl == "开户银行"))
            lbl = "收款" + lbl;
        slip.text[lbl] = id;
    }
}

QString billNumber(int bill) {
    return QStringLiteral("BW-JZD-20130411-%1").arg(bill, 4, 10, QLatin1Char('0'));
}

QString payee(int bill) {
    return QStringLiteral("收款单位%1有限公司").arg(bill % 50, 2, 10, QLatin1Char('0'));
}

// Writes `bills` bills of the slip, as printing them would have recorded them.
void writeHistory(int bills) {
    ExecuteSql("PRAGMA cache_size=-1000000");
    Transaction t;
    std::vector<std::pair<qint64, std::function<QString(int)>>> rows = {
        {slip.text["年"], [](int) { return QStringLiteral("2024"); }},
        {slip.text["月"], [](int b) { return QString::number(b % 12 + 1); }},
        {slip.text["日"], [](int b) { return QString::number(b % 28 + 1); }},
        {slip.text["全称"], [](int) { return QStringLiteral("上海申通物流有限公司"); }},
        {slip.text["账号"], [](int) { return QStringLiteral("1001 2345 6789 0123 456"); }},
        {slip.text["开户银行"], [](int) { return QStringLiteral("中国工商银行上海市分行"); }},
        {slip.text["收款全称"], payee},
        {slip.text["收款账号"],
         [](int b) { return QStringLiteral("6222 0200 %1 5678").arg(b % 50 + 1000); }},
        {slip.text["收款开户银行"],
         [](int b) { return QStringLiteral("中国建设银行北京第%1支行").arg(b % 50); }},
        {slip.text["人民币(大写)"], [](int) { return QStringLiteral("壹仟贰佰叁拾肆元伍角"); }},
        {slip.text["小写"], [](int b) { return QStringLiteral("￥%1").arg(b * 1.25, 0, 'f', 2); }},
        {slip.text["票据种类"], [](int) { return QStringLiteral("转账支票"); }},
        {slip.text["票据张数"], [](int) { return QStringLiteral("1"); }},
        {slip.text["用途"], [](int b) { return QStringLiteral("货款%1").arg(b % 10); }},
        {slip.text[slip.numberBox], billNumber},
        {slip.urgent, [](int) { return QStringLiteral("1"); }},
        {slip.qr, billNumber},
    };
    QString sql = "INSERT INTO 历史(ID, Fmt, CID, Con) VALUES";
    for (size_t i = 0; i < rows.size(); ++i)
        sql +=
            QStringLiteral("%1(?1, ?2, ?%2, ?%3)").arg(i ? ", " : "").arg(3 + 2 * i).arg(4 + 2 * i);
    for (int b = 1; b <= bills; ++b) {
        Params p{b, kSampleDepositSlip};
        for (const auto& [cid, value] : rows) p << cid << value(b);
        ExecuteSql(sql, p);
    }
    t.Commit();
}

// A data folder of the program with that many earlier bills.
void makeFolder(int bills) {
    CloseDatabase();
    QDir().mkpath(folderOf(bills));
    SetAppPath(folderOf(bills));
    CheckDataFile();
    UpgradeIndexes();
    // The payee's account and bank follow the payee from the payee's latest bill.
    ExecuteSql("UPDATE Fmt SET RCtl=? WHERE ID=?", {-slip.text["收款账号"], slip.text["收款全称"]});
    ExecuteSql("UPDATE Fmt SET RCtl=? WHERE ID=?",
               {-slip.text["收款开户银行"], slip.text["收款账号"]});
    if (bills > 0) writeHistory(bills);
    CloseDatabase();
}

void use(int bills) {
    if (shownHistory == bills) return;
    CloseDatabase();
    SetAppPath(folderOf(bills));
    SelectFormat(kSampleDepositSlip);
    shownHistory = bills;
}

// Takes the bills a run printed out of the history again.
void forgetBillsAfter(int bills) {
    ExecuteSql("DELETE FROM 历史 WHERE Fmt=? AND ID>?", {kSampleDepositSlip, bills});
    SelectFormat(kSampleDepositSlip);
}

// Answers the next printer choice with the PDF file printer.
void choosePdf() {
    QTimer::singleShot(0, [] {
        if (SelPrinter* d = SelPrinter::Current()) {
            d->COMB->setCurrentText(kPdfPrinterName);
            d->PdfFile->setText(root->filePath("out.pdf"));
            d->TT->setText("1");
            d->COM_Click(0);
        }
    });
}

// The batch grid with `records` records: purpose, amount and payee (one of 50) of each.
void importBatch(int records) {
    const QString csv = root->filePath(QStringLiteral("batch%1.csv").arg(records));
    if (!QFile::exists(csv)) {
        QFile f(csv);
        f.open(QIODevice::WriteOnly);
        f.write("用途,小写,收款人\r\n");
        for (int i = 0; i < records; ++i)
            f.write(QStringLiteral("货款%1,%2,%3\r\n")
                        .arg(i % 10)
                        .arg(100 + i * 3.25)
                        .arg(payee(i + 7))
                        .toLocal8Bit());
    }
    ColumnSpecs specs;
    for (TextBox* box : MF().TT) {
        const qint64 id = BoxRecordId(box);
        specs.text << (id == slip.text["用途"]       ? "A"
                       : id == slip.text["小写"]     ? "B"
                       : id == slip.text["收款全称"] ? "C"
                                                     : "");
    }
    Grid& g = *MF().MSF[1];
    g.SetRows(g.FixedRows());
    int first = 2, last = records + 1;
    ReadCsvData(g, csv, first, last, specs, 1, 0);
    SetupBatchRows(g, MF().HS);
}

// The batch print command over `records` records.
void runBatch(benchmark::State& state, int bills, int records) {
    use(bills);
    importBatch(records);
    for (auto _ : state) {
        choosePdf();
        TheMainWindow()->COM_Click(1);
        state.PauseTiming();
        if (LastBillNumber(kSampleDepositSlip) != bills + records)
            state.SkipWithError("the batch did not record every bill");
        forgetBillsAfter(bills);
        state.ResumeTiming();
    }
}

void BM_Batch1000(benchmark::State& state) {
    runBatch(state, static_cast<int>(state.range(0)), 1000);
}
BENCHMARK(BM_Batch1000)
    ->ArgName("bills")
    ->Arg(100)
    ->Arg(30000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

// 10,000 bills on an empty history, the number box a running number or (0) a plain box.
void BM_Batch10000(benchmark::State& state) {
    use(0);
    Grid& boxes = MF().BoxGrid();
    TextBox* number = nullptr;
    for (TextBox* box : MF().TT)
        if (BoxRecordId(box) == slip.text[slip.numberBox]) number = box;
    const int row = BoxRow(number);
    const QString type = boxes.TextMatrix(row, col::Cash);
    if (state.range(0) == 0) boxes.SetTextMatrix(row, col::Cash, "0");
    runBatch(state, 0, 10000);
    boxes.SetTextMatrix(row, col::Cash, type);
}
BENCHMARK(BM_Batch10000)
    ->ArgName("numbered")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

// The print command on the bill shown, cleared after printing: the next bill's values follow.
void BM_PrintBill(benchmark::State& state) {
    const int bills = static_cast<int>(state.range(0));
    use(bills);
    MF().mClearAfterPrint->setChecked(true);
    for (auto _ : state) {
        choosePdf();
        TheMainWindow()->COM_Click(0);
    }
    MF().mClearAfterPrint->setChecked(false);
    if (LastBillNumber(kSampleDepositSlip) != bills + static_cast<int>(state.iterations()))
        state.SkipWithError("a bill was not recorded");
    forgetBillsAfter(bills);
}
BENCHMARK(BM_PrintBill)
    ->ArgName("bills")
    ->Arg(100)
    ->Arg(30000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5);

void BM_NewBillValues(benchmark::State& state) {
    use(static_cast<int>(state.range(0)));
    for (auto _ : state) FillNewBillValues();
}
BENCHMARK(BM_NewBillValues)
    ->ArgName("bills")
    ->Arg(100)
    ->Arg(30000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(5);

void BM_OpenFormat(benchmark::State& state) {
    use(static_cast<int>(state.range(0)));
    for (auto _ : state) SelectFormat(kSampleDepositSlip, true);
}
BENCHMARK(BM_OpenFormat)
    ->ArgName("bills")
    ->Arg(100)
    ->Arg(30000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5);

// The history page opened: its newest 300 rows.
void BM_HistoryFirstView(benchmark::State& state) {
    use(static_cast<int>(state.range(0)));
    Grid& g = *MF().MSF[2];
    for (auto _ : state) {
        g.SetTag(QString());
        LoadHistoryGrid(g, kSampleDepositSlip, 300);
    }
    state.counters["rows"] = g.Rows() - g.FixedRows();
}
BENCHMARK(BM_HistoryFirstView)
    ->ArgName("bills")
    ->Arg(100)
    ->Arg(30000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100)
    ->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenAndLocalTime();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    root = &dir;
    bench::KeepIfAsked(dir);
    SetSettingsFolder(dir.filePath("settings"));
    dlg::SetAnswerer([](const dlg::Shown&) { return QVariant(); });
    // The program itself makes the first data folder and opens its window on it.
    QDir().mkpath(folderOf(0));
    if (!Main({"bellweft", "--data-dir", folderOf(0)}) || !TheMainWindow()) return 1;
    SetProgressShowDelay(kProgramProgressShowDelayMs);
    findSlipBoxes();
    for (int bills : {0, 100, 30000, 300000}) {
        QElapsedTimer made;
        made.start();
        makeFolder(bills);
        std::fprintf(stderr, "history of %d bills written in %.1f s\n", bills,
                     made.elapsed() / 1000.0);
    }
    std::vector<char*> args;
    bench::InitializeInterleaved(argc, argv, args);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio (project / anchor, medians, ms)\n");
    for (const char* size : {"30000", "300000"}) {
        const std::string s = size;
        const std::string with = " with " + s + " bills vs 100";
        reporter.Ratio(("1,000-bill batch" + with).c_str(), "BM_Batch1000/bills:" + s,
                       "BM_Batch1000/bills:100", 1.2);
        reporter.Ratio(("one bill printed" + with).c_str(), "BM_PrintBill/bills:" + s,
                       "BM_PrintBill/bills:100", 1.2);
        reporter.Ratio(("new bill's values" + with).c_str(), "BM_NewBillValues/bills:" + s,
                       "BM_NewBillValues/bills:100", 1.2);
        reporter.Ratio(("format opened" + with).c_str(), "BM_OpenFormat/bills:" + s,
                       "BM_OpenFormat/bills:100", 1.2);
        reporter.Ratio(("history first view with " + s + " bills vs 100").c_str(),
                       "BM_HistoryFirstView/bills:" + s, "BM_HistoryFirstView/bills:100", 1.2);
    }
    reporter.Ratio("10,000-bill batch, running number vs none", "BM_Batch10000/numbered:1",
                   "BM_Batch10000/numbered:0", 1.2);
    benchmark::Shutdown();
    CloseDatabase();
    std::fflush(stdout);
    // The window is not closed: closing would write its settings into the data folder.
    std::_Exit(0);
}
