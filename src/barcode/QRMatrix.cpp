#include "barcode/QRMatrix.h"

#include "barcode/QRTables.h"

namespace bw::qr {

namespace {

void SetModule(std::uint8_t* m, int n, int x, int y, std::uint8_t value) {
    if (x >= 0 && y >= 0 && x < n && y < n) m[y * n + x] = value;
}

void AlignmentPattern(std::uint8_t* m, int n, int cx, int cy) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int ring = dx * dx > dy * dy ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
            SetModule(m, n, cx + dx, cy + dy, ring == 1 ? kLight : kDark);
        }
}

}  // namespace

void PlaceFunctionPatterns(std::uint8_t* m, int version) {
    if (version < 1 || version > 40) return;
    const int n = SymbolSize(version);

    // Finder patterns with their separators.
    for (int y = 0; y <= 7; ++y)
        for (int x = 0; x <= 7; ++x) {
            bool light = x == 7 || y == 7 || ((x == 1 || x == 5) && y >= 1 && y <= 5) ||
                         ((y == 1 || y == 5) && x >= 1 && x <= 5);
            const std::uint8_t v = light ? kLight : kDark;
            SetModule(m, n, x, y, v);
            SetModule(m, n, n - 1 - x, y, v);
            SetModule(m, n, x, n - 1 - y, v);
        }

    // Format areas and the dark module.
    for (int i = 0; i <= 7; ++i) {
        SetModule(m, n, i, 8, kLight);
        SetModule(m, n, 8, i, kLight);
        SetModule(m, n, n - 1 - i, 8, kLight);
        SetModule(m, n, 8, n - 1 - i, kLight);
    }
    SetModule(m, n, 8, 8, kLight);
    SetModule(m, n, 8, n - 8, kDark);

    // Version areas.
    if (version >= 7) {
        for (int y = n - 11; y <= n - 9; ++y)
            for (int x = 0; x <= 6; ++x) {
                SetModule(m, n, x, y, kLight);
                SetModule(m, n, y, x, kLight);
            }
    }

    // Timing patterns.
    for (int i = 8; i <= n - 9; ++i) {
        const std::uint8_t v = (i % 2 == 0) ? kDark : kLight;
        SetModule(m, n, i, 6, v);
        SetModule(m, n, 6, i, v);
    }

    // Alignment patterns.
    if (version >= 2) {
        const int step = AlignStep(version);
        for (int y = n - 7; y >= 18; y -= step)
            for (int x = n - 7; x >= 18; x -= step) AlignmentPattern(m, n, x, y);
        for (int p = n - 7 - step; p >= 18; p -= step) {
            AlignmentPattern(m, n, p, 6);
            AlignmentPattern(m, n, 6, p);
        }
    }

    // Version information (fixed for the version, so written with the patterns).
    if (version >= 7) {
        const long bits = VersionBits(version);
        for (int k = 0; k < 18; ++k) {
            const std::uint8_t v = ((bits >> k) & 1) ? kDark : kLight;
            const int i = k / 3;
            const int j = k % 3;
            SetModule(m, n, i, n - 11 + j, v);
            SetModule(m, n, n - 11 + j, i, v);
        }
    }
}

long BCHRemainder(long value, long poly, long topBit, int shifts) {
    for (int i = 0; i < shifts; ++i) {
        value *= 2;
        if (value & topBit) value = (value ^ poly) & (topBit - 1);
    }
    return value;
}

int FormatBits(int level, int mask) {
    const int data = (((level - 1) ^ 1) << 3) | (mask & 7);
    return static_cast<int>(((data << 10) | BCHRemainder(data, 0x537, 0x400, 10)) ^ 0x5412);
}

long VersionBits(int version) {
    return version * 4096L + BCHRemainder(version, 0x1F25, 0x1000, 12);
}

void FormatPositions(int n, int first[15], int second[15]) {
    int k = 0;
    for (int x = 0; x <= 5; ++x) first[k++] = 8 * n + x;  // bits 14..9
    first[k++] = 8 * n + 7;                               // bit 8
    first[k++] = 8 * n + 8;                               // bit 7
    first[k++] = 7 * n + 8;                               // bit 6
    for (int y = 5; y >= 0; --y) first[k++] = y * n + 8;  // bits 5..0
    k = 0;
    for (int y = n - 1; y >= n - 7; --y) second[k++] = y * n + 8;  // bits 14..8
    for (int x = n - 8; x <= n - 1; ++x) second[k++] = 8 * n + x;  // bits 7..0
}

void PlaceFormatInfo(std::uint8_t* symbol, int n, int formatBits) {
    int first[15];
    int second[15];
    FormatPositions(n, first, second);
    for (int k = 0; k < 15; ++k) {
        const std::uint8_t v = (formatBits >> (14 - k)) & 1;
        symbol[first[k]] = v;
        symbol[second[k]] = v;
    }
    symbol[(n - 8) * n + 8] = 1;  // the dark module
}

std::vector<int> DataPositions(const std::uint8_t* fm, int n) {
    std::vector<int> order;
    order.reserve(static_cast<size_t>(n) * n);
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;  // column 6 is the vertical timing pattern
        for (int step = 0; step < n; ++step) {
            const int y = upward ? n - 1 - step : step;
            for (int x = right; x >= right - 1; --x)
                if (fm[y * n + x] == kFree) order.push_back(y * n + x);
        }
        upward = !upward;
    }
    return order;
}

int ApplyMask(std::uint8_t* matrix, int n, int mask) {
    if (mask < 0 || mask > 7) mask = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (MaskCondition(mask, i, j)) matrix[i * n + j] ^= 1;
    return mask;
}

}  // namespace bw::qr
