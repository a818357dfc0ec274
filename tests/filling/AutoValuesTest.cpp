#include <gtest/gtest.h>

#include <QSet>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "filling/AutoValues.h"
#include "filling/ConversionContext.h"
#include "filling/OptionText.h"

using namespace bw;

TEST(IncrementCode, CountsUpKeepingTheWidth) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"ABC", "ABC"},
        {"0099", "0100"},
        {"999", "1000"},
        {"No.12-0", "No.12-1"},
        {"A0099", "A0100"},
        {"A99", "A100"},
        {"0009", "0010"},
        {"收据2013-0041", "收据2013-0042"},
        {"12345678901234567899", "12345678901234567900"},
    };
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
    PsdPara p = ParsePsdPara("ABC{[]}5");
    EXPECT_EQ(p.charset, "ABC");
    EXPECT_EQ(p.perSegment, 5);
    EXPECT_EQ(p.segments, 4);
    EXPECT_EQ(p.separator, "\r\n");

    EXPECT_EQ(ParsePsdPara(""), PsdPara());
    EXPECT_EQ(PsdParaText(PsdPara()), "0123456789+-*/><{[]}21{[]}4{[]}\r\n");

    PsdPara bad = ParsePsdPara("X{[]}abc{[]}99999{[]} ");
    EXPECT_EQ(bad.perSegment, 21);
    EXPECT_EQ(bad.segments, 4);
    EXPECT_EQ(bad.separator, " ");

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
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

TEST(CreateRandomPsd, CodesOfOneBatchDiffer) {
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
