// Importing 30,000 rows of a CSV file into the batch, as a whole process (csv_import_process:
// the mapping dialog's sample, then OK): from a file of 1.5 million rows (about 75 MB) beside
// the same 30,000 rows from a file that holds just them (about 2 MB). The rows taken are the
// same, so the large file should cost about what the small one does: its peak memory within
// 1.5 times the small file's plus 30 MB, and its time within 1.5 times. Both files are
// written by the benchmark (GBK, a header row, ten columns with names, amounts, dates,
// quoted fields and line breaks in quotes).
//
// A stray quote: the large file without quoted fields, and the same file with a quote at the
// start of a cell in row 2 that never ends, which by the CSV rule would make the rest of the
// file one field. The mapping dialog (its sample) and the import of rows 1 to 30,000 (which
// stops at row 2 with a message) should cost within 3 times the time and 1.5 times the
// peak memory (plus 30 MB) of the same steps on the file without the quote.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "MedianReporter.h"
#include "platform/TextCodec.h"

namespace {

constexpr int kTaken = 30000;
constexpr int kLargeRows = 1500000;
QString smallFile, largeFile, plainFile, strayFile;

enum class Notes { Quoted, Plain, StrayQuote };

// Writes the header and `rows` rows; the notes quoted with a line break inside, plain, or
// plain with a stray quote before the name of the first row.
bool WriteCsv(const QString& path, int rows, Notes notes = Notes::Quoted) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray header = bw::ToAnsi(QStringLiteral("序号,户名,金额,日期,备注,,,,,\r\n"));
    const QByteArray names[3] = {bw::ToAnsi(QStringLiteral("张三")),
                                 bw::ToAnsi(QStringLiteral("李四")),
                                 bw::ToAnsi(QStringLiteral("王五"))};
    const QByteArray note = bw::ToAnsi(notes == Notes::Quoted ? QStringLiteral("\"备注,\r\n二行\"")
                                                              : QStringLiteral("备注二行"));
    QByteArray out = header;
    for (int r = 1; r <= rows; ++r) {
        out += QByteArray::number(r);
        out += ',';
        if (r == 1 && notes == Notes::StrayQuote) out += '"';
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

// csv_import_process on the file with the arguments after it.
void RunImportProcess(benchmark::State& state, const QString& file,
                      const std::vector<std::string>& args) {
    std::vector<std::string> argv{bench::OwnFolder() + "/csv_import_process", file.toStdString()};
    argv.insert(argv.end(), args.begin(), args.end());
    double peak = 0;
    for (auto _ : state) {
        const bench::ChildRun run = bench::RunChild(argv);
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
    RunImportProcess(state, smallFile, {"2", std::to_string(kTaken + 1)});
}
void BM_ImportFromLargeFile(benchmark::State& state) {
    RunImportProcess(state, largeFile, {"2", std::to_string(kTaken + 1)});
}
void BM_MappingDialogOnPlainFile(benchmark::State& state) {
    RunImportProcess(state, plainFile, {});
}
void BM_MappingDialogOnStrayQuote(benchmark::State& state) {
    RunImportProcess(state, strayFile, {});
}
void BM_ImportFromPlainFile(benchmark::State& state) {
    RunImportProcess(state, plainFile, {"1", std::to_string(kTaken)});
}
void BM_ImportFromStrayQuote(benchmark::State& state) {
    RunImportProcess(state, strayFile, {"1", std::to_string(kTaken), "0"});
}
// Each run is a process of its own, timed from its spawn to its end.
#define PROCESS_BENCHMARK(name) \
    BENCHMARK(name)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
PROCESS_BENCHMARK(BM_ImportFromSmallFile);
PROCESS_BENCHMARK(BM_ImportFromLargeFile);
PROCESS_BENCHMARK(BM_MappingDialogOnPlainFile);
PROCESS_BENCHMARK(BM_MappingDialogOnStrayQuote);
PROCESS_BENCHMARK(BM_ImportFromPlainFile);
PROCESS_BENCHMARK(BM_ImportFromStrayQuote);

// The memory goal: at most 1.5 times the anchor's peak and 30 MB more, as a ratio to it.
double MemoryGoal(const bench::MedianReporter& reporter, const std::string& anchor) {
    const auto a = reporter.counters.find(anchor + ":peak_MB");
    return a != reporter.counters.end() && a->second > 0 ? 1.5 + 30 / a->second : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    smallFile = dir.filePath(QStringLiteral("small.csv"));
    largeFile = dir.filePath(QStringLiteral("large.csv"));
    plainFile = dir.filePath(QStringLiteral("plain.csv"));
    strayFile = dir.filePath(QStringLiteral("stray.csv"));
    if (!WriteCsv(smallFile, kTaken) || !WriteCsv(largeFile, kLargeRows) ||
        !WriteCsv(plainFile, kLargeRows, Notes::Plain) ||
        !WriteCsv(strayFile, kLargeRows, Notes::StrayQuote)) {
        std::fprintf(stderr, "cannot write the CSV files in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::vector<char*> keep;
    bench::InitializeInterleaved(argc, argv, keep);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio (project / anchor, medians)\n");
    reporter.CounterRatio("30,000 rows: 75 MB file / 2 MB file, peak MB", "BM_ImportFromLargeFile",
                          "BM_ImportFromSmallFile", "peak_MB",
                          MemoryGoal(reporter, "BM_ImportFromSmallFile"));
    reporter.Ratio("30,000 rows: 75 MB file / 2 MB file, ms", "BM_ImportFromLargeFile",
                   "BM_ImportFromSmallFile", 1.5);
    reporter.CounterRatio("mapping dialog: stray quote / none, peak MB",
                          "BM_MappingDialogOnStrayQuote", "BM_MappingDialogOnPlainFile", "peak_MB",
                          MemoryGoal(reporter, "BM_MappingDialogOnPlainFile"));
    reporter.Ratio("mapping dialog: stray quote / none, ms", "BM_MappingDialogOnStrayQuote",
                   "BM_MappingDialogOnPlainFile", 3);
    reporter.CounterRatio("rows 1-30,000: stray quote / none, peak MB", "BM_ImportFromStrayQuote",
                          "BM_ImportFromPlainFile", "peak_MB",
                          MemoryGoal(reporter, "BM_ImportFromPlainFile"));
    reporter.Ratio("rows 1-30,000: stray quote / none, ms", "BM_ImportFromStrayQuote",
                   "BM_ImportFromPlainFile", 3);
    benchmark::Shutdown();
    return 0;
}
