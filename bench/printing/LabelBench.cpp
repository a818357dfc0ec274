// Label sheets to PDF: a sheet of 2 x 8 address labels, three texts and a QR code each,
// page after page of one document, and 1,000 labels (63 sheets, each page a document as the
// print button makes it); against the floor page: the same text runs, rectangles and lines
// drawn by a bare QPainter on a PDF QPrinter. After the runs a table gives the ratios of the
// medians.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>

#include "FloorPage.h"
#include "barcode/BarcodeStandard.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Printer.h"
#include "printing/LabelPrint.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace {

const QString kFormat = QStringLiteral("地址标签");
constexpr int kLabels = 1000, kPerPage = 16;
constexpr int kPages = (kLabels + kPerPage - 1) / kPerPage;
QTemporaryDir* output = nullptr;
bench::PageOps floorPage;

void AddBox(int clas, const QString& lbl, double x, double y, double w, double h) {
    bw::ExecuteSql(
        QStringLiteral(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, S, L, Color, fName, fSize, Clas, Cash) "
            "VALUES(?, ?, 1, ?, ?, ?, ?, 0, 0, 0, 'WenQuanYi Micro Hei', 10.5, ?, 0)"),
        {kFormat, lbl, x, y, w, h, clas});
}

void MakeSheet() {
    bw::ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, "
                                  "?, 100, 35, 10, 10, 15360, '')"),
                   {kFormat, bw::kWholeFormatLabel});
    AddBox(0, QStringLiteral("收件人"), 5, 3, 55, 7);
    AddBox(0, QStringLiteral("地址"), 5, 12, 55, 14);
    AddBox(0, QStringLiteral("电话"), 5, 27, 40, 6);
    AddBox(2, QStringLiteral("二维码"), 68, 4, 27, 27);
    bw::MainForm& mf = bw::MF();
    mf.SetScreenWidthTwips(15360);
    mf.SetCurrentFormat(kFormat);
    QString name = kFormat;
    bw::LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    mf.PG->SetHeight(mf.FrameWidth() * 35 / 100);
    bw::LoadBoxesIntoGrid(mf.BoxGrid(), name);
    bw::ReloadFormatBoxes(mf.BoxGrid(), false);
    bw::BarcodeStandard() = bw::kQRCode;

    const char* defaults[5] = {"2", "8", "1.5", "200", "280"};
    for (int i = 0; i < 5; ++i) mf.TNum[i] = new QLineEdit(QString::fromUtf8(defaults[i]), &mf);
    mf.TagDir = new QCheckBox(&mf);
    mf.CK[1] = new QCheckBox(&mf);
    mf.CK[6] = new QCheckBox(&mf);
    mf.CK[6]->setChecked(true);

    bw::Grid& g = *mf.MSF[1];
    g.SetRows(2 + kLabels);
    g.SetCols(5);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    const int feeds[4] = {1, 2, 3, 2001};
    for (int c = 0; c < 4; ++c) {
        g.SetTextMatrix(0, c + 1, QString::number(feeds[c]));
        g.SetColWidth(c + 1, 1200);
    }
    for (int i = 0; i < kLabels; ++i) {
        g.SetTextMatrix(2 + i, 0, QString::number(i + 1));
        g.SetTextMatrix(2 + i, 1, QStringLiteral("收件人%1").arg(i));
        g.SetTextMatrix(
            2 + i, 2,
            QStringLiteral("上海市浦东新区世纪大道%1号国际金融中心%2层").arg(100 + i).arg(i % 60));
        g.SetTextMatrix(2 + i, 3, QStringLiteral("138%1").arg(10000000 + i * 7));
        g.SetTextMatrix(2 + i, 4, QStringLiteral("SF%1-20240518").arg(1000000 + i));
    }
}

bw::Printer& PdfPrinter(const QString& name) {
    auto printer = bw::Printer::Open(bw::kPdfPrinterName);
    printer->SetOutputFile(output->filePath(name));
    bw::Printer& ref = *printer;
    bw::InstallPrinter(std::move(printer));
    return ref;
}

// The floor of a further page: a new page and the sheet's drawing by plain painter calls.
void BM_FloorPage(benchmark::State& state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setOutputFileName(output->filePath(QStringLiteral("floor.pdf")));
    QPainter painter(&printer);
    bench::Replay(painter, floorPage);
    for (auto _ : state) {
        printer.newPage();
        bench::Replay(painter, floorPage);
    }
    painter.end();
}
BENCHMARK(BM_FloorPage)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

// Each further sheet of one document: 16 labels with a QR code each.
void BM_LabelSheetPerPage(benchmark::State& state) {
    bw::Printer& p = PdfPrinter(QStringLiteral("sheets.pdf"));
    p.StartDoc();
    bw::PrintLabelCells(p, 0);
    long long page = 1;
    for (auto _ : state) {
        p.NewPage();
        bw::PrintLabelCells(p, page);
        page = (page + 1) % kPages;
    }
    p.FinishDoc();
    state.counters["labels"] = kPerPage;
}
BENCHMARK(BM_LabelSheetPerPage)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

// 1,000 labels: every sheet printed as the print button prints it, a document each.
void BM_Labels1000(benchmark::State& state) {
    for (auto _ : state) {
        for (int page = 0; page < kPages; ++page) {
            bw::Printer& p = PdfPrinter(QStringLiteral("labels-%1.pdf").arg(page));
            bw::PrintLabelPage(p, page);
        }
    }
    state.counters["labels"] = kLabels;
}
BENCHMARK(BM_Labels1000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians, cpuMedians;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            cpuMedians[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Ratio(const char* what, const std::string& project, double perProject,
               const std::string& anchor) const {
        const auto p = medians.find(project), a = medians.find(anchor);
        if (p == medians.end() || a == medians.end() || a->second <= 0) return;
        std::printf("%-40s %8.3f ms / %8.3f ms = %5.2fx  cpu %5.2fx\n", what,
                    p->second / perProject, a->second, p->second / perProject / a->second,
                    cpuMedians.at(project) / perProject / cpuMedians.at(anchor));
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir data;
    QTemporaryDir out;
    output = &out;
    bw::SetAppPath(data.path());
    bw::dlg::SetAnswerer([](const bw::dlg::Shown&) { return QVariant(); });
    if (!bw::EnsureDatabase()) return 1;
    bw::InitBoxModule();
    MakeSheet();
    std::vector<char*> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    bool given = false;
    for (char* a : args) given |= std::string(a).rfind("--benchmark_enable_random", 0) == 0;
    if (!given) args.push_back(interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    {
        // What one sheet puts on a page, for the floor to draw the same.
        auto recorder = bench::RecordingPrinter(&floorPage);
        recorder->StartDoc();
        bw::PrintLabelCells(*recorder, 0);
        recorder->FinishDoc();
        std::fprintf(stderr, "FLOOR %zu texts, %zu rects, %zu lines, %zu pictures\n",
                     floorPage.texts.size(), floorPage.rects.size(), floorPage.lines.size(),
                     floorPage.pictures.size());
    }
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-40s %s\n", "ratio (project / anchor, medians)", "");
    reporter.Ratio("further sheet vs floor page", "BM_LabelSheetPerPage", 1, "BM_FloorPage");
    reporter.Ratio("1,000 labels, per sheet, vs floor page", "BM_Labels1000", kPages,
                   "BM_FloorPage");
    return 0;
}
