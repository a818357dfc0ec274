#include <gtest/gtest.h>

#include "QStringPrint.h"
#include "filling/Dates.h"

using namespace bw;

namespace {
const QDate kToday(2024, 3, 15);
}

TEST(DatePartCapitals, WritesChequeCapitals) {
    const struct {
        const char* in;
        int part;
        bool monthZero;
        const char* out;
    } cases[] = {
        {"1", DateMonth, false, "零壹"},
        {"2", DateMonth, false, "零贰"},
        {"3", DateMonth, false, "叁"},
        {"3", DateMonth, true, "零叁"},
        {"9", DateMonth, false, "玖"},
        {"10", DateMonth, false, "零壹拾"},
        {"11", DateMonth, false, "壹拾壹"},
        {"12", DateMonth, false, "壹拾贰"},
        {"13", DateMonth, false, "13"},
        {"05", DateMonth, false, "零伍"},
        {"叁", DateMonth, false, "叁"},
        {"5月", DateMonth, false, "伍"},
        {"9", DateDay, false, "零玖"},
        {"15", DateDay, false, "壹拾伍"},
        {"20", DateDay, false, "零贰拾"},
        {"21", DateDay, false, "贰拾壹"},
        {"30", DateDay, false, "零叁拾"},
        {"31", DateDay, false, "叁拾壹"},
        {"32", DateDay, false, "32"},
        {"1999", DateYear, false, "1999"},
        {"2013", DateYear, false, "贰零壹叁"},
        {"2013-05-08", DateYear, false, "贰零壹叁"},
        {"", DateDay, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatePartCapitals(QString::fromUtf8(c.in), c.part, c.monthZero),
                  QString::fromUtf8(c.out))
            << c.in << " part " << c.part;
}

TEST(DatePartCapitals, EveryMonthAndDayReadsBackAsDigits) {
    for (bool zero : {false, true})
        for (int m = 1; m <= 12; ++m) {
            QString cap = DatePartCapitals(QString::number(m), DateMonth, zero);
            EXPECT_EQ(DatePartDigits(cap, DateMonth, kToday), QString::number(m)) << m;
        }
    for (int d = 1; d <= 31; ++d) {
        QString cap = DatePartCapitals(QString::number(d), DateDay, false);
        EXPECT_EQ(DatePartDigits(cap, DateDay, kToday), QString::number(d)) << d;
    }
    EXPECT_EQ(DatePartDigits("贰零壹叁", DateYear, kToday), "2013");
}

TEST(DatePartDigits, ReadsThePartOrGivesToday) {
    const struct {
        const char* in;
        int part;
        const char* out;
    } cases[] = {
        {"2013年5月8日", DateYear, "2013"},
        {"2013年5月8日", DateMonth, "05"},
        {"2013年5月8日", DateDay, "08"},
        {"2013-5-8", DateMonth, "05"},
        {"2013/5/8", DateDay, "08"},
        {"5", DateMonth, "5"},
        {"13", DateMonth, "3"},
        {"", DateYear, "2024"},
        {"abc", DateDay, "15"},
        {"110105199001231234", DateYear, "1990"},
        {"2013-05-08 09:30:00", DateDay, "08"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatePartDigits(QString::fromUtf8(c.in), c.part, kToday), QString::fromUtf8(c.out))
            << c.in << " part " << c.part;
}

TEST(FormatDateText, WritesThePatternAndReadsItsOwnOutput) {
    const QStringList patterns = {"YYYY年MM月DD日", "YYYY-MM-DD", "MM月DD日", "MM-DD"};
    const char* expected[] = {"2013年05月08日", "2013-05-08", "05月08日", "05-08"};
    for (int i = 0; i < patterns.size(); ++i) {
        const QString once = FormatDateText("2013-5-8", patterns[i], kToday);
        EXPECT_EQ(once, QString::fromUtf8(expected[i]));
        // Converting a written date again keeps it.
        EXPECT_EQ(FormatDateText(once, patterns[i], kToday), once);
        for (const QString& other : patterns)
            EXPECT_FALSE(
                FormatDateText(FormatDateText("2013-5-8", other, kToday), patterns[i], kToday)
                    .isEmpty())
                << other.toStdString() << " read as " << patterns[i].toStdString();
    }
    EXPECT_EQ(FormatDateText("05月08日", "YYYY-MM-DD", kToday), "2024-05-08");
    EXPECT_EQ(FormatDateText("abc", "YYYY-MM-DD", kToday), "");
    EXPECT_EQ(FormatDateText("2013-02-30", "YYYY-MM-DD", kToday), "");
    EXPECT_EQ(FormatDateText("12.5", "YYYY-MM-DD", kToday), "");
    EXPECT_EQ(FormatDateText("2013.5.8", "YYYY-MM-DD", kToday), "2013-05-08");
    EXPECT_EQ(FormatDateText("13-5-8", "YYYY-MM-DD", kToday), "2013-05-08");
}

TEST(ReadDateText, AcceptsDatesWithTimesAndRefusesTheRest) {
    auto dt = ReadDateText("2013-4-11 9:30:15", kToday);
    ASSERT_TRUE(dt);
    EXPECT_EQ(*dt, QDateTime(QDate(2013, 4, 11), QTime(9, 30, 15)));
    EXPECT_TRUE(ReadDateText(" 2013/04/11 ", kToday));
    for (const char* bad : {"", "2013", "2013-13-01", "2013-4-11 25:00", "2013年5月", "4-11-2013x",
                            "12:30", "2013-4-11 9"})
        EXPECT_FALSE(ReadDateText(QString::fromUtf8(bad), kToday)) << bad;
}

TEST(FormatDatePattern, WritesCustomPatterns) {
    const QDateTime when(QDate(2013, 4, 11), QTime(9, 30, 15));
    const struct {
        const char* pattern;
        const char* out;
    } cases[] = {
        {"YYYY-MM-DD HH:MM:SS", "2013-04-11 09:30:15"},
        {"yyyy/mm/dd", "2013/04/11"},
        {"yyyy年m月d日", "2013年4月11日"},
        {"hh:nn", "09:30"},
        {"mm:ss", "30:15"},
        {"yy.mm.dd", "13.04.11"},
        {"\"第\"yyyy\"年度\"", "第2013年度"},
    };
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_EQ(FormatDatePattern(when, QString::fromUtf8(c.pattern), &ok),
                  QString::fromUtf8(c.out))
            << c.pattern;
        EXPECT_TRUE(ok) << c.pattern;
    }
    bool ok = true;
    FormatDatePattern(when, "abc", &ok);
    EXPECT_FALSE(ok);
    FormatDatePattern(when, "\"yyyy", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(DefaultDateText(when), "2013-4-11 9:30:15");
    EXPECT_EQ(DefaultDateText(QDateTime(QDate(2013, 4, 11), QTime(0, 0))), "2013-4-11");
}
