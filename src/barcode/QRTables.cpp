#include "barcode/QRTables.h"

namespace bw::qr {

namespace {

// Error correction characteristics of the standard, by version (index 0 unused) and level.
constexpr unsigned char kECBlocks[4][41] = {
    {0, 1, 1, 1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0,  1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0,  1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0,  1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

constexpr unsigned char kECPerBlock[4][41] = {
    {0,  7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0,  13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};

bool Valid(int version, int level) {
    return version >= 1 && version <= 40 && level >= 1 && level <= 4;
}

}  // namespace

int SymbolSize(int version) {
    return 4 * version + 17;
}

int AlignmentCoords(int version) {
    return version <= 1 ? 1 : version / 7 + 2;
}

int AlignmentCount(int version) {
    int a = AlignmentCoords(version);
    return a < 2 ? 0 : a * a - 3;
}

int AlignStep(int v) {
    if (v <= 6) return 255;
    if (v <= 13) return 2 * v + 2;
    if (v <= 20) return ((2 * v + 4) / 3) * 2;
    if (v <= 27) return (v + 2) % 2 == 0 ? v + 2 : v + 1;
    if (v <= 34) return (v / 3) * 2 + 6;
    return (v / 3) * 2 + 2;
}

int DataModules(int version) {
    const int n = SymbolSize(version);
    const int a = AlignmentCoords(version);
    int modules = (n - 2) * n - 191;
    if (a >= 2) modules += (10 - 25 * a) * a + 55;
    if (a > 2) modules -= 36;
    return modules;
}

int TotalCodewords(int version) {
    return DataModules(version) / 8;
}

int ECBlocks(int version, int level) {
    return Valid(version, level) ? kECBlocks[level - 1][version] : 0;
}

int ECPerBlock(int version, int level) {
    return Valid(version, level) ? kECPerBlock[level - 1][version] : 0;
}

int DataCodewords(int version, int level) {
    if (!Valid(version, level)) return 0;
    return TotalCodewords(version) - ECBlocks(version, level) * ECPerBlock(version, level);
}

}  // namespace bw::qr
