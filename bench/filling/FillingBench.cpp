// Converting a batch of 100,000 amounts: to capitals, to capital digit cells, and to the
// house money style, as a batch print of a large Excel sheet does.

#include <benchmark/benchmark.h>

#include <QStringList>
#include <random>

#include "filling/Capitals.h"
#include "filling/Money.h"

namespace {

const QStringList& amounts() {
    static const QStringList list = [] {
        QStringList out;
        std::mt19937_64 rng(7);
        std::uniform_int_distribution<long long> fen(0, 99999999999999LL);
        for (int i = 0; i < 100000; ++i) {
            const QString f = QString::number(fen(rng)).rightJustified(3, u'0');
            out << f.left(f.size() - 2) + u'.' + f.right(2);
        }
        return out;
    }();
    return list;
}

const QString kYuan = QStringLiteral("￥");

void BM_AmountToCapitals(benchmark::State& state) {
    const QStringList& list = amounts();
    for (auto _ : state)
        for (const QString& a : list)
            benchmark::DoNotOptimize(bw::AmountToCapitals(a, QStringLiteral("元"), kYuan, 0));
    state.SetItemsProcessed(state.iterations() * list.size());
}
BENCHMARK(BM_AmountToCapitals)->Unit(benchmark::kMillisecond);

void BM_CapitalDigitCells(benchmark::State& state) {
    const QStringList& list = amounts();
    for (auto _ : state)
        for (const QString& a : list) benchmark::DoNotOptimize(bw::CapitalDigitCells(a, 14, kYuan));
    state.SetItemsProcessed(state.iterations() * list.size());
}
BENCHMARK(BM_CapitalDigitCells)->Unit(benchmark::kMillisecond);

void BM_FormatMoney(benchmark::State& state) {
    const QStringList& list = amounts();
    for (auto _ : state)
        for (const QString& a : list) benchmark::DoNotOptimize(bw::FormatMoney(a, kYuan, 1));
    state.SetItemsProcessed(state.iterations() * list.size());
}
BENCHMARK(BM_FormatMoney)->Unit(benchmark::kMillisecond);

void BM_CapitalsToAmount(benchmark::State& state) {
    QStringList caps;
    for (const QString& a : amounts())
        caps << bw::AmountToCapitals(a, QStringLiteral("元"), kYuan, 0);
    for (auto _ : state)
        for (const QString& c : caps) benchmark::DoNotOptimize(bw::CapitalsToAmount(c, 103));
    state.SetItemsProcessed(state.iterations() * caps.size());
}
BENCHMARK(BM_CapitalsToAmount)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
