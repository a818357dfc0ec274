// The grid export at size: a grid of 30,000 rows by 10 columns (numbers, dates, amounts,
// Chinese names and addresses, now and then a comma or a quote) exported as an .xls workbook
// and as the program's CSV file, each read as a ratio to writing the same cells as CSV with
// plain C++ (std::string cells, quoted as the export quotes them, one fwrite per line).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "MedianReporter.h"
#include "common/Database.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "platform/Settings.h"
#include "records/GridExport.h"

using namespace bw;

namespace {

constexpr int kRows = 30000, kCols = 10;
QTemporaryDir* gDir = nullptr;
Grid* gGrid = nullptr;
std::vector<std::vector<std::string>> gCells;  // the same cells for the plain writer

QString cellText(int row, int col) {
    static const char* names[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八"};
    switch (col) {
        case 0:
            return QString::number(row);
        case 1:
            return QString::fromUtf8(names[row % 6]) + QString::number(row % 400);
        case 2:
            return QDate(2015, 1, 1).addDays(row % 365).toString("yyyy-MM-dd");
        case 3:
            return QString::number((row * 37) % 100000 / 100.0, 'f', 2);
        case 4:
            return QStringLiteral("北京市海淀区中关村大街%1号").arg(row % 900);
        case 5:
            return QStringLiteral("1380013%1").arg(row % 10000, 4, 10, QChar(u'0'));
        case 6:
            return row % 50 == 0 ? QStringLiteral("备注，含逗号") : QString();
        case 7:
            return row % 77 == 0 ? QStringLiteral("他说\"好\"") : QStringLiteral("正常");
        case 8:
            return QString::number(row % 12 + 1);
        default:
            return QStringLiteral("CNY");
    }
}

void setUp(Grid& g) {
    g.SetCols(kCols);
    g.SetRows(kRows + 1);
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    for (int c = 0; c < kCols; ++c) {
        g.SetTextMatrix(0, c, QStringLiteral("栏目%1").arg(c + 1));
        g.SetColWidth(c, 1200);
    }
    for (int r = 1; r <= kRows; ++r)
        for (int c = 0; c < kCols; ++c) g.SetTextMatrix(r, c, cellText(r, c));
    for (int r = 0; r <= kRows; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < kCols; ++c) row.push_back(g.TextRef(r, c).toStdString());
        gCells.push_back(std::move(row));
    }
}

// The same cells as CSV: a TAB after each cell, quotes doubled, a cell with a comma, quote
// or line break quoted, CR LF after each line.
bool writePlainCsv(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::string line;
    for (const auto& row : gCells) {
        line.clear();
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) line += ',';
            const std::string& cell = row[c];
            const bool quote = cell.find_first_of(",\"\r\n") != std::string::npos;
            if (quote) line += '"';
            for (char ch : cell) {
                if (ch == '"') line += '"';
                line += ch;
            }
            line += '\t';
            if (quote) line += '"';
        }
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
    }
    return std::fclose(f) == 0;
}

void BM_Anchor_PlainCsv(benchmark::State& state) {
    const std::string path = gDir->filePath("plain.csv").toStdString();
    for (auto _ : state) benchmark::DoNotOptimize(writePlainCsv(path));
}

void BM_ExportXls(benchmark::State& state) {
    const QString path = gDir->filePath("grid.xls");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ExportGridToXls(*gGrid, path, QStringLiteral("Bellweft打印批量数据")));
}

void BM_ExportCsv(benchmark::State& state) {
    const QString path = gDir->filePath("grid.csv");
    for (auto _ : state) benchmark::DoNotOptimize(ExportGridToCsv(*gGrid, path));
}

}  // namespace

BENCHMARK(BM_Anchor_PlainCsv)->Unit(benchmark::kMillisecond)->Repetitions(7);
BENCHMARK(BM_ExportXls)->Unit(benchmark::kMillisecond)->Repetitions(7);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Repetitions(7);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gDir = &dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    Grid grid;
    gGrid = &grid;
    setUp(grid);
    std::vector<char*> keep;
    bench::InitializeInterleaved(argc, argv, keep);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-48s\n", "ratio (project / anchor, medians, ms)");
    reporter.Ratio(".xls export, 30,000 x 10", "BM_ExportXls", "BM_Anchor_PlainCsv", 2);
    reporter.Ratio("CSV export, 30,000 x 10", "BM_ExportCsv", "BM_Anchor_PlainCsv", 2);
    benchmark::Shutdown();
    return 0;
}
