#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/VbNumbers.h"

using namespace bw;

TEST(Val, ReadsTheLeadingDecimalNumberIgnoringBlanks) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"  1 2 3abc", 123}, {"-1.5元", -1.5}, {"- 2", -2}, {".5", 0.5}, {"1e3", 1000},
                 {"1e", 1},           {"1,234", 1},     {"abc", 0},  {"-", 0},    {"1.2.3", 1.2},
                 {"1e999", 0}};  // an overflowing text is no number
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << c.text;
}

// Texts of only a sign, digits and points, the form stored numbers take and read on a
// quicker way, next to their neighbours that are read the general way: both must agree.
TEST(Val, PlainNumbersReadAsTheGeneralReaderReadsThem) {
    struct Case {
        const char* text;
        double value;
        bool numeric;
    };
    const Case cases[] = {
        {"0", 0, true},
        {"007", 7, true},
        {"+12", 12, true},
        {"-12", -12, true},
        {"12.", 12, true},
        {".5", 0.5, true},
        {"-.5", -0.5, true},
        {"+.5", 0.5, true},
        {"1.5.", 1.5, false},
        {".", 0, false},
        {"+", 0, false},
        {"123456789012345", 123456789012345.0, true},
        {"1234567890123456789", 1234567890123456789.0, true},
        {"0.1", 0.1, true},
        {"-1234.5678", -1234.5678, true},
        {"3.14159265358979323846", 3.14159265358979323846, true},
        {"1234567890123456789012345678901234567890", 1.234567890123456789e39, true},
        {"12345678901234567890123456789012345678901", 1.2345678901234567890e40, true},
        {" 12", 12, true},
        {"1,234", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Val(QString::fromLatin1(c.text)), c.value);
        EXPECT_EQ(IsNumeric(QString::fromLatin1(c.text)), c.numeric);
    }
    EXPECT_TRUE(std::signbit(Val("-0")));
    EXPECT_TRUE(std::signbit(Val("-0.0")));
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    for (auto [x, even] : {std::pair{0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {-2.5, -2.0}, {2.6, 3.0}})
        EXPECT_EQ(RoundHalfEven(x), even) << x;
    EXPECT_EQ(CLng(566.5), 566);
    EXPECT_EQ(CLng(567.5), 568);
    EXPECT_DOUBLE_EQ(RoundTo(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(RoundTo(2.665, 2), 2.66);
    EXPECT_DOUBLE_EQ(RoundTo(1.005, 2), 1.0);
    EXPECT_EQ(Fix(-2.7), -2);
    EXPECT_EQ(Int(-2.7), -3);
}

TEST(Rounding, WholeNumberConversionsNeverFail) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(CLng(std::nan("")), 0);
    EXPECT_EQ(CLng(inf), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(CLng(-inf), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(CInt(40000), 32767);
    EXPECT_EQ(CLng64(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(CLngText("12.5"), 12);
    EXPECT_EQ(CLngText("x"), 0);
}

// Amounts to the cent read as the general formatting writes them, across signs, halves,
// magnitudes and the edge where the general path takes over.
TEST(CentsText, AgreesWithTheGeneralFormatting) {
    std::vector<double> xs = {
        0,     0.004, 0.005,        0.015,  -0.005, -0.006, 0.1,  0.07,
        1.005, 2.675, -2.675,       123.45, 100,    -100.1, 1e10, 99999999999.99,
        1e11,  1e12,  -1e11 + 0.01, 1e15,   1e20,   -1e20,  1e-9};
    std::uint64_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double scale = std::pow(10.0, static_cast<int>(seed >> 60) - 3);
        xs.push_back((static_cast<double>(seed >> 11) / 9007199254740992.0 - 0.5) * scale);
    }
    for (double x : xs) EXPECT_EQ(CentsText(x), NumText(RoundHalfEven(x * 100) / 100)) << x;
}

TEST(NumText, WritesFifteenSignificantDigits) {
    const struct {
        double x;
        const char* text;
    } cases[] = {{0.0, "0"},
                 {10.0, "10"},
                 {-0.5, "-0.5"},
                 {0.1 + 0.2, "0.3"},
                 {123456789012345.0, "123456789012345"},
                 {1e15, "1E+15"},
                 {1234567890123456.0, "1.23456789012346E+15"},
                 {0.0001, "0.0001"},
                 {0.000015, "1.5E-05"},
                 {std::nan(""), "0"}};
    for (const auto& c : cases) EXPECT_EQ(NumText(c.x), c.text) << c.text;
    // What is written reads back as the same number.
    for (double v : {3.14159, 210.0, 0.001, 56.6928, -1234.56})
        EXPECT_DOUBLE_EQ(Val(NumText(v)), v);
}
