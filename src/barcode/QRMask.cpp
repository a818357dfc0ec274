#include "barcode/QRMask.h"

#include <bit>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "barcode/QRMatrix.h"

namespace bw::qr {

namespace {

using Word = ModuleBoard::Word;
constexpr int kMargin = ModuleBoard::kMargin;
constexpr int kMaxSize = ModuleBoard::kMaxSize;
constexpr int kMaxWords = ModuleBoard::kMaxWords;

// Word-wide shifts of a line of W words: Down gives bit p the value of bit p + k, Up the
// value of bit p - k.
template <int W>
inline void ShiftDown(const Word* a, int k, Word* r) {
    for (int i = 0; i < W; ++i) r[i] = (a[i] >> k) | (i + 1 < W ? a[i + 1] << (64 - k) : 0);
}

template <int W>
inline void ShiftUp(const Word* a, int k, Word* r) {
    for (int i = 0; i < W; ++i) r[i] = (a[i] << k) | (i > 0 ? a[i - 1] >> (64 - k) : 0);
}

template <int W>
inline int Count(const Word* a) {
    int c = 0;
    for (int i = 0; i < W; ++i) c += std::popcount(a[i]);
    return c;
}

void RangeMask(int from, int to, Word* r) {  // bits from .. to - 1
    for (int i = 0; i < kMaxWords; ++i) r[i] = 0;
    for (int p = from; p < to; ++p) r[p >> 6] |= Word{1} << (p & 63);
}

// Where a rule may start on a line of n modules.
struct Ranges {
    Word pairs[kMaxWords];   // a module and its next neighbour both inside
    Word finder[kMaxWords];  // seven modules from here inside
    explicit Ranges(int n) {
        RangeMask(kMargin, kMargin + n - 1, pairs);
        RangeMask(kMargin, kMargin + n - 6, finder);
    }
};

// Runs of five or more (3 points and 1 for each module beyond five) and finder-like
// patterns (40 each) of one row or column.
template <int W>
inline long ScoreLine(const Word* d, const Ranges& r) {
    Word d1[W], e[W], e1[W], e2[W], e3[W], u5[W], prev[W];
    ShiftDown<W>(d, 1, d1);
    for (int i = 0; i < W; ++i) e[i] = ~(d[i] ^ d1[i]) & r.pairs[i];
    ShiftDown<W>(e, 1, e1);
    ShiftDown<W>(e, 2, e2);
    ShiftDown<W>(e, 3, e3);
    for (int i = 0; i < W; ++i) u5[i] = e[i] & e1[i] & e2[i] & e3[i];
    ShiftUp<W>(u5, 1, prev);
    long score = 0;
    for (int i = 0; i < W; ++i) score += std::popcount(u5[i]) + 2 * std::popcount(u5[i] & ~prev[i]);

    // Dark, light, three dark, light, dark with four light modules before or after.
    Word light[W], l1[W], l2[W], l3[W], light4[W], before[W], after[W];
    for (int i = 0; i < W; ++i) light[i] = ~d[i];
    ShiftDown<W>(light, 1, l1);
    ShiftDown<W>(light, 2, l2);
    ShiftDown<W>(light, 3, l3);
    for (int i = 0; i < W; ++i) light4[i] = light[i] & l1[i] & l2[i] & l3[i];
    ShiftUp<W>(light4, 4, before);
    ShiftDown<W>(light4, 7, after);
    Word d2[W], d3[W], d4[W], d5[W], d6[W];
    ShiftDown<W>(d, 2, d2);
    ShiftDown<W>(d, 3, d3);
    ShiftDown<W>(d, 4, d4);
    ShiftDown<W>(d, 5, d5);
    ShiftDown<W>(d, 6, d6);
    int hits = 0;
    for (int i = 0; i < W; ++i)
        hits += std::popcount(d[i] & ~d1[i] & d2[i] & d3[i] & d4[i] & ~d5[i] & d6[i] & r.finder[i] &
                              (before[i] | after[i]));
    return score + 40L * hits;
}

template <int W>
long Score(const Word (*rows)[kMaxWords], const Word (*cols)[kMaxWords], int n) {
    const Ranges r(n);
    long score = 0;
    long dark = 0;
    for (int y = 0; y < n; ++y) {
        score += ScoreLine<W>(rows[y], r) + ScoreLine<W>(cols[y], r);
        dark += Count<W>(rows[y]);
    }
    // 2 x 2 blocks of one colour.
    for (int y = 0; y + 1 < n; ++y) {
        const Word* a = rows[y];
        const Word* c = rows[y + 1];
        Word v[W], v1[W], a1[W];
        for (int i = 0; i < W; ++i) v[i] = ~(a[i] ^ c[i]);
        ShiftDown<W>(v, 1, v1);
        ShiftDown<W>(a, 1, a1);
        for (int i = 0; i < W; ++i)
            score += 3 * std::popcount(v[i] & v1[i] & ~(a[i] ^ a1[i]) & r.pairs[i]);
    }
    // Dark share: 10 points for every full 5 % away from one half.
    const long total = static_cast<long>(n) * n;
    return score + 10L * (std::labs(dark * 20 - total * 10) / total);
}

long ScoreAny(int words, const Word (*rows)[kMaxWords], const Word (*cols)[kMaxWords], int n) {
    switch (words) {
        case 1:
            return Score<1>(rows, cols, n);
        case 2:
            return Score<2>(rows, cols, n);
        default:
            return Score<3>(rows, cols, n);
    }
}

// The pattern of every mask along a row (bit x + margin set where row i is inverted) and
// along a column, for i and j modulo 12, after which every mask repeats.
struct MaskPatterns {
    Word rows[8][12][kMaxWords] = {};
    Word cols[8][12][kMaxWords] = {};
    MaskPatterns() {
        for (int m = 0; m < 8; ++m)
            for (int k = 0; k < 12; ++k)
                for (int p = 0; p < kMaxSize; ++p) {
                    const int bit = p + kMargin;
                    if (MaskCondition(m, k, p)) rows[m][k][bit >> 6] |= Word{1} << (bit & 63);
                    if (MaskCondition(m, p, k)) cols[m][k][bit >> 6] |= Word{1} << (bit & 63);
                }
    }
};

const MaskPatterns& Patterns() {
    static const MaskPatterns patterns;
    return patterns;
}

}  // namespace

void ModuleBoard::Reset(int n) {
    n_ = n;
    // Room for the margins on both sides and the four light modules the finder-like rule
    // looks at beyond the last module.
    words_ = (n + 2 * kMargin + 4 + 63) / 64;
    std::memset(rows_, 0, sizeof rows_);
    std::memset(cols_, 0, sizeof cols_);
}

void ModuleBoard::Load(const std::uint8_t* symbol, int n) {
    Reset(n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (symbol[y * n + x] & 1) SetDark(x, y);
}

long ModuleBoard::Penalty() const {
    return ScoreAny(words_, rows_, cols_, n_);
}

long PenaltyScore(const std::uint8_t* symbol, int n) {
    if (n <= 0 || n > kMaxSize) return 0;
    static thread_local ModuleBoard board;
    board.Load(symbol, n);
    return board.Penalty();
}

int ChooseMask(const ModuleBoard& unmasked, const ModuleBoard& dataModules, int level,
               long* bestPenalty) {
    const int n = unmasked.n_;
    const int words = unmasked.words_;
    static thread_local Word rows[kMaxSize][kMaxWords];
    static thread_local Word cols[kMaxSize][kMaxWords];
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
            for (int w = 0; w < kMaxWords; ++w) {
                rows[i][w] = unmasked.rows_[i][w] ^ (pr[w] & dataModules.rows_[i][w]);
                cols[i][w] = unmasked.cols_[i][w] ^ (pc[w] & dataModules.cols_[i][w]);
            }
        }
        const int bits = FormatBits(level, m);
        for (int k = 0; k < 15; ++k) {
            if (!((bits >> (14 - k)) & 1)) continue;
            for (int pos : {first[k], second[k]}) {
                const int x = pos % n;
                const int y = pos / n;
                rows[y][(x + kMargin) >> 6] |= Word{1} << ((x + kMargin) & 63);
                cols[x][(y + kMargin) >> 6] |= Word{1} << ((y + kMargin) & 63);
            }
        }
        const long score = ScoreAny(words, rows, cols, n);
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best = m;
        }
    }
    if (bestPenalty) *bestPenalty = bestScore;
    return best;
}

}  // namespace bw::qr
