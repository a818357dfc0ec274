#pragma once
// The QR Code encoder: a string of bytes becomes the module matrix of a model 2 symbol
// (versions 1 to 40, error-correction levels L, M, Q, H): segments and bit stream, padding,
// error-correction blocks and their interleaving, the matrix, the mask, and the format and
// version information.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "barcode/FiniteField.h"
#include "barcode/QRMask.h"
#include "barcode/QRSegments.h"
#include "barcode/QRTables.h"
#include "barcode/ReedSolomon.h"

namespace bw {

// A finished symbol: size x size modules row by row from the top, 1 dark, 0 light, without
// a quiet zone.
struct QRSymbol {
    int version = 0;
    int level = 0;
    int mask = 0;
    int size = 0;
    std::vector<std::uint8_t> modules;

    bool Dark(int x, int y) const { return modules[static_cast<size_t>(y) * size + x] != 0; }
};

class clsQRCode {
public:
    clsQRCode();
    ~clsQRCode();
    clsQRCode(const clsQRCode&) = delete;
    clsQRCode& operator=(const clsQRCode&) = delete;

    // Encodes the first `length` bytes. version 1 to 40 is taken as asked; 0 or above 40
    // means the smallest version that holds the data; below 0 makes no symbol. A level
    // outside 1 to 4 means M. A mask 0 to 7 is taken as asked; any other value means the
    // mask of the lowest penalty. No symbol when the data do not fit.
    std::optional<QRSymbol> Encode(const std::uint8_t* data, int length, int version, int level,
                                   int mask);

    // The version the data would get (0 when none fits), the level as Encode corrects it.
    int ChooseVersion(const std::uint8_t* data, int length, int level) const;

    // The data codewords of a stream for a version and level: the stream cut or completed
    // with zero bits and the pad codewords 0xEC, 0x11.
    static std::vector<std::uint8_t> PadCodewords(const qr::BitBuffer& bits, int version,
                                                  int level);
    // All codewords of the symbol in placement order: the data codewords split into the
    // error-correction blocks, each block's check codewords, interleaved.
    std::vector<std::uint8_t> Interleave(const std::vector<std::uint8_t>& dataCodewords,
                                         int version, int level);

    const clsFiniteField& GF256() const { return gf256_; }

private:
    struct Layout;
    const Layout& LayoutOf(int version);
    static void ApplyDataMask(std::uint8_t* modules, const Layout& layout, int mask);

    clsFiniteField gf256_;
    std::unique_ptr<clsReedSolomon> rsEncoder_;
    std::array<std::unique_ptr<Layout>, 41> layouts_;
    qr::BitBuffer bits_;
    qr::ModuleBoard board_;
};

}  // namespace bw
