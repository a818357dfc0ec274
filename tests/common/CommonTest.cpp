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

TEST(Common, TextsOfTimesSplitsMonthsMarksAndKeys) {
    const struct {
        int seconds;
        const char* text;
    } times[] = {{0, "0:0"}, {65, "1:5"}, {3725, "1:2:5"}, {-5, "0:0"}, {216000 + 3661, "1:1:1:1"}};
    for (const auto& c : times) EXPECT_EQ(FormatSeconds(c.seconds), c.text) << c.seconds;

    const struct {
        const char *in, *sep;
        int fromLeft;
        const char *part, *rest;
    } splits[] = {{"a_b_3", "_", 0, "3", "a_b"},
                  {"a_b_3", "_", 1, "a", "b_3"},
                  {"abc", "_", 0, "", "abc"},
                  {"甲】★【乙", "】★【", 1, "甲", "乙"}};
    for (const auto& c : splits) {
        QString t = QString::fromUtf8(c.in);
        EXPECT_EQ(SplitAtSeparator(t, QString::fromUtf8(c.sep), c.fromLeft), c.part) << c.in;
        EXPECT_EQ(t, QString::fromUtf8(c.rest)) << c.in;
    }

    EXPECT_EQ(LastDayOfMonth(QDate(2024, 2, 10)), QDate(2024, 2, 29));
    EXPECT_EQ(LastDayOfMonth(QDate(2023, 12, 5)), QDate(2023, 12, 31));
    EXPECT_EQ(FirstDayOfMonth(QDate(2023, 12, 5)), QDate(2023, 12, 1));
    for (const QVariant& v : {QVariant(0), QVariant(false), QVariant()})
        EXPECT_EQ(CheckMark(v), "");
    for (const QVariant& v : {QVariant(1), QVariant(true), QVariant(-1.0)})
        EXPECT_EQ(CheckMark(v), "√");

    for (int k : {int('0'), int('9'), 8, int('.'), int('-'), int('a'), int(' '), int('+'), 13}) {
        int key = k;
        NumericKeyFilter(key);
        EXPECT_EQ(key, QByteArray("09.-").contains(char(k)) || k == 8 ? k : 0) << k;
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
