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

// The penalty of a finished symbol (n x n, 1 dark, 0 light).
long PenaltyScore(const std::uint8_t* symbol, int n);

// The best mask for an unmasked symbol: `modules` holds the function patterns and the
// placed data bits (1 dark, 0 light, the format areas light), `isData` marks the modules
// a mask inverts. Every mask is scored with its own format information for the level.
int ChooseMask(const std::uint8_t* modules, const std::uint8_t* isData, int n, int level,
               long* bestPenalty = nullptr);

}  // namespace bw::qr
