// The batch import of 30,000 rows by 10 columns into the batch grid of a format of ten text
// boxes, from a CSV file against python3's csv module reading the same file, and from an .xls
// file against python3-xlrd reading the same rows; each anchor runs in a python3 subprocess
// of the same run and times only its own reading. Then 1,000 imported rows printed to a PDF
// file, each shown in the boxes first, against the floor: the same texts at the same places
// drawn page after page by a bare QPainter on a PDF QPrinter. The ratios (ours / anchor,
// lower is better) are printed at the end. Each import starts on an empty batch grid (the
// freeing of an earlier batch is not timed).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "SampleSheet.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/CsvCodec.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/XlsWriter.h"
#include "printing/PrintEngine.h"
#include "printing/PrintRequests.h"
#include "records/BatchRows.h"
#include "records/CsvImport.h"
#include "records/ExcelImport.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

namespace {

constexpr int kRows = bench::kSheetRows;
constexpr int kCols = bench::kSheetCols;
constexpr int kPrinted = 1000;
const QString kFormat = QStringLiteral("批量基准");

QTemporaryDir* folder = nullptr;
QString csvPath, xlsPath;
std::map<std::string, double> secondsPerRun;

void Prepare() {
    folder = new QTemporaryDir;
    bw::SetAppPath(folder->path());
    bw::dlg::SetAnswerer([](const bw::dlg::Shown&) { return QVariant(bw::dlg::Ok); });
    csvPath = folder->filePath(QStringLiteral("batch.csv"));
    xlsPath = folder->filePath(QStringLiteral("batch.xls"));
    bench::WriteSampleFiles(csvPath, xlsPath);

    bw::EnsureDatabase();
    bw::ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, "
                                  "210, 140, 10, 10, 15360, '')"),
                   {kFormat, bw::kWholeFormatLabel});
    for (int i = 0; i < kCols; ++i)
        bw::ExecuteSql(
            QStringLiteral("INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, Color, fName, "
                           "fSize, Clas, Cash) VALUES(?, ?, 1, ?, ?, 90, 10, 0, "
                           "'WenQuanYi Micro Hei', 10.5, 0, 0)"),
            {kFormat, QStringLiteral("列%1").arg(i + 1), 5 + (i % 2) * 100, 5 + (i / 2) * 12});
    bw::MainForm& mf = bw::MF();
    mf.SetScreenWidthTwips(15360);
    mf.SetCurrentFormat(kFormat);
    QString name = kFormat;
    bw::LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    mf.PG->SetHeight(mf.FrameWidth() * 140 / 210);
    bw::LoadBoxesIntoGrid(mf.BoxGrid(), name);
    bw::ReloadFormatBoxes(mf.BoxGrid(), false);
}

bw::ColumnSpecs Specs() {
    bw::ColumnSpecs specs;
    for (int i = 1; i <= kCols; ++i) specs.text << bw::ColumnLetters(i);
    return specs;
}

double PythonSeconds(const QString& code, const QString& path) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), code, path});
    if (!p.waitForFinished(600000) || p.exitCode() != 0) return -1;
    return p.readAllStandardOutput().trimmed().toDouble();
}

template <typename F>
void Timed(benchmark::State& state, const char* name, F&& body, bool emptyBatch = false) {
    double total = 0;
    for (auto _ : state) {
        // An import goes into an empty batch grid, as the first import of a session does.
        if (emptyBatch) bw::MF().MSF[1]->SetRows(bw::MF().MSF[1]->FixedRows());
        auto t0 = std::chrono::steady_clock::now();
        body();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    secondsPerRun[name] = total / static_cast<double>(state.iterations());
}

void Anchor(benchmark::State& state, const char* name, const QString& code, const QString& path) {
    double total = 0;
    for (auto _ : state) {
        const double s = PythonSeconds(code, path);
        if (s < 0) {
            state.SkipWithError("python3 (with xlrd) is not available");
            return;
        }
        state.SetIterationTime(s);
        total += s;
    }
    secondsPerRun[name] = total / static_cast<double>(state.iterations());
}

void BM_CsvImport(benchmark::State& state) {
    Timed(
        state, "csv import",
        [] {
            int start = 1, end = kRows;
            bw::ReadCsvData(*bw::MF().MSF[1], csvPath, start, end, Specs(), 1, 0);
        },
        true);
    state.counters["records"] = bw::BatchRecordCount(*bw::MF().MSF[1]);
}

void BM_CsvPythonAnchor(benchmark::State& state) {
    Anchor(state, "csv anchor",
           QStringLiteral(
               "import csv,sys,time\n"
               "t=time.perf_counter()\n"
               "with open(sys.argv[1],encoding='gbk',newline='') as f: rows=list(csv.reader(f))\n"
               "print(time.perf_counter()-t)"),
           csvPath);
}

void BM_XlsImport(benchmark::State& state) {
    Timed(
        state, "xls import",
        [] {
            int start = 1, end = kRows;
            bw::ReadExcelData(*bw::MF().MSF[1], xlsPath, QStringLiteral("Sheet1"), start, end,
                              Specs(), 1, 0);
        },
        true);
    state.counters["records"] = bw::BatchRecordCount(*bw::MF().MSF[1]);
}

void BM_XlsXlrdAnchor(benchmark::State& state) {
    Anchor(state, "xls anchor",
           QStringLiteral(
               "import sys,time,xlrd\n"
               "t=time.perf_counter()\n"
               "b=xlrd.open_workbook(sys.argv[1]); s=b.sheet_by_name('Sheet1')\n"
               "rows=[[str(s.cell_value(r,c)) for c in range(s.ncols)] for r in range(s.nrows)]\n"
               "print(time.perf_counter()-t)"),
           xlsPath);
}

void ImportForPrinting() {
    int start = 1, end = kPrinted;
    bw::ReadCsvData(*bw::MF().MSF[1], csvPath, start, end, Specs(), 1, 0);
}

void BM_PrintImported(benchmark::State& state) {
    ImportForPrinting();
    bw::Grid& g = *bw::MF().MSF[1];
    Timed(state, "print 1000 imported", [&g] {
        auto printer = bw::Printer::Open(bw::kPdfPrinterName);
        printer->SetOutputFile(folder->filePath(QStringLiteral("batch.pdf")));
        bw::Printer& p = *printer;
        bw::InstallPrinter(std::move(printer));
        for (int i = 0; i < kPrinted; ++i) {
            bw::LoadBatchRow(g, g.FixedRows() + i);
            bw::PrintBill(false, false);
        }
        p.FinishDoc();
    });
}

// The floor: each record's ten texts drawn in the boxes' places, a page per record.
void BM_PrintFloor(benchmark::State& state) {
    ImportForPrinting();
    const bw::Grid& g = *bw::MF().MSF[1];
    Timed(state, "print floor", [&g] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QPageSize(QSizeF(210, 140), QPageSize::Millimeter)));
        printer.setOutputFileName(folder->filePath(QStringLiteral("floor.pdf")));
        QPainter painter(&printer);
        painter.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 10));
        const double dpmm = printer.resolution() / 25.4;
        for (int i = 0; i < kPrinted; ++i) {
            if (i) printer.newPage();
            for (int c = 0; c < kCols; ++c) {
                const QRectF box((5 + (c % 2) * 100) * dpmm, (5 + (c / 2) * 12) * dpmm, 90 * dpmm,
                                 10 * dpmm);
                painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                                 g.TextRef(g.FixedRows() + i, g.FixedCols() + c));
            }
        }
        painter.end();
    });
}

// Only showing the 1,000 records in the boxes, as the batch print does before each bill.
void BM_ShowImported(benchmark::State& state) {
    ImportForPrinting();
    bw::Grid& g = *bw::MF().MSF[1];
    Timed(state, "show 1000 imported", [&g] {
        for (int i = 0; i < kPrinted; ++i) bw::LoadBatchRow(g, g.FixedRows() + i);
    });
}

BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvPythonAnchor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_XlsImport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_XlsXlrdAnchor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_PrintImported)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PrintFloor)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_ShowImported)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Prepare();
    // One import before the runs: the fonts the column widths are measured in get loaded.
    ImportForPrinting();
    benchmark::RunSpecifiedBenchmarks();
    auto ratio = [](const char* ours, const char* anchor) {
        if (secondsPerRun.count(ours) && secondsPerRun.count(anchor) && secondsPerRun[anchor] > 0)
            std::printf("%-22s %.3f s, %-12s %.3f s, ratio ours/anchor %.2f\n", ours,
                        secondsPerRun[ours], anchor, secondsPerRun[anchor],
                        secondsPerRun[ours] / secondsPerRun[anchor]);
    };
    ratio("csv import", "csv anchor");
    ratio("xls import", "xls anchor");
    ratio("print 1000 imported", "print floor");
    if (secondsPerRun.count("show 1000 imported"))
        std::printf("of which showing the records in the boxes: %.3f s\n",
                    secondsPerRun["show 1000 imported"]);
    return 0;
}
