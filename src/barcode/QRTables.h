#pragma once
// Sizes and capacities of QR Code symbols (model 2, versions 1 to 40, error-correction
// levels L, M, Q, H) and the error-correction block table of the standard.

namespace bw::qr {

// Error-correction levels, numbered as the encoder's callers pass them.
enum Level : int { LevelL = 1, LevelM = 2, LevelQ = 3, LevelH = 4 };

// Modules per side: 4v + 17.
int SymbolSize(int version);
// Alignment-pattern centre coordinates along one axis: 1 for version 1, v / 7 + 2 after.
int AlignmentCoords(int version);
// Alignment patterns in the symbol: a^2 - 3, or 0 below two coordinates.
int AlignmentCount(int version);
// Distance between neighbouring alignment-pattern centres (255 for versions 1 to 6).
int AlignStep(int version);
// Modules left for codewords and remainder bits.
int DataModules(int version);
// Codewords of the symbol.
int TotalCodewords(int version);
// Error-correction blocks of the symbol and error-correction codewords per block.
int ECBlocks(int version, int level);
int ECPerBlock(int version, int level);
// Data codewords: total codewords less the error-correction codewords.
int DataCodewords(int version, int level);

}  // namespace bw::qr
