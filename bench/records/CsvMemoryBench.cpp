// Importing 30,000 rows of a CSV file into the batch, as a whole process (csv_import_process:
// the mapping dialog's sample, then OK): from a file of 1.5 million rows (about 75 MB) beside
// the same 30,000 rows from a file that holds just them (about 2 MB). The rows taken are the
// same, so the large file should cost about what the small one does: its peak memory within
// 1.5 times the small file's plus 30 MB, and its time within 1.5 times. Both files are
// written by the benchmark (GBK, a header row, ten columns with names, amounts, dates,
// quoted fields and line breaks in quotes).

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "ChildProcess.h"
#include "MedianReporter.h"
#include "platform/TextCodec.h"

namespace {

constexpr int kTaken = 30000;
constexpr int kLargeRows = 1500000;
QString smallFile, largeFile;

// Writes the header and `rows` rows.
bool WriteCsv(const QString& path, int rows) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray header = bw::ToAnsi(QStringLiteral("序号,户名,金额,日期,备注,,,,,\r\n"));
    const QByteArray names[3] = {bw::ToAnsi(QStringLiteral("张三")),
                                 bw::ToAnsi(QStringLiteral("李四")),
                                 bw::ToAnsi(QStringLiteral("王五"))};
    const QByteArray note = bw::ToAnsi(QStringLiteral("\"备注,\r\n二行\""));
    QByteArray out = header;
    for (int r = 1; r <= rows; ++r) {
        out += QByteArray::number(r);
        out += ',';
        out += names[r % 3];
        out += ',';
        out += QByteArray::number(r * 37 % 100000) + '.' + QByteArray::number(r % 90 + 10);
        out += ",2024-";
        out += QByteArray::number(r % 12 + 1) + '-' + QByteArray::number(r % 28 + 1);
        out += ',';
        out += note;
        out += ",x,,,";
        out += QByteArray::number(r % 7);
        out += ",e\r\n";
        if (out.size() > (1 << 20)) {
            if (f.write(out) != out.size()) return false;
            out.clear();
        }
    }
    return f.write(out) == out.size();
}

void ImportThirtyThousand(benchmark::State& state, const QString& file) {
    const std::string exe = bench::OwnFolder() + "/csv_import_process";
    double peak = 0;
    for (auto _ : state) {
        const bench::ChildRun run =
            bench::RunChild({exe, file.toStdString(), "2", std::to_string(kTaken + 1)});
        if (!run.ok) {
            state.SkipWithError("csv_import_process failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = static_cast<double>(run.peakRssKb) / 1024.0;
    }
    state.counters["peak_MB"] = peak;
    state.counters["file_MB"] = static_cast<double>(QFile(file).size()) / (1 << 20);
}

void BM_ImportFromSmallFile(benchmark::State& state) {
    ImportThirtyThousand(state, smallFile);
}
void BM_ImportFromLargeFile(benchmark::State& state) {
    ImportThirtyThousand(state, largeFile);
}
BENCHMARK(BM_ImportFromSmallFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_ImportFromLargeFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    smallFile = dir.filePath(QStringLiteral("small.csv"));
    largeFile = dir.filePath(QStringLiteral("large.csv"));
    if (!WriteCsv(smallFile, kTaken) || !WriteCsv(largeFile, kLargeRows)) {
        std::fprintf(stderr, "cannot write the CSV files in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::vector<char*> keep;
    bench::InitializeInterleaved(argc, argv, keep);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio (project / anchor, medians)\n");
    // Memory: at most 1.5 times the small file's and 30 MB more, as a ratio to the small file's.
    const auto small = reporter.counters.find("BM_ImportFromSmallFile:peak_MB");
    const double memoryGoal =
        small != reporter.counters.end() && small->second > 0 ? 1.5 + 30 / small->second : 0;
    reporter.CounterRatio("30,000 rows: 75 MB file / 2 MB file, peak MB", "BM_ImportFromLargeFile",
                          "BM_ImportFromSmallFile", "peak_MB", memoryGoal);
    reporter.Ratio("30,000 rows: 75 MB file / 2 MB file, ms", "BM_ImportFromLargeFile",
                   "BM_ImportFromSmallFile", 1.5);
    benchmark::Shutdown();
    return 0;
}
