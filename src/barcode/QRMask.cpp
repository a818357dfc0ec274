#include "barcode/QRMask.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "barcode/QRMatrix.h"

namespace bw::qr {

namespace {

// Every row and column is a bit string with module k at bit k + kMargin; the margins on
// both sides are light, like the quiet zone around a symbol, which the finder-like rule
// needs to look beyond the edge.
constexpr int kMargin = 4;
constexpr int kMaxWords = 3;  // 177 modules + both margins fit in 192 bits
constexpr int kMaxSize = 177;

using Word = std::uint64_t;

template <std::size_t W>
using Line = std::array<Word, W>;

template <std::size_t W>
inline Line<W> ShiftDown(const Line<W>& a, int k) {  // result bit p = a bit p + k
    Line<W> r;
    for (std::size_t i = 0; i < W; ++i) {
        Word v = a[i] >> k;
        if (i + 1 < W) v |= a[i + 1] << (64 - k);
        r[i] = v;
    }
    return r;
}

template <std::size_t W>
inline Line<W> ShiftUp(const Line<W>& a, int k) {  // result bit p = a bit p - k
    Line<W> r;
    for (std::size_t i = 0; i < W; ++i) {
        Word v = a[i] << k;
        if (i > 0) v |= a[i - 1] >> (64 - k);
        r[i] = v;
    }
    return r;
}

template <std::size_t W>
inline int Count(const Line<W>& a) {
    int c = 0;
    for (std::size_t i = 0; i < W; ++i) c += std::popcount(a[i]);
    return c;
}

template <std::size_t W>
Line<W> RangeMask(int from, int to) {  // bits from..to-1
    Line<W> r{};
    for (int p = from; p < to; ++p) r[p >> 6] |= Word{1} << (p & 63);
    return r;
}

// Masks of the positions a rule may start at, for one symbol size.
template <std::size_t W>
struct Ranges {
    Line<W> pairs;   // a module and its right/lower neighbour both inside
    Line<W> finder;  // seven modules from here inside
    explicit Ranges(int n)
        : pairs(RangeMask<W>(kMargin, kMargin + n - 1)),
          finder(RangeMask<W>(kMargin, kMargin + n - 6)) {}
};

// Runs of five or more (3 + excess) and finder-like patterns (40 each) of one line.
template <std::size_t W>
inline long ScoreLine(const Line<W>& d, const Ranges<W>& r) {
    Line<W> e;
    const Line<W> d1 = ShiftDown(d, 1);
    for (std::size_t i = 0; i < W; ++i) e[i] = ~(d[i] ^ d1[i]) & r.pairs[i];
    const Line<W> e1 = ShiftDown(e, 1), e2 = ShiftDown(e, 2), e3 = ShiftDown(e, 3);
    Line<W> u5;
    for (std::size_t i = 0; i < W; ++i) u5[i] = e[i] & e1[i] & e2[i] & e3[i];
    const Line<W> u5prev = ShiftUp(u5, 1);
    Line<W> starts;
    for (std::size_t i = 0; i < W; ++i) starts[i] = u5[i] & ~u5prev[i];
    long score = Count(u5) + 2L * Count(starts);

    // Dark, light, dark x3, light, dark with four light modules before or after.
    Line<W> light;
    for (std::size_t i = 0; i < W; ++i) light[i] = ~d[i];
    const Line<W> l1 = ShiftDown(light, 1), l2 = ShiftDown(light, 2), l3 = ShiftDown(light, 3);
    Line<W> light4;
    for (std::size_t i = 0; i < W; ++i) light4[i] = light[i] & l1[i] & l2[i] & l3[i];
    const Line<W> before = ShiftUp(light4, 4), after = ShiftDown(light4, 7);
    const Line<W> d2 = ShiftDown(d, 2), d3 = ShiftDown(d, 3), d4 = ShiftDown(d, 4),
                  d5 = ShiftDown(d, 5), d6 = ShiftDown(d, 6);
    Line<W> hit;
    for (std::size_t i = 0; i < W; ++i)
        hit[i] = d[i] & ~d1[i] & d2[i] & d3[i] & d4[i] & ~d5[i] & d6[i] & r.finder[i] &
                 (before[i] | after[i]);
    score += 40L * Count(hit);
    return score;
}

template <std::size_t W>
struct Board {
    int n = 0;
    Line<W> rows[kMaxSize];
    Line<W> cols[kMaxSize];
};

inline void SetBit(Word* line, int k) { line[(k + kMargin) >> 6] |= Word{1} << ((k + kMargin) & 63); }

template <std::size_t W>
long ScoreBoard(const Board<W>& b) {
    const int n = b.n;
    const Ranges<W> r(n);
    long score = 0;
    int dark = 0;
    for (int y = 0; y < n; ++y) {
        score += ScoreLine(b.rows[y], r);
        score += ScoreLine(b.cols[y], r);
        dark += Count(b.rows[y]);
    }
    // 2 x 2 blocks of one colour.
    for (int y = 0; y + 1 < n; ++y) {
        const Line<W>& a = b.rows[y];
        const Line<W>& c = b.rows[y + 1];
        Line<W> v;
        for (std::size_t i = 0; i < W; ++i) v[i] = ~(a[i] ^ c[i]);
        const Line<W> v1 = ShiftDown(v, 1), a1 = ShiftDown(a, 1);
        Line<W> block;
        for (std::size_t i = 0; i < W; ++i) block[i] = v[i] & v1[i] & ~(a[i] ^ a1[i]) & r.pairs[i];
        score += 3L * Count(block);
    }
    // Dark share: 10 points for every full 5 % away from one half.
    const long total = static_cast<long>(n) * n;
    score += 10L * (std::labs(dark * 20L - total * 10L) / total);
    return score;
}

template <std::size_t W>
void LoadBoard(Board<W>& b, const std::uint8_t* symbol, int n) {
    b.n = n;
    for (int i = 0; i < n; ++i) {
        b.rows[i].fill(0);
        b.cols[i].fill(0);
    }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (symbol[y * n + x] & 1) {
                SetBit(b.rows[y].data(), x);
                SetBit(b.cols[x].data(), y);
            }
}

// The pattern of every mask along a row (bit x + margin set where row i is inverted) and
// along a column, for i and j modulo 12, which repeats every mask.
struct MaskPatterns {
    Word rows[8][12][kMaxWords];
    Word cols[8][12][kMaxWords];
    MaskPatterns() {
        for (int m = 0; m < 8; ++m)
            for (int k = 0; k < 12; ++k) {
                for (int w = 0; w < kMaxWords; ++w) rows[m][k][w] = cols[m][k][w] = 0;
                for (int p = 0; p < kMaxSize; ++p) {
                    if (MaskCondition(m, k, p)) SetBit(rows[m][k], p);
                    if (MaskCondition(m, p, k)) SetBit(cols[m][k], p);
                }
            }
    }
};

const MaskPatterns& Patterns() {
    static const MaskPatterns patterns;
    return patterns;
}

template <std::size_t W>
long ScoreSymbol(const std::uint8_t* symbol, int n) {
    static thread_local Board<W> board;
    LoadBoard(board, symbol, n);
    return ScoreBoard(board);
}

template <std::size_t W>
int Choose(const std::uint8_t* modules, const std::uint8_t* isData, int n, int level,
           long* bestPenalty) {
    static thread_local Board<W> base, data, trial;
    LoadBoard(base, modules, n);
    LoadBoard(data, isData, n);
    trial.n = n;
    int first[15];
    int second[15];
    FormatPositions(n, first, second);
    const MaskPatterns& pat = Patterns();
    int best = 0;
    long bestScore = -1;
    for (int m = 0; m < 8; ++m) {
        for (int i = 0; i < n; ++i) {
            const Word* pr = pat.rows[m][i % 12];
            const Word* pc = pat.cols[m][i % 12];
            for (std::size_t w = 0; w < W; ++w) {
                trial.rows[i][w] = base.rows[i][w] ^ (pr[w] & data.rows[i][w]);
                trial.cols[i][w] = base.cols[i][w] ^ (pc[w] & data.cols[i][w]);
            }
        }
        const int bits = FormatBits(level, m);
        for (int k = 0; k < 15; ++k) {
            if (!((bits >> (14 - k)) & 1)) continue;
            for (int pos : {first[k], second[k]}) {
                SetBit(trial.rows[pos / n].data(), pos % n);
                SetBit(trial.cols[pos % n].data(), pos / n);
            }
        }
        const long score = ScoreBoard(trial);
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best = m;
        }
    }
    if (bestPenalty) *bestPenalty = bestScore;
    return best;
}

int WordsFor(int n) { return (n + 2 * kMargin + 4 + 63) / 64; }

}  // namespace

long PenaltyScore(const std::uint8_t* symbol, int n) {
    if (n <= 0 || n > kMaxSize) return 0;
    switch (WordsFor(n)) {
        case 1: return ScoreSymbol<1>(symbol, n);
        case 2: return ScoreSymbol<2>(symbol, n);
        default: return ScoreSymbol<3>(symbol, n);
    }
}

int ChooseMask(const std::uint8_t* modules, const std::uint8_t* isData, int n, int level,
               long* bestPenalty) {
    if (n <= 0 || n > kMaxSize) return 0;
    switch (WordsFor(n)) {
        case 1: return Choose<1>(modules, isData, n, level, bestPenalty);
        case 2: return Choose<2>(modules, isData, n, level, bestPenalty);
        default: return Choose<3>(modules, isData, n, level, bestPenalty);
    }
}

}  // namespace bw::qr
