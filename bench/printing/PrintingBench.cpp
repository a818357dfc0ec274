// Printing a bill of 60 boxes (wrapped text, amounts and text in cells, labels, a QR code)
// into a PDF file page after page, the first page of a document on its own, and a batch of
// 1,000 bills in one document with and without their history records; each against the
// floor page: the same text runs, rectangles and lines drawn by a bare QPainter on a PDF
// QPrinter in the same process. After the runs a table gives each ratio from the medians of
// the repetitions.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "FloorPage.h"

#include "barcode/BarcodeStandard.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "printing/PrintEngine.h"
#include "printing/PrintRequests.h"
#include "printing/TextLayout.h"
#include "records/BatchRows.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace {

const QString kFormat = QStringLiteral("基准单据");
QTemporaryDir* output = nullptr;
bench::PageOps floorPage;

void AddBox(int clas, const QString& lbl, double x, double y, double w, double h, double cash,
            double spacing = 0, double packed = 0) {
    bw::ExecuteSql(
        QStringLiteral(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, S, L, Color, fName, fSize, Clas, Cash) "
            "VALUES(?, ?, 1, ?, ?, ?, ?, ?, ?, 0, 'WenQuanYi Micro Hei', 10.5, ?, ?)"),
        {kFormat, lbl, x, y, w, h, spacing, packed, clas, cash});
}

// 40 text boxes, 10 amounts in digit cells, 5 texts in cells, 4 labels and a QR code.
void MakeFormat() {
    bw::ExecuteSql(
        QStringLiteral(
            "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 210, 140, 10, 10, "
            "15360, '')"),
        {kFormat, bw::kWholeFormatLabel});
    for (int i = 0; i < 40; ++i)
        AddBox(0, QStringLiteral("文本%1").arg(i), 5 + (i % 4) * 50, 5 + (i / 4) * 9, 45, 8, 0,
               i % 3 * 0.3, (i % 3) * 1000 + 1);
    for (int i = 0; i < 10; ++i)
        AddBox(0, QStringLiteral("金额%1").arg(i), 5 + (i % 2) * 70, 95 + (i / 2) * 8, 60, 7, 12);
    for (int i = 0; i < 5; ++i)
        AddBox(0, QStringLiteral("格子%1").arg(i), 150, 95 + i * 8, 30, 7, 206);
    for (int i = 0; i < 4; ++i)
        AddBox(4, QStringLiteral("标签文字%1").arg(i), 185, 95 + i * 8, 20, 7, 0);
    AddBox(2, QStringLiteral("二维码"), 185, 100, 20, 20, 0);

    bw::MainForm& mf = bw::MF();
    mf.SetScreenWidthTwips(15360);
    mf.SetCurrentFormat(kFormat);
    QString name = kFormat;
    bw::LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    mf.PG->SetHeight(mf.FrameWidth() * 140 / 210);
    bw::LoadBoxesIntoGrid(mf.BoxGrid(), name);
    bw::ReloadFormatBoxes(mf.BoxGrid(), false);
    bw::BarcodeStandard() = bw::kQRCode;
    const char* texts[] = {"上海申通物流有限公司", "Bellweft Trading Co., Ltd.",
                           "中国工商银行北京分行营业部", "备注：货款，请于月底前付清"};
    for (int i = 1; i <= 40; ++i)
        bw::SetBoxValue(bw::GetBoxByIndex(i), QString::fromUtf8(texts[i % 4]));
    for (int i = 41; i <= 50; ++i)
        bw::SetBoxValue(bw::GetBoxByIndex(i), QString::number(1234.5 * i));
    for (int i = 51; i <= 55; ++i) bw::SetBoxValue(bw::GetBoxByIndex(i), QStringLiteral("100081"));
    bw::SetBoxValue(bw::GetBoxByIndex(2001),
                    QStringLiteral("https://example.com/bill/20240518-0001"));
}

bw::Printer& PdfPrinter(const QString& name) {
    auto printer = bw::Printer::Open(bw::kPdfPrinterName);
    printer->SetOutputFile(output->filePath(name));
    bw::Printer& ref = *printer;
    bw::InstallPrinter(std::move(printer));
    return ref;
}

// A PDF QPrinter as the PDF file printer sets it up.
std::unique_ptr<QPrinter> FloorPrinter(const QString& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setFullPage(true);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer->setOutputFileName(output->filePath(name));
    return printer;
}

// The floor of a further page: a new page and the bill's drawing by plain painter calls.
void BM_FloorPage(benchmark::State& state) {
    auto printer = FloorPrinter(QStringLiteral("floor-pages.pdf"));
    QPainter painter(printer.get());
    bench::Replay(painter, floorPage);
    for (auto _ : state) {
        printer->newPage();
        bench::Replay(painter, floorPage);
    }
    painter.end();
}
BENCHMARK(BM_FloorPage)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

// Each further page of the same document.
void BM_RenderBillPerPage(benchmark::State& state) {
    bw::Printer& p = PdfPrinter(QStringLiteral("pages.pdf"));
    bw::RenderBill(p, 0, 0);
    for (auto _ : state) {
        p.NewPage();
        bw::RenderBill(p, 0, 0);
    }
    p.FinishDoc();
    state.counters["boxes"] = 60;
}
BENCHMARK(BM_RenderBillPerPage)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

// The floor of a first page: the printer made, the page drawn, the file written.
void BM_FloorFirstPage(benchmark::State& state) {
    for (auto _ : state) {
        auto printer = FloorPrinter(QStringLiteral("floor-first.pdf"));
        QPainter painter(printer.get());
        bench::Replay(painter, floorPage);
        painter.end();
    }
}
BENCHMARK(BM_FloorFirstPage)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5);

// The first page of a document: the printer's font sizes still to be found.
void BM_FirstPage(benchmark::State& state) {
    for (auto _ : state) {
        bw::ClearFontSizeCache();
        bw::Printer& p = PdfPrinter(QStringLiteral("first.pdf"));
        bw::RenderBill(p, 0, 0);
        p.FinishDoc();
    }
}
BENCHMARK(BM_FirstPage)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5);

void FillBatchGrid() {
    bw::Grid& g = *bw::MF().MSF[1];
    g.SetRows(2 + 1000);
    g.SetCols(3);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    g.SetTextMatrix(0, 1, QStringLiteral("1"));
    g.SetTextMatrix(0, 2, QStringLiteral("41"));
    for (int i = 0; i < 1000; ++i) {
        g.SetTextMatrix(2 + i, 0, QString::number(i + 1));
        g.SetTextMatrix(2 + i, 1, QStringLiteral("收款人%1").arg(i));
        g.SetTextMatrix(2 + i, 2, QString::number(100 + i * 3.25));
    }
}

// 1,000 batch records, each shown in the boxes, printed and (range 1) recorded, in one
// document.
void BM_Batch1000(benchmark::State& state) {
    const bool history = state.range(0) != 0;
    FillBatchGrid();
    bw::Grid& g = *bw::MF().MSF[1];
    for (auto _ : state) {
        bw::Printer& p = PdfPrinter(QStringLiteral("batch.pdf"));
        bw::Transaction transaction;
        for (int i = 0; i < 1000; ++i) {
            bw::LoadBatchRow(g, 2 + i);
            bw::PrintBill(false, history);
        }
        p.FinishDoc();
        transaction.Commit();
    }
    state.counters["bills"] = 1000;
}
BENCHMARK(BM_Batch1000)
    ->ArgName("history")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

// Keeps the medians of every benchmark (real and CPU time, milliseconds) besides the usual
// console output.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians;
    std::map<std::string, double> cpuMedians;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            const std::string name = run.run_name.function_name +
                                     (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            medians[name] = run.GetAdjustedRealTime();
            cpuMedians[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints one row of the table when both of its medians were measured: the ratio of real
    // times, then that of CPU times (the steadier one on a busy machine).
    void Ratio(const char* what, const std::string& project, double perProject,
               const std::string& anchor, double goal) const {
        const auto p = medians.find(project);
        const auto a = medians.find(anchor);
        if (p == medians.end() || a == medians.end() || a->second <= 0) return;
        const double cpuAnchor = cpuMedians.at(anchor);
        const double cpuRatio =
            cpuAnchor > 0 ? cpuMedians.at(project) / perProject / cpuAnchor : 0.0;
        std::printf("%-44s %8.3f ms / %8.3f ms = %5.2fx  cpu %5.2fx  (goal <= %.2fx)\n", what,
                    p->second / perProject, a->second, p->second / perProject / a->second, cpuRatio,
                    goal);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir data;
    QTemporaryDir out;
    output = &out;
    out.setAutoRemove(false);
    fprintf(stderr, "OUT %s\n", qPrintable(out.path()));
    bw::SetAppPath(data.path());
    bw::dlg::SetAnswerer([](const bw::dlg::Shown&) { return QVariant(); });
    if (!bw::EnsureDatabase()) return 1;
    bw::InitBoxModule();
    MakeFormat();
    // Repetitions of the benchmarks run interleaved, so that a busy spell of the machine
    // does not fall on one side of a ratio only (unless the command line says otherwise).
    std::vector<char*> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    bool given = false;
    for (char* a : args) given |= std::string(a).rfind("--benchmark_enable_random", 0) == 0;
    if (!given) args.push_back(interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    {
        // What one bill puts on a page, for the floor to draw the same.
        bw::InstallPrinter(bench::RecordingPrinter(&floorPage));
        bw::RenderBill(bw::CurrentPrinter(), 0, 0);
        bw::CurrentPrinter().FinishDoc();
        std::fprintf(stderr, "FLOOR %zu texts, %zu rects, %zu lines, %zu pictures\n",
                     floorPage.texts.size(), floorPage.rects.size(), floorPage.lines.size(),
                     floorPage.pictures.size());
    }
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-44s %s\n", "ratio (project / anchor, medians)", "");
    reporter.Ratio("further page vs floor page", "BM_RenderBillPerPage", 1, "BM_FloorPage", 1.3);
    reporter.Ratio("first page vs floor first page", "BM_FirstPage", 1, "BM_FloorFirstPage", 1.2);
    reporter.Ratio("batch with history, per bill, vs floor page", "BM_Batch1000/history:1", 1000,
                   "BM_FloorPage", 1.4);
    reporter.Ratio("history share (with / without)", "BM_Batch1000/history:1", 1,
                   "BM_Batch1000/history:0", 1.05);
    bw::InstallPrinter(nullptr);
    bw::UnloadAllBoxes();
    bw::ResetMF();
    bw::CloseDatabase();
    return 0;
}
