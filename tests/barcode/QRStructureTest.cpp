#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/QRCode.h"
#include "barcode/QRMatrix.h"
#include "barcode/QRSegments.h"
#include "barcode/QRTables.h"

namespace bw {
namespace {

using namespace qr;

const std::uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}
long Count(const std::string& s, int version = 1) {
    return EncodeData(nullptr, Bytes(s), static_cast<int>(s.size()), version, true);
}

TEST(QRTables, CapacitiesOfTheStandard) {
    EXPECT_EQ(DataModules(1), 208);
    EXPECT_EQ(TotalCodewords(1), 26);
    EXPECT_EQ(DataCodewords(1, LevelL), 19);
    EXPECT_EQ(DataModules(2), 359);
    EXPECT_EQ(TotalCodewords(2), 44);
    EXPECT_EQ(DataModules(7), 1568);
    EXPECT_EQ(TotalCodewords(7), 196);
    EXPECT_EQ(TotalCodewords(40), 3706);
    EXPECT_EQ(SymbolSize(1), 21);
    EXPECT_EQ(SymbolSize(40), 177);
    EXPECT_EQ(AlignmentCount(1), 0);
    EXPECT_EQ(AlignmentCount(2), 1);
    EXPECT_EQ(AlignmentCount(7), 6);
    EXPECT_EQ(AlignmentCount(40), 46);

    const int ec1[4] = {7, 10, 13, 17};
    const int blocks40[4] = {25, 49, 68, 81};
    const int ec40[4] = {30, 28, 30, 30};
    const int data40[4] = {2956, 2334, 1666, 1276};
    for (int level = 1; level <= 4; ++level) {
        EXPECT_EQ(ECBlocks(1, level), 1);
        EXPECT_EQ(ECPerBlock(1, level), ec1[level - 1]);
        EXPECT_EQ(ECBlocks(40, level), blocks40[level - 1]);
        EXPECT_EQ(ECPerBlock(40, level), ec40[level - 1]);
        EXPECT_EQ(DataCodewords(40, level), data40[level - 1]);
    }
    // Every block keeps data, and capacity grows with the version and falls with the level.
    for (int v = 1; v <= 40; ++v)
        for (int level = 1; level <= 4; ++level) {
            EXPECT_GE(DataCodewords(v, level), ECBlocks(v, level)) << v << "/" << level;
            if (level > 1) {
                EXPECT_LT(DataCodewords(v, level), DataCodewords(v, level - 1));
            }
            if (v > 1) {
                EXPECT_GT(DataCodewords(v, level), DataCodewords(v - 1, level));
            }
        }
}

TEST(QRTables, AlignmentCentres) {
    auto centres = [](int version) {
        const int n = SymbolSize(version);
        std::vector<std::uint8_t> m(n * n, kFree);
        PlaceFunctionPatterns(m.data(), version);
        std::vector<std::pair<int, int>> found;
        // An alignment centre is a dark module ringed by light ones, away from the finders.
        for (int y = 2; y < n - 2; ++y)
            for (int x = 2; x < n - 2; ++x) {
                if (m[y * n + x] != kDark) continue;
                bool ring = true;
                for (int d = -1; d <= 1; ++d)
                    ring = ring && m[(y - 1) * n + x + d] == kLight &&
                           m[(y + 1) * n + x + d] == kLight && m[(y + d) * n + x - 1] == kLight &&
                           m[(y + d) * n + x + 1] == kLight;
                if (ring && !((x < 9 && y < 9) || (x > n - 9 && y < 9) || (x < 9 && y > n - 9)))
                    found.push_back({x, y});
            }
        return found;
    };
    EXPECT_EQ(centres(1).size(), 0u);
    EXPECT_EQ(centres(2), (std::vector<std::pair<int, int>>{{18, 18}}));
    EXPECT_EQ(centres(7), (std::vector<std::pair<int, int>>{
                              {22, 6}, {6, 22}, {22, 22}, {38, 22}, {22, 38}, {38, 38}}));
    for (int v = 2; v <= 40; ++v)
        EXPECT_EQ(static_cast<int>(centres(v).size()), AlignmentCount(v)) << v;
}

TEST(QRTables, FreeModulesMatchTheCapacity) {
    for (int v = 1; v <= 40; ++v) {
        const int n = SymbolSize(v);
        std::vector<std::uint8_t> m(n * n, kFree);
        PlaceFunctionPatterns(m.data(), v);
        EXPECT_EQ(static_cast<int>(DataPositions(m.data(), n).size()), DataModules(v)) << v;
    }
}

TEST(QRSegments, CheapestModes) {
    EXPECT_EQ(Count("0123456789"), 52);
    EXPECT_EQ(Count("AB12"), 39);
    EXPECT_EQ(Count("7"), 22);
    EXPECT_EQ(Count(""), 4);
    auto modes = [](const std::string& s) {
        std::string out;
        for (const Segment& seg : ChooseSegments(Bytes(s), static_cast<int>(s.size()), 1))
            out += "BNA"[static_cast<int>(seg.mode)] + std::to_string(seg.count) + " ";
        return out;
    };
    EXPECT_EQ(modes("abc"), "B3 ");
    EXPECT_EQ(modes("ABC"), "A3 ");
    EXPECT_EQ(modes("ab12345cd"), "B9 ");
    EXPECT_EQ(modes("ab123456cd"), "B2 N6 B2 ");
    EXPECT_EQ(modes("HELLO 2024 www"), "A11 B3 ");
    // A byte segment holds at most 255 bytes in versions 1 to 9, 65535 after.
    const std::string many(300, 'x');
    EXPECT_EQ(modes(many), "B255 B45 ");
    EXPECT_EQ(ChooseSegments(Bytes(many), 300, 10).size(), 1u);
    EXPECT_EQ(Count(many, 1), 2 * 12 + 300 * 8 + 4);
}

TEST(QRSegments, BitLayout) {
    BitBuffer bits;
    const std::string digits = "01234567";
    EncodeData(&bits, Bytes(digits), 8, 1, false);
    const std::vector<std::uint8_t> data = clsQRCode::PadCodewords(bits, 1, LevelM);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17,
                                               236, 17, 236, 17}));
    const std::string hello = "HELLO WORLD";
    EncodeData(&bits, Bytes(hello), 11, 1, false);
    EXPECT_EQ(
        clsQRCode::PadCodewords(bits, 1, LevelQ),
        (std::vector<std::uint8_t>{32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236}));
    // 18 data bits and the terminator: two zero bits, then 16 pad codewords.
    EncodeData(&bits, Bytes("7"), 1, 1, false);
    const std::vector<std::uint8_t> padded = clsQRCode::PadCodewords(bits, 1, LevelL);
    ASSERT_EQ(padded.size(), 19u);
    EXPECT_EQ(padded[0], 0x10);
    EXPECT_EQ(padded[1], 0x05);
    EXPECT_EQ(padded[2], 0xC0);
    for (int i = 3; i < 19; ++i) EXPECT_EQ(padded[i], (i % 2) ? 0xEC : 0x11) << i;
}

TEST(QRCodeEncoder, VersionChoice) {
    clsQRCode qr;
    auto version = [&](const std::string& s, int level = LevelL) {
        return qr.ChooseVersion(Bytes(s), static_cast<int>(s.size()), level);
    };
    EXPECT_EQ(version(std::string(41, '5')), 1);
    EXPECT_EQ(version(std::string(42, '5')), 2);
    EXPECT_EQ(version(std::string(17, 'x')), 1);
    EXPECT_EQ(version(std::string(18, 'x')), 2);
    EXPECT_EQ(version(""), 1);
    EXPECT_EQ(version(std::string(2953, 'x')), 40);
    EXPECT_EQ(version(std::string(2954, 'x')), 0);
    EXPECT_EQ(version(std::string(7089, '1')), 40);
    EXPECT_EQ(version(std::string(7090, '1')), 0);
    EXPECT_EQ(version(std::string(1273, 'x'), LevelH), 40);

    const std::string text = "Bellweft";
    EXPECT_EQ(qr.Encode(Bytes(text), 8, 41, LevelL, -1)->version, 1);
    EXPECT_FALSE(qr.Encode(Bytes(text), 8, -1, LevelL, -1));
    EXPECT_FALSE(qr.Encode(Bytes(std::string(18, 'x')), 18, 1, LevelL, -1));
    EXPECT_EQ(qr.Encode(Bytes(text), 8, 0, 0, -1)->level, LevelM);
    EXPECT_EQ(qr.Encode(Bytes(text), 8, 0, 5, -1)->level, LevelM);
    EXPECT_EQ(qr.Encode(nullptr, 0, 0, LevelL, 3)->size, 21);
    EXPECT_EQ(qr.Encode(Bytes(text), 8, 40, LevelL, 3)->size, 177);
}

TEST(QRCodeEncoder, BlocksAndInterleaving) {
    clsQRCode qr;
    // Version 5-Q: 62 data codewords in blocks of 15, 15, 16 and 16.
    std::vector<std::uint8_t> data(62);
    for (int i = 0; i < 62; ++i) data[i] = static_cast<std::uint8_t>(i);
    const std::vector<std::uint8_t> all = qr.Interleave(data, 5, LevelQ);
    ASSERT_EQ(all.size(), 134u);
    const std::vector<std::uint8_t> head(all.begin(), all.begin() + 8);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0, 15, 30, 46, 1, 16, 31, 47}));
    // The last codeword of each long block comes after every block's fifteenth.
    EXPECT_EQ(all[58], 44);
    EXPECT_EQ(all[59], 60);
    EXPECT_EQ(all[60], 45);
    EXPECT_EQ(all[61], 61);
}

TEST(QRMatrix, FormatAndVersionInformation) {
    EXPECT_EQ(FormatBits(LevelL, 0), 0x77C4);
    EXPECT_EQ(FormatBits(LevelM, 0), 0x5412);
    EXPECT_EQ(FormatBits(LevelH, 7), 0x083B);
    EXPECT_EQ(VersionBits(7), 0x07C94);
    EXPECT_EQ(VersionBits(40), 0x28C69);
    EXPECT_EQ(BCHRemainder(8, 0x537, 0x400, 10), 0x77C4 ^ 0x5412 ^ (8 << 10));

    clsQRCode qr;
    const std::optional<QRSymbol> s = qr.Encode(Bytes("Bellweft"), 8, 1, LevelL, 0);
    ASSERT_TRUE(s);
    const int n = s->size;
    EXPECT_TRUE(s->Dark(8, n - 8));
    int bits = 0, copy = 0;
    for (int x = 0; x <= 5; ++x) bits = bits * 2 + s->Dark(x, 8);
    bits = bits * 2 + s->Dark(7, 8);
    bits = bits * 2 + s->Dark(8, 8);
    bits = bits * 2 + s->Dark(8, 7);
    for (int y = 5; y >= 0; --y) bits = bits * 2 + s->Dark(8, y);
    for (int y = n - 1; y >= n - 7; --y) copy = copy * 2 + s->Dark(8, y);
    for (int x = n - 8; x <= n - 1; ++x) copy = copy * 2 + s->Dark(x, 8);
    EXPECT_EQ(bits, 0x77C4);
    EXPECT_EQ(copy, 0x77C4);

    // Version 7 carries its version bits in both corners; bit k = 3i + j at (i, n-11+j).
    const std::optional<QRSymbol> v7 = qr.Encode(Bytes("Bellweft"), 8, 7, LevelL, 2);
    ASSERT_TRUE(v7);
    for (int k = 0; k < 18; ++k) {
        const bool bit = (0x07C94 >> k) & 1;
        EXPECT_EQ(v7->Dark(k / 3, v7->size - 11 + k % 3), bit) << k;
        EXPECT_EQ(v7->Dark(v7->size - 11 + k % 3, k / 3), bit) << k;
    }
}

TEST(QRMatrix, ZigZagOrder) {
    std::vector<std::uint8_t> m(21 * 21, kFree);
    PlaceFunctionPatterns(m.data(), 1);
    const std::vector<int> order = DataPositions(m.data(), 21);
    ASSERT_EQ(order.size(), 208u);
    EXPECT_EQ(order[0], 20 * 21 + 20);  // bottom-right corner first, right module first
    EXPECT_EQ(order[1], 20 * 21 + 19);
    EXPECT_EQ(order[2], 19 * 21 + 20);
    EXPECT_LE(order.back() % 21, 1);  // last in the column pair (0, 1)
    for (int pos : order) EXPECT_NE(pos % 21, 6);

    // A version 2 symbol leaves 7 remainder modules, light before masking.
    clsQRCode qr;
    std::vector<std::uint8_t> m2(25 * 25, kFree);
    PlaceFunctionPatterns(m2.data(), 2);
    EXPECT_EQ(static_cast<int>(DataPositions(m2.data(), 25).size()) - 8 * TotalCodewords(2), 7);
}

TEST(QRMatrix, FunctionModulesAreNotMasked) {
    // Mask 3 would invert (0, 0), but it lies in a finder and stays dark.
    clsQRCode qr;
    const std::optional<QRSymbol> s = qr.Encode(Bytes("x"), 1, 1, LevelL, 3);
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->Dark(0, 0));
    EXPECT_FALSE(s->Dark(1, 1));
    EXPECT_EQ(s->mask, 3);
    // Timing patterns alternate.
    for (int i = 8; i <= 12; ++i) EXPECT_EQ(s->Dark(i, 6), i % 2 == 0);
}

}  // namespace
}  // namespace bw
