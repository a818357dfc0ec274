#include "barcode/QRCode.h"

#include <algorithm>

#include "barcode/QRMask.h"
#include "barcode/QRMatrix.h"

namespace bw {

// The parts of a symbol that depend on its version alone, built once per version: the
// function patterns and the order of the data modules.
struct clsQRCode::Layout {
    int size = 0;
    std::vector<std::uint8_t> function;  // kFree / kDark / kLight
    std::vector<std::uint16_t> positions;
    std::vector<std::uint8_t> posX, posY;
    qr::ModuleBoard functionDark;  // the dark function modules
    qr::ModuleBoard dataModules;   // the modules a mask inverts
};

clsQRCode::clsQRCode() {
    gf256_.Init(256, 285, 2);
}

clsQRCode::~clsQRCode() = default;

const clsQRCode::Layout& clsQRCode::LayoutOf(int version) {
    std::unique_ptr<Layout>& slot = layouts_[version];
    if (!slot) {
        auto layout = std::make_unique<Layout>();
        const int n = qr::SymbolSize(version);
        layout->size = n;
        layout->function.assign(static_cast<size_t>(n) * n, qr::kFree);
        qr::PlaceFunctionPatterns(layout->function.data(), version);
        const std::vector<int> order = qr::DataPositions(layout->function.data(), n);
        layout->positions.assign(order.begin(), order.end());
        layout->functionDark.Reset(n);
        layout->dataModules.Reset(n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                if (layout->function[y * n + x] == qr::kDark) layout->functionDark.SetDark(x, y);
        for (int pos : order) {
            layout->posX.push_back(static_cast<std::uint8_t>(pos % n));
            layout->posY.push_back(static_cast<std::uint8_t>(pos / n));
            layout->dataModules.SetDark(pos % n, pos / n);
        }
        slot = std::move(layout);
    }
    return *slot;
}

int clsQRCode::ChooseVersion(const std::uint8_t* data, int length, int level) const {
    if (level < 1 || level > 4) level = qr::LevelM;
    static constexpr int kClasses[3][2] = {{1, 9}, {10, 26}, {27, 40}};
    for (const auto& range : kClasses) {
        const long count = qr::EncodeData(nullptr, data, length, range[0], true);
        for (int v = range[0]; v <= range[1]; ++v)
            if (count - 4 <= 8L * qr::DataCodewords(v, level)) return v;
    }
    return 0;
}

std::vector<std::uint8_t> clsQRCode::PadCodewords(const qr::BitBuffer& bits, int version,
                                                  int level) {
    const int d = qr::DataCodewords(version, level);
    std::vector<std::uint8_t> out(static_cast<size_t>(d), 0);
    const int capacity = 8 * d;
    const int used = std::min(bits.Size(), capacity);
    const std::vector<std::uint8_t>& bytes = bits.Bytes();
    const int whole = (used + 7) / 8;  // zero bits complete the last byte
    for (int i = 0; i < whole && i < d; ++i) out[i] = bytes[i];
    if (used & 7) out[whole - 1] &= static_cast<std::uint8_t>(0xFF00 >> (used & 7));
    for (int i = whole, k = 0; i < d; ++i, ++k) out[i] = (k % 2 == 0) ? 0xEC : 0x11;
    return out;
}

std::vector<std::uint8_t> clsQRCode::Interleave(const std::vector<std::uint8_t>& dataCodewords,
                                                int version, int level) {
    const int d = qr::DataCodewords(version, level);
    const int b = qr::ECBlocks(version, level);
    const int e = qr::ECPerBlock(version, level);
    const int total = qr::TotalCodewords(version);
    const int longLen = (d + b - 1) / b;
    const int shortBlocks = (d % b == 0) ? 0 : b - d % b;
    if (!rsEncoder_) rsEncoder_ = std::make_unique<clsReedSolomon>();
    rsEncoder_->Init(longLen, e, &gf256_, 0, 0);

    std::vector<std::uint8_t> out(static_cast<size_t>(total), 0);
    std::uint8_t check[clsReedSolomon::kMaxSymbols];
    int start = 0;
    for (int block = 0; block < b; ++block) {
        const int len = block < shortBlocks ? longLen - 1 : longLen;
        const std::uint8_t* p = dataCodewords.data() + start;
        for (int j = 0; j < len; ++j) {
            const int pos =
                (j < longLen - 1) ? j * b + block : (longLen - 1) * b + (block - shortBlocks);
            out[pos] = p[j];
        }
        rsEncoder_->EncodeBytes(p, len, check);
        for (int k = 0; k < e; ++k) out[d + k * b + block] = check[k];
        start += len;
    }
    return out;
}

namespace {

// Inverts the data modules where mask M's condition holds; M is a constant, so the test of
// the condition is compiled for each mask on its own.
template <int M>
void InvertData(std::uint8_t* modules, const std::vector<std::uint16_t>& positions,
                const std::vector<std::uint8_t>& xs, const std::vector<std::uint8_t>& ys) {
    for (size_t k = 0; k < positions.size(); ++k)
        if (qr::MaskCondition(M, ys[k], xs[k])) modules[positions[k]] ^= 1;
}

}  // namespace

void clsQRCode::ApplyDataMask(std::uint8_t* modules, const Layout& l, int mask) {
    using Inverter = void (*)(std::uint8_t*, const std::vector<std::uint16_t>&,
                              const std::vector<std::uint8_t>&, const std::vector<std::uint8_t>&);
    static constexpr Inverter kInvert[8] = {InvertData<0>, InvertData<1>, InvertData<2>,
                                            InvertData<3>, InvertData<4>, InvertData<5>,
                                            InvertData<6>, InvertData<7>};
    kInvert[(mask < 0 || mask > 7) ? 0 : mask](modules, l.positions, l.posX, l.posY);
}

std::optional<QRSymbol> clsQRCode::Encode(const std::uint8_t* data, int length, int version,
                                          int level, int mask) {
    if (length < 0) length = 0;
    if (level < 1 || level > 4) level = qr::LevelM;
    if (version < 0) return std::nullopt;
    if (version == 0 || version > 40) {
        version = ChooseVersion(data, length, level);
        if (version == 0) return std::nullopt;
    } else {
        const long count = qr::EncodeData(nullptr, data, length, version, true);
        if (count - 4 > 8L * qr::DataCodewords(version, level)) return std::nullopt;
    }

    qr::EncodeData(&bits_, data, length, version, false);
    const std::vector<std::uint8_t> codewords =
        Interleave(PadCodewords(bits_, version, level), version, level);

    const Layout& layout = LayoutOf(version);
    const int n = layout.size;
    QRSymbol symbol;
    symbol.version = version;
    symbol.level = level;
    symbol.size = n;
    symbol.modules.resize(static_cast<size_t>(n) * n);
    for (size_t i = 0; i < symbol.modules.size(); ++i)
        symbol.modules[i] = layout.function[i] == qr::kDark ? 1 : 0;
    // Codeword bits, most significant first, along the zig-zag; the remainder bits stay 0.
    board_ = layout.functionDark;
    const size_t bitCount = std::min(codewords.size() * 8, layout.positions.size());
    for (size_t k = 0; k < bitCount; ++k)
        if ((codewords[k >> 3] >> (7 - (k & 7))) & 1) {
            symbol.modules[layout.positions[k]] = 1;
            board_.SetDark(layout.posX[k], layout.posY[k]);
        }

    if (mask < 0 || mask > 7) mask = qr::ChooseMask(board_, layout.dataModules, level);
    symbol.mask = mask;
    ApplyDataMask(symbol.modules.data(), layout, mask);
    qr::PlaceFormatInfo(symbol.modules.data(), n, qr::FormatBits(level, mask));
    return symbol;
}

}  // namespace bw
