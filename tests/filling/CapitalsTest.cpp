#include <gtest/gtest.h>

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

QString capitals(const char* amount, int method = NumCutOff, const char* unit = "元") {
    return AmountToCapitals(QString::fromUtf8(amount), QString::fromUtf8(unit), kYuan, method);
}

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

TEST(AmountToCapitals, WritesTheBanksCapitals) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"1234.5", "壹仟贰佰叁拾肆元伍角整"},
        {"1000", "壹仟元整"},
        {"1000.05", "壹仟元零伍分"},
        {"10100", "壹万零壹佰元整"},
        {"100000000", "壹亿元整"},
        {"100010000", "壹亿零壹万元整"},
        {"0.5", "伍角整"},
        {"0.05", "伍分"},
        {"0", "零元整"},
        {"-1234", "-壹仟贰佰叁拾肆元整"},
        {"-0.5", "-伍角整"},
        {"壹佰元整", "壹佰元整"},
        {"", ""},
        {"abc", "零元整"},
        {"￥1,234.50", "壹仟贰佰叁拾肆元伍角整"},
        {"1680.32", "壹仟陆佰捌拾元叁角贰分"},
        {"107000.53", "壹拾万零柒仟元伍角叁分"},
        {"16409.02", "壹万陆仟肆佰零玖元零贰分"},
        {"10000000000", "壹佰亿元整"},
        {"10000001600", "壹佰亿零壹仟陆佰元整"},
        {"10001000000", "壹佰亿零壹佰万元整"},
        {"100000000000", "壹仟亿元整"},
        {"1000000000000", "壹万亿元整"},
        {"12000000000", "壹佰贰拾亿元整"},
        {"9999999999999.99", "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
        {"10000000000000", "10000000000000"},  // no place for it: left as it is
    };
    for (const auto& c : cases) EXPECT_EQ(capitals(c.in), QString::fromUtf8(c.out)) << c.in;

    EXPECT_EQ(capitals("1000", NumCutOff, "圆"), "壹仟圆整");
    EXPECT_EQ(capitals("1234.567", NumCutHalfUp), "壹仟贰佰叁拾肆元伍角柒分");
    EXPECT_EQ(capitals("1234.567", NumCutOff), "壹仟贰佰叁拾肆元伍角陆分");
    EXPECT_EQ(AmountToCapitals("HK$1,234.50", "元", "HK$", 0), "壹仟贰佰叁拾肆元伍角整");
}

TEST(CapitalsToAmount, ReadsTheCapitalsBack) {
    const struct {
        const char* in;
        double type;
        const char* out;
    } cases[] = {
        {"壹仟贰佰叁拾肆元伍角整", 103, "1234.5"},
        {"壹仟元零伍分", 103, "1000.05"},
        {"壹万零壹佰元整", 103, "10100"},
        {"壹亿零壹万元整", 103, "100010000"},
        {"壹佰元整", 103, "100"},
        {"伍角整", 103, "0.5"},
        {"伍分", 103, "0.05"},
        {"-壹仟贰佰叁拾肆元整", 103, "-1234"},
        {"-壹仟零伍元整", 103, "-1005"},  // the sign is no digit of the first group
        {"壹仟贰佰叁拾肆圆伍角整", 120, "1234.5"},
        {"壹佰亿零壹仟陆佰元整", 103, "10000001600"},
        {"壹万亿元整", 103, "1000000000000"},
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
        {"0.07", 3, "零零柒"},
        {"", 8, ""},
        {"壹贰", 8, "壹贰"},
        {"-12", 6, "零零壹贰零零"},
        {"￥1,234.50", 8, "零零壹贰叁肆伍零"},
        {"21474836.48", 12, "零零贰壹肆柒肆捌叁陆肆捌"},  // beyond 32 bits of fen
        {"999999999999.99", 14, "玖玖玖玖玖玖玖玖玖玖玖玖玖玖"},
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
