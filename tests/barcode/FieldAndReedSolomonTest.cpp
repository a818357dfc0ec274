#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "barcode/FiniteField.h"
#include "barcode/ReedSolomon.h"

namespace bw {
namespace {

clsFiniteField Gf256() {
    clsFiniteField f;
    EXPECT_TRUE(f.Init(256, 285, 2));
    return f;
}

// The QR field: known values, and the tables against arithmetic done directly.
TEST(FiniteField, QrFieldTablesAgreeWithDirectArithmetic) {
    const clsFiniteField f = Gf256();
    EXPECT_EQ(f.Multiply(2, 128), 29);
    EXPECT_EQ(f.Exp(255), 1);
    EXPECT_EQ(f.Exp(-1), 142);
    EXPECT_EQ(f.Divide(5, 0), 0);
    EXPECT_EQ(f.Add(0x53, 0xCA), 0x53 ^ 0xCA);
    for (long a = 0; a < 256; ++a) {
        for (long b = 0; b < 256; ++b)
            ASSERT_EQ(f.Multiply(a, b), f.MultiplyDirect(a, b)) << a << "*" << b;
        if (a != 0) {
            EXPECT_EQ(f.Multiply(a, f.Inverse(a)), 1) << a;
            EXPECT_EQ(f.Exp(f.Log(a)), a);
            EXPECT_EQ(f.Divide(f.Multiply(a, 77), 77), a);
        }
    }
}

// The smallest generator is found, and its powers run through every non-zero element once.
TEST(FiniteField, GeneratedTablesCoverTheField) {
    struct Case {
        long q, poly, generator;
    } cases[] = {{256, 285, 2}, {16, 0x13, 2}, {1024, 0x409, 2},
                 {7, 0, 3},     {13, 0, 2},    {8191, 0, 17}};
    for (const Case& c : cases) {
        clsFiniteField f;
        ASSERT_TRUE(f.Init(c.q, c.poly, 0)) << c.q;
        EXPECT_EQ(f.Generator(), c.generator) << c.q;
        std::set<long> seen;
        for (long i = 0; i < c.q - 1; ++i) seen.insert(f.Exp(i));
        EXPECT_EQ(static_cast<long>(seen.size()), c.q - 1) << c.q;
        EXPECT_EQ(seen.count(0), 0u);
        for (long a = 1; a < c.q; a += 1 + c.q / 50) {
            EXPECT_EQ(f.Multiply(a, f.Inverse(a)), 1) << c.q << " " << a;
            if (!f.IsBinary()) {
                EXPECT_EQ(f.InverseEuclid(a), f.Inverse(a));
            }
        }
    }
    clsFiniteField p;
    ASSERT_TRUE(p.Init(7, 0, 0));
    EXPECT_EQ(p.Negate(3), 4);
    EXPECT_EQ(p.DivideEuclid(6, 3), 2);
    EXPECT_EQ(p.Subtract(2, 5), 4);
}

TEST(FiniteField, RefusesUnusableOrders) {
    clsFiniteField f = Gf256();
    EXPECT_FALSE(f.Init(1, 3, 0));
    EXPECT_FALSE(f.Init(16385, 0, 0));
    EXPECT_FALSE(f.Init(64, 0, 0));  // a binary field needs its polynomial
    EXPECT_EQ(f.Order(), 256);
    EXPECT_EQ(f.Multiply(2, 128), 29);

    ASSERT_TRUE(f.Init(2, 0, 0));
    EXPECT_EQ(f.Generator(), 1);
    EXPECT_EQ(f.Add(1, 1), 0);
    EXPECT_EQ(f.Multiply(1, 1), 1);
}

TEST(ReedSolomon, GeneratorPolynomials) {
    const clsFiniteField f = Gf256();
    clsReedSolomon rs;
    ASSERT_TRUE(rs.Init(1, 1, &f, 0, 0));
    EXPECT_EQ(rs.GeneratorCoef(0), 1);
    EXPECT_EQ(rs.GeneratorCoef(1), 1);
    long one[2] = {0, 0x5A};
    rs.Encode(one);
    EXPECT_EQ(one[0], 0x5A);

    ASSERT_TRUE(rs.Init(16, 10, &f, 0, 0));
    const long exponents[10] = {45, 32, 94, 64, 70, 118, 61, 46, 67, 251};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f.Log(rs.GeneratorCoef(i)), exponents[i]) << i;
    EXPECT_EQ(rs.GeneratorCoef(10), 1);
    EXPECT_EQ(rs.Generator(), 2);
}

TEST(ReedSolomon, CountLimits) {
    const clsFiniteField f = Gf256();
    clsReedSolomon rs;
    EXPECT_FALSE(rs.Init(10, 5, nullptr, 0, 0));  // no field yet
    EXPECT_TRUE(rs.Init(1000, 24, &f, 0, 0));
    EXPECT_FALSE(rs.Init(1001, 24, &f, 0, 0));
    EXPECT_FALSE(rs.Init(0, 5, &f, 0, 0));
    EXPECT_FALSE(rs.Init(5, 0, &f, 0, 0));
    EXPECT_FALSE(rs.Init(5, 5, &f, 0, -1));
    EXPECT_EQ(rs.DataCount(), 1000);  // the refused calls changed nothing
    EXPECT_EQ(rs.ECCount(), 24);
}

// The worked examples of the QR standard's literature: "01234567" at 1-M and
// "HELLO WORLD" at 1-Q.
TEST(ReedSolomon, KnownQrBlocks) {
    const clsFiniteField f = Gf256();
    clsReedSolomon rs;
    const std::vector<std::uint8_t> d1 = {16,  32, 12,  86, 97,  128, 236, 17,
                                          236, 17, 236, 17, 236, 17,  236, 17};
    const std::vector<std::uint8_t> e1 = {165, 36, 212, 193, 237, 54, 199, 135, 44, 85};
    ASSERT_TRUE(rs.Init(16, 10, &f, 0, 0));
    std::uint8_t check[32];
    rs.EncodeBytes(d1.data(), 16, check);
    EXPECT_EQ(std::vector<std::uint8_t>(check, check + 10), e1);

    const std::vector<std::uint8_t> d2 = {32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236};
    const std::vector<std::uint8_t> e2 = {168, 72, 22, 82, 217, 54, 156, 0, 46, 15, 180, 122, 16};
    ASSERT_TRUE(rs.Init(13, 13, &f, 0, 0));
    rs.EncodeBytes(d2.data(), 13, check);
    EXPECT_EQ(std::vector<std::uint8_t>(check, check + 13), e2);
}

// Both encoders give the same check symbols, and data plus check symbols form a code word:
// the polynomial vanishes at every root of the generator.
TEST(ReedSolomon, CodeWordsVanishAtTheRoots) {
    const clsFiniteField f = Gf256();
    std::mt19937 rng(7);
    for (int ec : {7, 18, 30}) {
        for (int data : {1, 19, 118}) {
            clsReedSolomon rs;
            ASSERT_TRUE(rs.Init(data, ec, &f, 0, 0));
            std::vector<std::uint8_t> bytes(data);
            for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
            std::vector<long> symbols(data + ec, 0);
            for (int i = 0; i < data; ++i) symbols[ec + i] = bytes[data - 1 - i];
            rs.Encode(symbols.data());
            std::uint8_t check[64];
            rs.EncodeBytes(bytes.data(), data, check);
            for (int k = 0; k < ec; ++k) ASSERT_EQ(symbols[ec - 1 - k], check[k]);
            for (int root = 0; root < ec; ++root) {
                const long x = f.Exp(root);
                long value = 0;  // Horner from the highest degree
                for (int i = data + ec - 1; i >= 0; --i)
                    value = f.Add(f.Multiply(value, x), symbols[i]);
                EXPECT_EQ(value, 0) << "ec " << ec << " data " << data << " root " << root;
            }
        }
    }
}

// Over a prime field the generic division gives code words as well.
TEST(ReedSolomon, PrimeFieldCodeWords) {
    clsFiniteField f;
    ASSERT_TRUE(f.Init(929, 0, 3));
    clsReedSolomon rs;
    ASSERT_TRUE(rs.Init(6, 4, &f, 0, 1));
    std::vector<long> s = {0, 0, 0, 0, 5, 453, 178, 121, 239, 17};
    rs.Encode(s.data());
    for (int root = 1; root <= 4; ++root) {
        long value = 0;
        for (int i = 9; i >= 0; --i) value = f.Add(f.Multiply(value, f.Exp(root)), s[i]);
        EXPECT_EQ(value, 0) << root;
    }
}

}  // namespace
}  // namespace bw
