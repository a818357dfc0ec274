// Amounts: the house style of money texts, capital amounts for banks and digit cells.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <random>

#include "QStringPrint.h"
#include "common/Common.h"
#include "filling/Capitals.h"
#include "filling/Money.h"
#include "platform/VbNumbers.h"

using namespace bw;

namespace {

const QString kYuan = QStringLiteral("￥");

// An amount in fen written as yuan with two decimals ("123450" -> "1234.50").
QString yuanText(const QString& fen) {
    QString f = fen.rightJustified(3, u'0');
    return f.left(f.size() - 2) + u'.' + f.right(2);
}

// What a capital amount written for a bank must never hold: doubled zeros, a zero before a
// unit, a digit without its unit, a group word standing for nothing.
void expectWellFormed(const QString& text, const QString& amount) {
    SCOPED_TRACE(amount.toStdString() + " -> " + text.toStdString());
    if (text == u"零元整") return;
    EXPECT_FALSE(text.contains(QStringLiteral("零零")));
    EXPECT_FALSE(text.contains(QStringLiteral("亿万")));
    EXPECT_FALSE(text.contains(QStringLiteral("亿零万")));
    EXPECT_TRUE(text.endsWith(u'整') || text.endsWith(u'分'));
    const QString units = QStringLiteral("拾佰仟万亿元角分");
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'零') {
            EXPECT_FALSE(units.contains(text[i + 1])) << "zero before a unit at " << i;
            EXPECT_NE(i, 0) << "leading zero";
        } else if (IsCapitalDigit(text[i])) {
            EXPECT_TRUE(units.contains(text[i + 1])) << "digit without unit at " << i;
        }
    }
}

}  // namespace

TEST(FormatMoney, WritesTheHouseStyleForEachSignAndRounding) {
    const struct {
        const char* sign;
        int method;
        const char* in;
        const char* out;
    } cases[] = {
        {"￥", NumCutOff, "", ""},
        {"￥", NumCutOff, "-", "-"},
        {"￥", NumCutOff, "1234.5", "￥1,234.50"},
        {"￥", NumCutOff, "1234567.891", "￥1,234,567.89"},
        {"￥", NumCutOff, "-0.5", "￥-0.50"},
        {"￥", NumCutOff, "￥-1,234.00", "￥-1,234.00"},
        // A text that is no amount is kept as typed: no digits are made up from it.
        {"￥", NumCutOff, "1,2a3", "1,2a3"},
        {"￥", NumCutOff, "abc12元", "abc12元"},
        {"￥", NumCutOff, "12元", "￥12.00"},
        {"￥", NumCutOff, " -￥12 ", "￥-12.00"},
        {"￥", NumCutOff, "12.5%", "12.5%"},
        {"￥", NumCutOff, "-0.001", "￥0.00"},  // no minus sign on a zero amount
        {"￥", NumCutOff, "1E-05", "￥0.00"},   // computed values in exponent form
        {"￥", NumCutOff, "-2.5e-2", "￥-0.02"},
        {"￥", NumCutOff, "12345678901234567.5", "￥12,345,678,901,234,567.50"},
        {"￥", NumCutOff, "12.345", "￥12.34"},
        {"￥", NumCutHalfUp, "12.345", "￥12.35"},
        {"￥", NumCutHalfUp, "12.344", "￥12.34"},
        {"￥", NumCutUp, "12.344", "￥12.35"},
        {"￥", NumCutUp, "12.340001", "￥12.34"},
        {"￥", NumCutUp, "12.34001", "￥12.35"},
        {"￥", NumCutHalfUp, "9.995", "￥10.00"},
        {"￥", NumCutUp, "999.999", "￥1,000.00"},
        {"￥", NumCutHalfUp, "-12.345", "￥-12.35"},
        {"￥", 7, "12.349", "￥12.34"},  // an unknown method cuts off
        {"US$", NumCutOff, "US$-1,234.00", "US$-1,234.00"},
        {"HK$", NumCutOff, "-1234.5", "HK$-1,234.50"},
        {"RMB", NumCutOff, "RMB 12.5", "RMB12.50"},
        {"Rs.", NumCutOff, "Rs.1,234.50", "Rs.1,234.50"},  // a symbol with a point keeps the amount
        {"Rs.", NumCutOff, "Rs.-5.00", "Rs.-5.00"},
        {"", NumCutOff, "1234", "1,234.00"},
        {"€", NumCutOff, "€1,234.50", "€1,234.50"},
        {"US$", NumCutOff, "￥-1,234.00", "US$-1,234.00"},  // written with another symbol
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(QString::fromUtf8(c.in), QString::fromUtf8(c.sign), c.method),
                  QString::fromUtf8(c.out))
            << c.sign << " " << c.in << " method " << c.method;

    MoneyAmount a = ReadMoneyAmount(QStringLiteral("-1234.5"), kYuan, NumCutOff);
    EXPECT_EQ(WriteMoneyAmount(a, kYuan, MoneyPlain), "-1234.50");
    EXPECT_EQ(WriteMoneyAmount(a, kYuan, MoneyWithSign), "￥-1234.50");
    EXPECT_EQ(WriteMoneyAmount(a, kYuan, MoneyWithCommas), "-1,234.50");
    EXPECT_EQ(a.FenDigits(), "123450");
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

TEST(AmountToCapitals, WritesTheBanksCapitals) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"1234.5", "壹仟贰佰叁拾肆元伍角整"},
        {"1000.05", "壹仟元零伍分"},
        {"100010000", "壹亿零壹万元整"},
        {"0.5", "伍角整"},
        {"0.05", "伍分"},
        {"0", "零元整"},
        {"-0.5", "-伍角整"},
        {"壹佰元整", "壹佰元整"},
        {"", ""},
        {"abc", "零元整"},
        {"￥1,234.50", "壹仟贰佰叁拾肆元伍角整"},
        {"107000.53", "壹拾万零柒仟元伍角叁分"},
        {"16409.02", "壹万陆仟肆佰零玖元零贰分"},
        {"10000001600", "壹佰亿零壹仟陆佰元整"},
        {"10001000000", "壹佰亿零壹佰万元整"},
        {"1000000000000", "壹万亿元整"},
        {"9999999999999.99", "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
        {"10000000000000", "10000000000000"},  // no place for it: left as it is
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountToCapitals(QString::fromUtf8(c.in), "元", kYuan, NumCutOff),
                  QString::fromUtf8(c.out))
            << c.in;
    EXPECT_EQ(AmountToCapitals("1000", "圆", kYuan, NumCutOff), "壹仟圆整");
    EXPECT_EQ(AmountToCapitals("1234.567", "元", kYuan, NumCutHalfUp), "壹仟贰佰叁拾肆元伍角柒分");
    EXPECT_EQ(AmountToCapitals("1234.567", "元", kYuan, NumCutOff), "壹仟贰佰叁拾肆元伍角陆分");
    EXPECT_EQ(AmountToCapitals("HK$1,234.50", "元", "HK$", 0), "壹仟贰佰叁拾肆元伍角整");
}

// What the round trips below do not reach: the sign, the other units and kinds, and texts
// that are no capitals.
TEST(CapitalsToAmount, ReadsTheCapitalsBack) {
    const struct {
        const char* in;
        double type;
        const char* out;
    } cases[] = {
        {"伍角整", 103, "0.5"},
        {"-壹仟零伍元整", 103, "-1005"},  // the sign is no digit of the first group
        {"壹仟贰佰叁拾肆圆伍角整", 120, "1234.5"},
        {"零零壹贰叁肆伍零", 114.08, "1234.5"},
        {"零零零零零零壹贰叁肆", 121.10, "1234"},
        {"壹佰元整", 104, "壹佰元整"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CapitalsToAmount(QString::fromUtf8(c.in), c.type), QString::fromUtf8(c.out))
            << c.in;
}

TEST(CapitalDigitCells, WritesOneCapitalPerCell) {
    const struct {
        const char* in;
        int n;
        const char* out;
    } cases[] = {
        {"1234.5", 8, "零零壹贰叁肆伍零"},
        {"1234.5", 4, "壹贰叁肆伍零"},
        {"", 8, ""},
        {"壹贰", 8, "壹贰"},
        {"-12", 6, "零零壹贰零零"},
        {"￥1,234.50", 8, "零零壹贰叁肆伍零"},
        {"21474836.48", 12, "零零贰壹肆柒肆捌叁陆肆捌"},  // beyond 32 bits of fen
    };
    for (const auto& c : cases)
        EXPECT_EQ(CapitalDigitCells(QString::fromUtf8(c.in), c.n, kYuan), QString::fromUtf8(c.out))
            << c.in;
    EXPECT_EQ(CapitalDigitCells("US$1,234.50", 8, "US$"), "零零壹贰叁肆伍零");
}

TEST(ConvertCapitalDigits, MapsDigitsBothWays) {
    EXPECT_EQ(ConvertCapitalDigits("2013", 1), "贰零壹叁");
    EXPECT_EQ(ConvertCapitalDigits("12月", 0), "壹贰月");
    const struct {
        const char* in;
        const char* out;
    } back[] = {{"贰零壹叁", "2013"}, {"壹拾贰", "12"}, {"拾贰", "12"}, {"贰拾", "20"},
                {"贰拾叁", "23"},     {"零壹拾", "10"}, {"零伍", "5"},  {"零伍月份", "5"}};
    for (const auto& c : back)
        EXPECT_EQ(ConvertCapitalDigits(QString::fromUtf8(c.in), -1), QString::fromUtf8(c.out))
            << c.in;
    EXPECT_EQ(ConvertCapitalDigits("壹拾贰", -10), "1拾2");
}

// Every amount whose places are each either zero or a digit, over all 15 places: the zero
// runs through the groups are where capital amounts go wrong.
TEST(AmountToCapitals, EveryPatternOfZeroPlacesReadsBackExactly) {
    for (int mask = 0; mask < (1 << 15); ++mask) {
        QString fen;
        for (int place = 14; place >= 0; --place)
            fen += (mask >> place & 1) ? QChar(u'1' + (place * 7 + mask) % 9) : QChar(u'0');
        const QString text = yuanText(fen);
        const QString cap = AmountToCapitals(text, "元", kYuan, NumCutOff);
        expectWellFormed(cap, text);
        ASSERT_EQ(CapitalsToAmount(cap, 103), NumText(Val(text))) << text.toStdString();
        ASSERT_EQ(CapitalsToAmount(AmountToCapitals(text, "圆", kYuan, NumCutOff), 120),
                  NumText(Val(text)));
    }
}

TEST(AmountToCapitals, RandomAmountsRoundTripAndFormatStable) {
    std::mt19937_64 rng(20130411);
    std::uniform_int_distribution<long long> fen(0, 99999999999999LL);  // to 999,999,999,999.99
    const QStringList signs = {"￥", "US$", "HK$", ""};
    for (int i = 0; i < 10000; ++i) {
        const long long k = fen(rng);
        const QString x = yuanText(QString::number(k));
        const QString number = NumText(double(k) / 100.0);
        const QString cap = AmountToCapitals(x, "元", kYuan, NumCutOff);
        ASSERT_EQ(CapitalsToAmount(cap, 103), number) << x.toStdString();
        ASSERT_EQ(CapitalsToAmount("-" + cap, 103), k ? "-" + number : number);
        const QString& sign = signs[i % signs.size()];
        const QString money = FormatMoney(x, sign, i % 3);
        ASSERT_EQ(FormatMoney(money, sign, i % 3), money);
        ASSERT_EQ(ParseMoney(money, sign), Val(x)) << money.toStdString();
        const QString cells = CapitalDigitCells(x, 14, kYuan);
        ASSERT_EQ(CapitalsToAmount(cells, 114.14), number);
    }
}

TEST(IsAmountText, ReadsNumbersAsThePatternOfAmountsDoes) {
    // Chosen texts, then texts put together at random from the pieces that matter.
    const QRegularExpression amount(
        QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eEdD][+-]?\\d{1,3})?$"));
    QStringList texts = {"",       "1",      "-1",   "+.5",   ".",      "-.",   "1.",   "1.5e3",
                         "1E+123", "1e1234", "1d-5", "e5",    "1e",     "1e+",  "１２", "1,000",
                         "1 000",  "12元",   "￥12", "-￥12", "12\n元", "1\n2", "\n"};
    const QStringList pieces = {"1", "23", ".", "+",  "-",  "e", "E", "d",
                                "D", "\n", " ", "元", "￥", ",", "x", "１"};
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> piece(0, static_cast<int>(pieces.size()) - 1);
    std::uniform_int_distribution<int> length(1, 8);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        for (int n = length(random); n > 0; --n) text += pieces[piece(random)];
        texts << text;
    }
    for (const QString& text : texts) {
        // What IsAmountText hands the pattern: the sign, symbol and unit taken off.
        QString t = text.trimmed();
        t = t.startsWith(u'-') || t.startsWith(u'+') ? t.left(1) + t.mid(1).trimmed().remove(kYuan)
                                                     : t.remove(kYuan);
        t = t.trimmed();
        if (t.endsWith(u'元')) t.chop(1);
        t.remove(u',');
        t.remove(u' ');
        ASSERT_EQ(IsAmountText(text, kYuan), amount.match(t).hasMatch()) << text.toStdString();
    }
}
