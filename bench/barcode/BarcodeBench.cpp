// Encoding speed of the barcode encoders. The QR Code cases run our encoder and libqrencode
// side by side on the same texts: byte data, the smallest version at level L, the mask chosen
// by the penalty rules in both.

#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <QString>
#include <random>
#include <string>

#include "barcode/Code39.h"
#include "barcode/EAN13.h"
#include "barcode/QRCode.h"

namespace {

// A bill's line of text: 100 bytes of UTF-8, Chinese and ASCII mixed.
const std::string& Text100() {
    static const std::string text =
        QStringLiteral(
            "进账单 No.2024-000123 收款人：北京织锦科技有限公司 金额￥12,345.00 2024-07-01 OK")
            .toStdString();
    return text;
}

// Printable text that fills a version-40 symbol at level L in byte mode.
const std::string& TextV40() {
    static const std::string text = [] {
        std::mt19937 rng(40);
        std::string s(2900, 'a');
        for (char& c : s) c = static_cast<char>('a' + rng() % 26);
        return s;
    }();
    return text;
}

void OursQR(benchmark::State& state, const std::string& text, int expectedVersion) {
    bw::clsQRCode coder;
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    const int length = static_cast<int>(text.size());
    for (auto _ : state) {
        auto symbol = coder.Encode(data, length, 0, bw::qr::LevelL, -1);
        benchmark::DoNotOptimize(symbol);
    }
    const auto symbol = coder.Encode(data, length, 0, bw::qr::LevelL, -1);
    if (!symbol || (expectedVersion && symbol->version != expectedVersion))
        state.SkipWithError("unexpected version");
    else
        state.counters["version"] = symbol->version;
    state.SetBytesProcessed(state.iterations() * length);
}

// libqrencode either with the bytes as one 8-bit segment, or with its own choice of
// numeric and alphanumeric segments in the text (as ours makes).
QRcode* Qrencode(const std::string& text, bool segments) {
    if (segments) return QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_L, QR_MODE_8, 1);
    return QRcode_encodeData(static_cast<int>(text.size()),
                             reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_L);
}

void LibQrencode(benchmark::State& state, const std::string& text, int expectedVersion,
                 bool segments = false) {
    const int length = static_cast<int>(text.size());
    for (auto _ : state) {
        QRcode* code = Qrencode(text, segments);
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }
    QRcode* code = Qrencode(text, segments);
    if (!code || (expectedVersion && code->version != expectedVersion))
        state.SkipWithError("unexpected version");
    else
        state.counters["version"] = code->version;
    QRcode_free(code);
    state.SetBytesProcessed(state.iterations() * length);
}

void BM_QR100_Ours(benchmark::State& state) {
    OursQR(state, Text100(), 0);
}
void BM_QR100_Libqrencode(benchmark::State& state) {
    LibQrencode(state, Text100(), 0);
}
void BM_QR100_LibqrencodeSegments(benchmark::State& state) {
    LibQrencode(state, Text100(), 0, true);
}
void BM_QRv40_Ours(benchmark::State& state) {
    OursQR(state, TextV40(), 40);
}
void BM_QRv40_Libqrencode(benchmark::State& state) {
    LibQrencode(state, TextV40(), 40);
}

// A fresh encoder each time: includes building the version's function patterns.
void BM_QRv40_OursColdEncoder(benchmark::State& state) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(TextV40().data());
    for (auto _ : state) {
        bw::clsQRCode coder;
        auto symbol = coder.Encode(data, static_cast<int>(TextV40().size()), 0, bw::qr::LevelL, -1);
        benchmark::DoNotOptimize(symbol);
    }
}

void BM_Code39Layout(benchmark::State& state) {
    const QString text = QStringLiteral("BW-2024-000123");
    for (auto _ : state) {
        const double module = bw::FitCode39Module(text, 6000);
        auto layout = bw::LayoutCode39(text, module);
        benchmark::DoNotOptimize(layout);
    }
}

void BM_EAN13Modules(benchmark::State& state) {
    for (auto _ : state) {
        QString text = QStringLiteral("978-7-111-12345-6");
        QString modules = bw::EAN13Modules(text);
        benchmark::DoNotOptimize(modules);
    }
}

}  // namespace

BENCHMARK(BM_QR100_Ours);
BENCHMARK(BM_QR100_Libqrencode);
BENCHMARK(BM_QR100_LibqrencodeSegments);
BENCHMARK(BM_QRv40_Ours);
BENCHMARK(BM_QRv40_Libqrencode);
BENCHMARK(BM_QRv40_OursColdEncoder);
BENCHMARK(BM_Code39Layout);
BENCHMARK(BM_EAN13Modules);

BENCHMARK_MAIN();
