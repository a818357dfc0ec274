// Reading a batch file of 30,000 rows by 10 columns: the CSV parser against python3's csv
// module on the same file, and the workbook reader (open, then every cell as text) against
// python3-xlrd on the same rows written as .xls. Each anchor runs in a python3 subprocess
// of the same run and times only its own reading (interpreter start-up left out). The
// ratios (ours / anchor, lower is better) are printed at the end.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "SampleSheet.h"
#include "platform/CsvCodec.h"
#include "platform/XlsReader.h"
#include "platform/XlsWriter.h"

namespace {

constexpr int kRows = bench::kSheetRows;
constexpr int kCols = bench::kSheetCols;

QTemporaryDir* folder = nullptr;
QString csvPath, xlsPath;
std::map<std::string, double> secondsPerRun;

void Prepare() {
    folder = new QTemporaryDir;
    csvPath = folder->filePath(QStringLiteral("batch.csv"));
    xlsPath = folder->filePath(QStringLiteral("batch.xls"));
    bench::WriteSampleFiles(csvPath, xlsPath);
}

// Runs the python snippet, which prints the seconds its reading took.
double PythonSeconds(const QString& code, const QString& path) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), code, path});
    if (!p.waitForFinished(600000) || p.exitCode() != 0) return -1;
    return p.readAllStandardOutput().trimmed().toDouble();
}

template <typename F>
void Timed(benchmark::State& state, const char* name, F&& body) {
    double total = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        body();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    secondsPerRun[name] = total / static_cast<double>(state.iterations());
}

void Anchor(benchmark::State& state, const char* name, const QString& code, const QString& path) {
    double total = 0;
    for (auto _ : state) {
        double s = PythonSeconds(code, path);
        if (s < 0) {
            state.SkipWithError("python3 (with xlrd) is not available");
            return;
        }
        state.SetIterationTime(s);
        total += s;
    }
    secondsPerRun[name] = total / static_cast<double>(state.iterations());
}

void BM_CsvParse(benchmark::State& state) {
    Timed(state, "csv", [] {
        QList<QStringList> records;
        bw::ReadCsvFile(csvPath, QStringLiteral("//"), &records);
        benchmark::DoNotOptimize(records);
    });
}

void BM_CsvPythonAnchor(benchmark::State& state) {
    Anchor(state, "csv_anchor",
           QStringLiteral(
               "import csv,sys,time\n"
               "t=time.perf_counter()\n"
               "with open(sys.argv[1],encoding='gbk',newline='') as f: rows=list(csv.reader(f))\n"
               "print(time.perf_counter()-t)"),
           csvPath);
}

void BM_XlsRead(benchmark::State& state) {
    Timed(state, "xls", [] {
        bw::XlsWorkbook book;
        book.open(xlsPath);
        int s = book.worksheetIndex(QStringLiteral("Sheet1"));
        QString t;
        qsizetype chars = 0;
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c) {
                book.cellText(s, r, c, &t);
                chars += t.size();
            }
        benchmark::DoNotOptimize(chars);
    });
}

void BM_XlsXlrdAnchor(benchmark::State& state) {
    Anchor(
        state, "xls_anchor",
        QStringLiteral(
            "import sys,time,xlrd\n"
            "t=time.perf_counter()\n"
            "b=xlrd.open_workbook(sys.argv[1]); s=b.sheet_by_name('Sheet1')\n"
            "n=sum(len(str(s.cell_value(r,c))) for r in range(s.nrows) for c in range(s.ncols))\n"
            "print(time.perf_counter()-t)"),
        xlsPath);
}

BENCHMARK(BM_CsvParse)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CsvPythonAnchor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_XlsRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_XlsXlrdAnchor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Prepare();
    benchmark::RunSpecifiedBenchmarks();
    auto ratio = [](const char* ours, const char* anchor) {
        if (secondsPerRun.count(ours) && secondsPerRun[anchor] > 0)
            std::printf("%s: %.3f s, anchor %.3f s, ratio ours/anchor %.2f\n", ours,
                        secondsPerRun[ours], secondsPerRun[anchor],
                        secondsPerRun[ours] / secondsPerRun[anchor]);
    };
    ratio("csv", "csv_anchor");
    ratio("xls", "xls_anchor");
    benchmark::Shutdown();
    delete folder;
    return 0;
}
