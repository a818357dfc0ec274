#include "barcode/ReedSolomon.h"

#include <vector>

namespace bw {

bool clsReedSolomon::Init(long dataCount, long ecCount, const clsFiniteField* field, long generator,
                          long firstRoot) {
    if (dataCount + ecCount > kMaxSymbols || dataCount <= 0 || ecCount <= 0 || firstRoot < 0)
        return false;
    const clsFiniteField* f = field ? field : field_;
    if (!f) return false;
    long alpha = generator != 0 ? generator : generator_;
    if (alpha == 0) alpha = f->Generator();
    if (alpha == 0) return false;

    field_ = f;
    dataCount_ = dataCount;
    ecCount_ = ecCount;
    generator_ = alpha;
    firstRoot_ = firstRoot;

    // r = alpha^firstRoot by squaring and multiplying.
    long r = 1;
    long base = alpha;
    for (long e = firstRoot; e > 0; e >>= 1) {
        if (e & 1) r = f->Multiply(r, base);
        base = f->Multiply(base, base);
    }
    coef_.fill(0);
    coef_[0] = f->Negate(r);
    coef_[1] = 1;
    long t = f->Negate(r);
    for (long i = 2; i <= ecCount; ++i) {
        t = f->Multiply(t, alpha);
        coef_[i] = 1;
        for (long j = i - 1; j >= 1; --j) coef_[j] = f->Add(coef_[j - 1], f->Multiply(coef_[j], t));
        coef_[0] = f->Multiply(coef_[0], t);
    }
    for (long i = 0; i <= ecCount; ++i)
        coefLog_[i] = coef_[i] == 0 ? -1 : static_cast<int>(f->Log(coef_[i]));
    return true;
}

void clsReedSolomon::Encode(long* symbols) const {
    const clsFiniteField& f = *field_;
    const long n = ecCount_;
    std::vector<long> work(kMaxSymbols, 0);
    for (long i = 0; i < dataCount_; ++i) work[n + i] = symbols[n + i];
    for (long i = dataCount_ - 1; i >= 0; --i) {
        const long fb = work[n + i];
        for (long j = 0; j < n; ++j)
            work[i + j] = f.Subtract(work[i + j], f.Multiply(fb, coef_[j]));
    }
    for (long j = 0; j < n; ++j) symbols[j] = f.Negate(work[j]);
}

void clsReedSolomon::EncodeBytes(const std::uint8_t* data, int count, std::uint8_t* check) const {
    // Long division in code-word order: the remainder register holds the check bytes,
    // highest degree first; in a binary field subtraction is exclusive or.
    const clsFiniteField& f = *field_;
    const int n = static_cast<int>(ecCount_);
    const long period = f.Order() - 1;
    std::uint8_t reg[kMaxSymbols] = {};
    for (int i = 0; i < count; ++i) {
        const int fb = data[i] ^ reg[0];
        for (int j = 0; j + 1 < n; ++j) reg[j] = reg[j + 1];
        reg[n - 1] = 0;
        if (fb == 0) continue;
        const long logFb = f.Log(fb);
        // reg[j] takes the coefficient of x^(n-1-j).
        for (int j = 0; j < n; ++j) {
            const int cl = coefLog_[n - 1 - j];
            if (cl < 0) continue;
            long s = logFb + cl;
            if (s >= period) s -= period;
            reg[j] ^= static_cast<std::uint8_t>(f.ExpEntry(s));
        }
    }
    for (int j = 0; j < n; ++j) check[j] = reg[j];
}

}  // namespace bw
