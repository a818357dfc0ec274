#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "TestSupport.h"
#include "common/Common.h"
#include "common/Globals.h"
#include "platform/AppFolder.h"

using namespace bw;

TEST(Common, CanvasAndMillimetres) {
    EXPECT_EQ(MmToCanvas(10, 11907, 210), 567);
    EXPECT_DOUBLE_EQ(CanvasToMm(567, 11907, 210), 10.0);
    EXPECT_DOUBLE_EQ(CanvasToMm(100, 11907, 210), 1.764);  // three decimals
    // A format without a paper width must not bring the program down.
    EXPECT_EQ(MmToCanvas(10, 11907, 0), 0);
    EXPECT_DOUBLE_EQ(CanvasToMm(567, 11907, 0), 0.0);
    EXPECT_DOUBLE_EQ(CanvasToMm(567, 0, 210), 0.0);
}

TEST(Common, ParseMoneyRemovesSignsAndGroups) {
    const QString saved = CurrencySign;
    CurrencySign = QStringLiteral("￥");
    EXPECT_DOUBLE_EQ(ParseMoney("￥1,234.50"), 1234.5);
    EXPECT_DOUBLE_EQ(ParseMoney("12.5%"), 0.125);
    EXPECT_DOUBLE_EQ(ParseMoney("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseMoney("$-3.25"), -3.25);
    // The open format's own sign, of any length, is removed too.
    CurrencySign = QStringLiteral("HK$");
    EXPECT_DOUBLE_EQ(ParseMoney("HK$1,000.00"), 1000.0);
    EXPECT_DOUBLE_EQ(ParseMoney("€2,500.10", QStringLiteral("€")), 2500.1);
    CurrencySign = saved;
}

TEST(Common, FormatSecondsDropsLeadingZeroFields) {
    EXPECT_EQ(FormatSeconds(0), "0:0");
    EXPECT_EQ(FormatSeconds(59), "0:59");
    EXPECT_EQ(FormatSeconds(65), "1:5");
    EXPECT_EQ(FormatSeconds(3725), "1:2:5");
    EXPECT_EQ(FormatSeconds(-5), "0:0");
    EXPECT_EQ(FormatSeconds(216000 + 3600 + 61), "1:1:1:1");
}

TEST(Common, SplitAtSeparatorBothWays) {
    QString t = "a_b_3";
    EXPECT_EQ(SplitAtSeparator(t, "_", 0), "3");
    EXPECT_EQ(t, "a_b");
    t = "a_b_3";
    EXPECT_EQ(SplitAtSeparator(t, "_", 1), "a");
    EXPECT_EQ(t, "b_3");
    t = "abc";
    EXPECT_EQ(SplitAtSeparator(t, "_", 0), "");
    EXPECT_EQ(t, "abc");
    t = "甲】★【乙";
    EXPECT_EQ(SplitAtSeparator(t, "】★【", 1), "甲");
    EXPECT_EQ(t, "乙");
}

TEST(Common, MonthLimitsAndCheckMarks) {
    EXPECT_EQ(LastDayOfMonth(QDate(2024, 2, 10)), QDate(2024, 2, 29));
    EXPECT_EQ(LastDayOfMonth(QDate(2023, 12, 5)), QDate(2023, 12, 31));
    EXPECT_EQ(FirstDayOfMonth(QDate(2023, 12, 5)), QDate(2023, 12, 1));
    EXPECT_EQ(CheckMark(0), "");
    EXPECT_EQ(CheckMark(1), "√");
    EXPECT_EQ(CheckMark(true), "√");
    EXPECT_EQ(CheckMark(false), "");
    EXPECT_EQ(CheckMark(QVariant()), "");
    EXPECT_EQ(CheckMark(-1.0), "√");
}

TEST(Common, NumericKeyFilterSwallowsOtherKeys) {
    for (int k : {int('0'), int('9'), 8, int('.'), int('-')}) {
        int key = k;
        NumericKeyFilter(key);
        EXPECT_EQ(key, k);
    }
    for (int k : {int('a'), int(' '), int('+'), 13}) {
        int key = k;
        NumericKeyFilter(key);
        EXPECT_EQ(key, 0);
    }
}

TEST(Common, EnsureAppFolderRefusesBlankNames) {
    test::TempDataFolder folder;
    EXPECT_FALSE(EnsureAppFolder("   "));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
    EXPECT_TRUE(EnsureAppFolder(" Temp "));
    EXPECT_TRUE(QFileInfo(folder.file("Temp")).isDir());
    EXPECT_TRUE(EnsureAppFolder("Temp"));
}
