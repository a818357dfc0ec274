#include <gtest/gtest.h>

#include "barcode/Code39.h"
#include "barcode/EAN13.h"

namespace bw {
namespace {

TEST(Code39, PatternsAndIndexes) {
    InitCode39Patterns();
    EXPECT_EQ(Code39Patterns[Code39Index('A')], "100010010");
    EXPECT_EQ(Code39Patterns[Code39Index('*')], "001101000");
    for (char c : {'.', ' ', 'a'}) EXPECT_EQ(Code39Index(c), -1) << c;
    // Every pattern has three wide elements, and no two characters share one.
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(Code39Patterns[i].count('1'), 3) << i;
        for (int j = 0; j < i; ++j) EXPECT_NE(Code39Patterns[i], Code39Patterns[j]);
    }
}

TEST(Code39, Geometry) {
    EXPECT_EQ(Code39Text("abc"), "*ABC*");
    EXPECT_EQ(Code39Text("*ABC*"), "*ABC*");
    EXPECT_EQ(Code39Text("A*B"), "*A*B*");
    // 16 modules a character, the gap after the last one included.
    EXPECT_EQ(Code39Width("0", 10), 480);
    EXPECT_EQ(Code39Width("abc", 10), Code39Width("*ABC*", 10));
    EXPECT_EQ(Code39Width("$%", 1), 64);

    const Code39Layout l = LayoutCode39("0", 10);
    ASSERT_EQ(l.bars.size(), 15u);
    EXPECT_EQ(l.charLeft, (std::vector<double>{0, 160, 320}));
    // "*": narrow bar, wide space, narrow bar, narrow space, wide bar, ...
    EXPECT_EQ(l.bars[0].left, 0);
    EXPECT_EQ(l.bars[0].width, 10);
    EXPECT_EQ(l.bars[1].left, 40);
    EXPECT_EQ(l.bars[2].left, 60);
    EXPECT_EQ(l.bars[2].width, 30);

    // An invalid character ends the measurement silently.
    const Code39Layout bad = LayoutCode39("12.5", 10);
    EXPECT_EQ(bad.invalidAt, 3);
    EXPECT_EQ(bad.width, 480);
}

TEST(Code39, FitModule) {
    // "*0*" is 48 modules wide.
    // The count-down starts below the first module that reaches the width.
    EXPECT_EQ(FitCode39Module("0", 480), 9);
    EXPECT_EQ(FitCode39Module("0", 479), 9);
    EXPECT_EQ(FitCode39Module("0", 1000), 20);
    EXPECT_EQ(FitCode39Module("0", 47), 0);
    EXPECT_EQ(FitCode39Module("", 1000), 0);
    EXPECT_EQ(FitCode39Module("0", 1e9), 5119);
}

TEST(EAN13, Normalize) {
    const char* cases[][2] = {{"6901234567890", "6901234567892"},
                              {"123", "0000000001236"},
                              {"978-7-111-12345-6", "9787111123453"},
                              {"abc", "0000000000000"},
                              {"12345678901234567", "1234567890128"}};
    for (const auto& c : cases) EXPECT_EQ(EAN13Normalize(c[0]), c[1]) << c[0];
}

TEST(EAN13, Modules) {
    QString text = "690123456789";
    const QString m = EAN13Modules(text);
    EXPECT_EQ(text, "6901234567892");
    ASSERT_EQ(m.size(), 95);
    EXPECT_TRUE(m.startsWith("101"));
    EXPECT_TRUE(m.endsWith("101"));
    EXPECT_EQ(m.mid(45, 5), "01010");
    // First digit 6: parity row 100011 -> L G G G L L for 9 0 1 2 3 4.
    EXPECT_EQ(m.mid(3, 7), "0001011");   // L 9
    EXPECT_EQ(m.mid(10, 7), "0100111");  // G 0
    EXPECT_EQ(m.mid(38, 7), "0100011");  // L 4
    EXPECT_EQ(m.mid(50, 7), "1001110");  // R 5
    EXPECT_EQ(m.mid(85, 7), "1101100");  // R 2
    EXPECT_EQ(InvertBits("1100101"), "0011010");
    // Always 59 runs.
    int runs = 1;
    for (int i = 1; i < m.size(); ++i) runs += m[i] != m[i - 1];
    EXPECT_EQ(runs, 59);
}

}  // namespace
}  // namespace bw
