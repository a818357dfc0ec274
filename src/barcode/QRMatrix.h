#pragma once
// The module matrix of a QR Code symbol: function patterns (finders, separators, timing,
// alignment, reserved format and version areas), the zig-zag order in which codeword bits
// fill the free modules, the data masks, and the format and version information.
//
// Matrices are n x n bytes, row by row from the top: index y * n + x, x the column.
// A function matrix holds 0 for a free (data) module, 1 for a dark and 2 for a light
// function module; a finished symbol holds 1 dark, 0 light.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bw::qr {

enum : std::uint8_t { kFree = 0, kDark = 1, kLight = 2 };

// Writes the function patterns of a version 1 to 40 into the n x n matrix, the version
// information included from version 7 on (the format areas stay light); any other version
// writes nothing.
void PlaceFunctionPatterns(std::uint8_t* matrix, int version);

// The remainder of value * 2^shifts divided by the binary polynomial poly whose highest
// term is topBit.
long BCHRemainder(long value, long poly, long topBit, int shifts);

// The 15 format bits of a level (1 L .. 4 H) and mask, masked with 0x5412.
int FormatBits(int level, int mask);
// The 18 version bits of a version 7 to 40.
long VersionBits(int version);

// Writes the 15 format bits (both copies) into a finished symbol (1 dark, 0 light).
void PlaceFormatInfo(std::uint8_t* symbol, int n, int formatBits);
// The modules the format bits go to: first copy, then second, each from bit 14 down to
// bit 0; index y * n + x.
void FormatPositions(int n, int first[15], int second[15]);

// The free modules in the order the codeword bits fill them.
std::vector<int> DataPositions(const std::uint8_t* functionMatrix, int n);

// True when the data mask inverts the module of row i, column j.
constexpr bool MaskCondition(int mask, int i, int j) {
    switch (mask) {
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return (i * j) % 2 + (i * j) % 3 == 0;
        case 6:
            return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        case 7:
            return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
        default:
            return (i + j) % 2 == 0;
    }
}
// Inverts every module of the n x n matrix where the mask's condition holds; a mask
// outside 0 to 7 is taken as 0. Returns the mask used.
int ApplyMask(std::uint8_t* matrix, int n, int mask);

}  // namespace bw::qr
