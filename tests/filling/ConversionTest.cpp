// Conversions by data type, and the values filled in without the clerk: running numbers,
// custom dates and password-zone codes.

#include <gtest/gtest.h>

#include <QSet>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "filling/AutoValues.h"
#include "filling/ConversionContext.h"
#include "filling/DataTypeConversion.h"
#include "filling/Money.h"
#include "filling/OptionText.h"

using namespace bw;

namespace {

FixedContext context() {
    FixedContext ctx;
    ctx.now = QDateTime(QDate(2024, 3, 15), QTime(10, 0));
    return ctx;
}

const char* kId18 = "440301199003070831";  // sex digit 3: a man

}  // namespace

TEST(ConvertValue, ConvertsByTheDataTypeAndSetsTheBorder) {
    const struct {
        double type;
        const char* in;
        const char* out;
        int border;
    } cases[] = {
        {0, "abc", "abc", 0},
        {0.5, "abc", "abc", 1},
        {-3, "1234", "1234", 0},
        {11, "1234.5", "￥1,234.50", 1},
        {100, "2013", "贰零壹叁", 0},
        {101, "3", "叁", 0},
        {102, "30", "零叁拾", 0},
        {103, "1234.5", "壹仟贰佰叁拾肆元伍角整", 0},
        {104, "1234", "￥1,234.00", 0},
        {105, "-1234", "-1,234.00", 0},
        {106, "2013年5月8日", "2013", 0},
        {107, "2013年5月8日", "05", 0},
        {108, "2013年5月8日", "08", 0},
        {109, "邮编：100-86", "010086", 0},
        {110, "2013-5-8", "2013年05月08日", 0},
        {111, "2013年05月08日", "2013-05-08", 0},
        {112, "2013-5-8", "05月08日", 0},
        {113, "2013-5-8", "05-08", 0},
        {114.08, "1234.5", "零零壹贰叁肆伍零", 0},
        {116, "0.125", "12.5%", 0},
        {117, "-1234", "-1234.00", 0},
        {118, "1234", "￥1234.00", 0},
        {119, "2013/4/11", "2013/4/11", 0},
        {120, "1000", "壹仟圆整", 0},
        {121.10, "1234.5", "零零零零零零壹贰叁肆", 0},
        {123, "1234.5", "1234.5元", 0},
        {124, "甲", "甲", 0},
        {131, kId18, "男", 0},
        {211, "12345", "12345", 1},
        {250, "abc", "abc", 1},
        {305, "1234.5", "1,234.50", 1},
        {400, "1234", "1234", 0},
        // Pasted text that is no amount stays as it was, with the box's border.
        {11, "abc12元", "abc12元", 1},
        {103, "abc12元", "abc12元", 0},
        {114.08, "12a", "12a", 0},
        {116, "x%", "x%", 0},
        {123, "1a", "1a", 0},
        {305, "12元整", "12元整", 1},
        {1e300, "1234", "1234", 0},
    };
    const FixedContext ctx = context();
    for (const auto& c : cases) {
        ConversionResult r = ConvertValue(c.type, QString::fromUtf8(c.in), ctx);
        EXPECT_EQ(r.text, QString::fromUtf8(c.out)) << c.type << " " << c.in;
        EXPECT_EQ(r.borderStyle, c.border) << c.type << " " << c.in;
    }
    // An empty text leaves the border alone.
    ConversionResult r = ConvertValue(11, "", ctx);
    EXPECT_EQ(r.text, "");
    EXPECT_FALSE(r.borderStyle.has_value());
}

// A box is converted again at every focus loss and every reload: a second conversion must
// give what the first gave.
TEST(ConvertValue, ConvertingTwiceChangesNothing) {
    FixedContext ctx = context();
    const double types[] = {11,  100, 101, 102,    103, 104, 105, 106, 107,   108, 109, 110,
                            111, 112, 113, 114.08, 116, 117, 118, 120, 121.1, 123, 131, 305};
    const char* inputs[] = {"1234.5", "-0.5", "2013-5-8", "12", "0.125", kId18};
    for (const QString sign : {"￥", "US$", "HK$", "€", ""}) {
        ctx.currencySign = sign;
        for (double t : types)
            for (const char* in : inputs) {
                const QString once = ConvertValue(t, QString::fromUtf8(in), ctx).text;
                EXPECT_EQ(ConvertValue(t, once, ctx).text, once)
                    << sign.toStdString() << " type " << t << " " << in;
            }
    }
}

// What the print takes for an amount: everything the conversions write, nothing that holds
// a letter.
TEST(HoldsAmount, TakesEveryConvertedAmountButNoTextWithALetter) {
    FixedContext ctx = context();
    const double types[] = {11, 103, 104, 105, 114.08, 116, 117, 118, 120, 121.1, 123, 305};
    const char* amounts[] = {"1234.5", "-0.5", "0", "0.125", "9999999999999.99", "1e20"};
    const char* others[] = {"12abc3", "abc", "壹abc", "12元3", "伍角整abc"};
    for (const QString sign : {"￥", "US$", ""}) {
        ctx.currencySign = sign;
        for (double t : types) {
            EXPECT_TRUE(IsAmountDataType(t)) << t;
            for (const char* in : amounts) {
                const QString out = ConvertValue(t, QString::fromUtf8(in), ctx).text;
                EXPECT_TRUE(HoldsAmount(t, out, sign))
                    << sign.toStdString() << " " << t << " " << out.toStdString();
            }
            for (const char* in : others)
                EXPECT_FALSE(HoldsAmount(t, QString::fromUtf8(in), sign)) << t << " " << in;
        }
    }
    // A box of plain text adding into a total reads its text as an amount too.
    EXPECT_FALSE(IsAmountDataType(0));
    EXPECT_TRUE(HoldsAmount(0, "12.5", "￥"));
    EXPECT_FALSE(HoldsAmount(0, "12abc3", "￥"));
}

TEST(ConvertValue, FollowsTheContext) {
    FixedContext ctx = context();
    ctx.currencySign = "US$";
    ctx.numCutMethod = NumCutHalfUp;
    EXPECT_EQ(ConvertValue(104, "1234.567", ctx).text, "US$1,234.57");
    EXPECT_EQ(ConvertValue(105, "US$-1,234.00", ctx).text, "-1,234.00");
    EXPECT_EQ(ConvertValue(103, "US$1,234.567", ctx).text, "壹仟贰佰叁拾肆元伍角柒分");
    ctx.monthZero = true;
    EXPECT_EQ(ConvertValue(101, "3", ctx).text, "零叁");
    EXPECT_EQ(ConvertValue(107, "", ctx).text, "");
    EXPECT_EQ(ConvertValue(107, "13", ctx).text, "3");
    EXPECT_EQ(ConvertValue(113, "05-08", ctx).text, "05-08");
}

TEST(IncrementCode, CountsUpKeepingTheWidth) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"", ""},
                 {"ABC", "ABC"},
                 {"0099", "0100"},
                 {"999", "1000"},
                 {"No.12-0", "No.12-1"},
                 {"A99", "A100"},
                 {"收据2013-0041", "收据2013-0042"},
                 {"12345678901234567899", "12345678901234567900"}};
    for (const auto& c : cases)
        EXPECT_EQ(IncrementCode(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(CustomDateText, UsesTheFormatsPattern) {
    const QDateTime when(QDate(2013, 4, 11), QTime(9, 30, 15));
    FixedContext ctx;
    ctx.customValues[119] = "yyyy/mm/dd";
    ctx.customValues[133] = "YYYY-MM-DD HH:MM:SS";
    EXPECT_EQ(CustomDateText(when, 119, ctx), "2013/04/11");
    EXPECT_EQ(CustomDateText(when, 133, ctx), "2013-04-11 09:30:15");
    EXPECT_EQ(CustomDateText(when, "yyyy-mm-dd\\"), "2013\\04\\11\\");
    EXPECT_EQ(CustomDateText(when, "yyyy-m-d/"), "2013/4/11/");
    EXPECT_EQ(CustomDateText(when, ""), "2013-4-11 9:30:15");

    test::ScriptedAnswers answers;
    EXPECT_EQ(CustomDateText(when, "abc"), "");
    EXPECT_EQ(answers.lastMessage(), "自定义日期格式设置有误：“abc”");
}

TEST(PsdPara, StoredFormRoundTripsAndFillsDefaults) {
    EXPECT_EQ(ParsePsdPara("ABC{[]}5"), (PsdPara{"ABC", 5, 4, "\r\n"}));
    EXPECT_EQ(ParsePsdPara(""), PsdPara());
    EXPECT_EQ(PsdParaText(PsdPara()), "0123456789+-*/><{[]}21{[]}4{[]}\r\n");
    EXPECT_EQ(ParsePsdPara("X{[]}abc{[]}99999{[]} "), (PsdPara{"X", 21, 4, " "}));
    PsdPara q{"甲乙丙", 7, 3, "-"};
    EXPECT_EQ(ParsePsdPara(PsdParaText(q)), q);

    LoadPsdPara("XY{[]}3{[]}2{[]};");
    EXPECT_EQ(PsdParaString(), "XY{[]}3{[]}2{[]};");
    EXPECT_EQ(CurrentPsdPara().segments, 2);
    LoadPsdPara("");
    EXPECT_EQ(CurrentPsdPara(), PsdPara());
}

TEST(CreateRandomPsd, DrawsSegmentsFromTheCharacterSet) {
    RandomCodeSource source(2082);
    const PsdPara defaults;
    const QString code = CreateRandomPsd(defaults, source);
    const QStringList lines = code.split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    for (const QString& line : lines) {
        EXPECT_EQ(line.size(), 21);
        for (QChar c : line) EXPECT_TRUE(defaults.charset.contains(c));
    }
    // The same seed draws the same code; the next draw is another one.
    RandomCodeSource again(2082);
    EXPECT_EQ(CreateRandomPsd(defaults, again), code);
    EXPECT_NE(CreateRandomPsd(defaults, again), code);

    EXPECT_EQ(CreateRandomPsd(PsdPara{"A", 3, 1, "|"}, source), "AAA");  // no separator
    EXPECT_EQ(CreateRandomPsd(PsdPara{"AB", 0, 3, ";"}, source), ";;");
    EXPECT_EQ(CreateRandomPsd(PsdPara{"AB", 30000, 30000, ""}, source).size(), kMaxPsdChars);

    EXPECT_EQ(DateTimeSeed(QDateTime(QDate(2013, 4, 11), QTime(9, 30, 15))), 2082u);
    for (int i = 0; i < 1000; ++i) {
        float r = source.Next();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
    }
    // The codes of one batch differ.
    LoadPsdPara("");
    QSet<QString> codes;
    for (int i = 0; i < 200; ++i) codes.insert(CreateRandomPsd());
    EXPECT_EQ(codes.size(), 200);
}

TEST(OptionValues, RefuseTheSeparatorsOfTheOptionList) {
    test::ScriptedAnswers answers;
    EXPECT_TRUE(CheckOptionValue("US$", "货币符号"));
    EXPECT_TRUE(answers.messages().isEmpty());
    EXPECT_FALSE(CheckOptionValue("US|$", "货币符号"));
    EXPECT_EQ(answers.lastMessage(), "货币符号中不能含有“|”，请重新输入！");
    EXPECT_TRUE(CheckOptionValue("0123{[]}", "货币符号"));
    EXPECT_FALSE(CheckOptionValue("0123{[]}", "密码区字符范围", true));
    EXPECT_EQ(answers.lastMessage(), "密码区字符范围中不能含有“{[]}”，请重新输入！");
    EXPECT_EQ(ForbiddenOptionSeparator("\r\n", true), "");
}
