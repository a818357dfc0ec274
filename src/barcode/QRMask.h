#pragma once
// Choice of the data mask of a QR Code symbol by the standard's penalty rules: runs of five
// or more equal modules, 2 x 2 blocks of one colour, finder-like 1:1:3:1:1 patterns with
// four light modules beside them, and the deviation of the dark share from one half. The
// symbol with the lowest penalty wins (the lowest mask number on a tie).
//
// Rows and columns are scored as bit strings, 64 modules a word, so that all eight masks of
// the largest symbol are scored in a fraction of a millisecond.

#include <cstdint>

namespace bw::qr {

// The modules of a symbol (up to 177 a side) as bit strings of its rows and of its columns.
class ModuleBoard {
public:
    static constexpr int kMaxSize = 177;
    static constexpr int kMaxWords = 3;  // 177 modules and the light margins fit in 192 bits
    using Word = std::uint64_t;

    // All light, n modules a side.
    void Reset(int n);
    // From a symbol of n x n bytes (low bit 1 = dark).
    void Load(const std::uint8_t* symbol, int n);
    void SetDark(int x, int y) {
        rows_[y][(x + kMargin) >> 6] |= Word{1} << ((x + kMargin) & 63);
        cols_[x][(y + kMargin) >> 6] |= Word{1} << ((y + kMargin) & 63);
    }
    int Size() const { return n_; }
    // The penalty of the symbol as it stands.
    long Penalty() const;

    // Module k of a line is bit k + kMargin; the margins are light, like the quiet zone
    // around a symbol, which the finder-like rule needs to look beyond the edge.
    static constexpr int kMargin = 4;

private:
    friend int ChooseMask(const ModuleBoard&, const ModuleBoard&, int, long*);
    int n_ = 0;
    int words_ = 1;
    Word rows_[kMaxSize][kMaxWords];
    Word cols_[kMaxSize][kMaxWords];
};

// The penalty of a finished symbol (n x n, 1 dark, 0 light).
long PenaltyScore(const std::uint8_t* symbol, int n);

// The best mask for an unmasked symbol: `unmasked` holds the function patterns and the
// placed data bits (the format areas light), `dataModules` the modules a mask inverts.
// Every mask is scored with its own format information for the level.
int ChooseMask(const ModuleBoard& unmasked, const ModuleBoard& dataModules, int level,
               long* bestPenalty = nullptr);

}  // namespace bw::qr
