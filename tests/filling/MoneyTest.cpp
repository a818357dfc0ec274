#include <gtest/gtest.h>

#include <QStringList>

#include "QStringPrint.h"
#include "filling/Money.h"

using namespace bw;

namespace {
const QString kYuan = QStringLiteral("￥");
}

TEST(FormatMoney, WritesTheHouseStyle) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"-", "-"},
        {"1234", "￥1,234.00"},
        {"1234.5", "￥1,234.50"},
        {"0.5", "￥0.50"},
        {"123", "￥123.00"},
        {"1234567.891", "￥1,234,567.89"},
        {"-1234", "￥-1,234.00"},
        {"-0.5", "￥-0.50"},
        {"￥1,234.00", "￥1,234.00"},
        {"￥-1,234.00", "￥-1,234.00"},
        // A text that is no amount is kept as typed: no digits are made up from it.
        {"1,2a3", "1,2a3"},
        {"abc", "abc"},
        {"abc12元", "abc12元"},
        {"12元", "￥12.00"},
        {" -￥12 ", "￥-12.00"},
        {"12.5%", "12.5%"},
        {"-0.001", "￥0.00"},  // no minus sign on a zero amount
        {"1E-05", "￥0.00"},   // computed values in exponent form
        {"1.5E+3", "￥1,500.00"},
        {"-2.5e-2", "￥-0.02"},
        {"12345678901234567.5", "￥12,345,678,901,234,567.50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(QString::fromUtf8(c.in), kYuan, NumCutOff), QString::fromUtf8(c.out))
            << c.in;
}

TEST(FormatMoney, CutsDecimalsByEachMethod) {
    const struct {
        const char* in;
        int method;
        const char* out;
    } cases[] = {
        {"12.345", NumCutOff, "￥12.34"},
        {"12.345", NumCutHalfUp, "￥12.35"},
        {"12.345", NumCutUp, "￥12.35"},
        {"12.344", NumCutHalfUp, "￥12.34"},
        {"12.344", NumCutUp, "￥12.35"},
        {"12.340001", NumCutUp, "￥12.34"},
        {"12.34001", NumCutUp, "￥12.35"},
        {"9.995", NumCutHalfUp, "￥10.00"},
        {"999.999", NumCutUp, "￥1,000.00"},
        {"-12.345", NumCutHalfUp, "￥-12.35"},
        {"12.349", 7, "￥12.34"},  // an unknown method cuts off
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(QString::fromUtf8(c.in), kYuan, c.method), QString::fromUtf8(c.out))
            << c.in << " method " << c.method;
}

TEST(FormatMoney, KeepsTheAmountForAnyCurrencySign) {
    const struct {
        const char* sign;
        const char* in;
        const char* out;
    } cases[] = {
        {"$", "0.5", "$0.50"},
        {"US$", "123", "US$123.00"},
        {"US$", "1234", "US$1,234.00"},
        {"US$", "US$1,234.00", "US$1,234.00"},
        {"US$", "US$-1,234.00", "US$-1,234.00"},
        {"HK$", "-1234.5", "HK$-1,234.50"},
        {"€", "€1,234.50", "€1,234.50"},
        {"RMB", "RMB 12.5", "RMB12.50"},
        {"Rs.", "Rs.1,234.50", "Rs.1,234.50"},  // a symbol with a point keeps the amount
        {"Rs.", "Rs.-5.00", "Rs.-5.00"},
        {"", "1234", "1,234.00"},
        {"", "-5", "-5.00"},
        {"US$", "￥-1,234.00", "US$-1,234.00"},  // written with another symbol
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(QString::fromUtf8(c.in), QString::fromUtf8(c.sign), NumCutOff),
                  QString::fromUtf8(c.out))
            << c.sign << " " << c.in;
}

TEST(FormatMoney, FormattingTwiceChangesNothing) {
    const QStringList signs = {"￥", "$", "US$", "HK$", "€", "RMB", "Rs.", "", " $", "1"};
    const QStringList inputs = {"0",     "0.5",          "1234.5",  "-1234.567", "1000000",
                                "-0.01", "987654321.12", "12.3456", "abc",       "7"};
    for (const QString& sign : signs)
        for (int method = 0; method <= 2; ++method)
            for (const QString& in : inputs) {
                const QString once = FormatMoney(in, sign, method);
                EXPECT_EQ(FormatMoney(once, sign, method), once)
                    << sign.toStdString() << " " << in.toStdString();
            }
}

TEST(FormatMoney, WritesTheStylesWithoutSignOrCommas) {
    MoneyAmount a = ReadMoneyAmount(QStringLiteral("-1234.5"), kYuan, NumCutOff);
    EXPECT_EQ(WriteMoneyAmount(a, kYuan, MoneyPlain), "-1234.50");
    EXPECT_EQ(WriteMoneyAmount(a, kYuan, MoneyWithSign), "￥-1234.50");
    EXPECT_EQ(WriteMoneyAmount(a, kYuan, MoneyWithCommas), "-1,234.50");
    EXPECT_EQ(a.FenDigits(), "123450");
}
