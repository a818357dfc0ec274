// Dates in cheque capitals, digits and patterns; identity-card numbers and postcodes.

#include <gtest/gtest.h>

#include "QStringPrint.h"
#include "filling/Dates.h"
#include "filling/IdentityAndPostcode.h"

using namespace bw;

namespace {

const QDate kToday(2024, 3, 15);

// The check character of an 18-character identity-card number.
QChar checkChar(const QString& first17) {
    static const int weight[] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i) sum += (first17[i].unicode() - u'0') * weight[i];
    return QStringLiteral("10X98765432")[sum % 11];
}

}  // namespace

TEST(DatePartCapitals, WritesChequeCapitals) {
    const struct {
        const char* in;
        int part;
        bool monthZero;
        const char* out;
    } cases[] = {
        {"2", DateMonth, false, "零贰"},    {"3", DateMonth, false, "叁"},
        {"3", DateMonth, true, "零叁"},     {"10", DateMonth, false, "零壹拾"},
        {"11", DateMonth, false, "壹拾壹"}, {"13", DateMonth, false, "13"},
        {"叁", DateMonth, false, "叁"},     {"5月", DateMonth, false, "伍"},
        {"9", DateDay, false, "零玖"},      {"20", DateDay, false, "零贰拾"},
        {"21", DateDay, false, "贰拾壹"},   {"32", DateDay, false, "32"},
        {"1999", DateYear, false, "1999"},  {"2013-05-08", DateYear, false, "贰零壹叁"},
        {"", DateDay, false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatePartCapitals(QString::fromUtf8(c.in), c.part, c.monthZero),
                  QString::fromUtf8(c.out))
            << c.in << " part " << c.part;
    // Every month and day reads back as digits.
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
        {"2013-5-8", DateDay, "08"},
        {"2013/5/8", DateDay, "08"},
        {"5", DateMonth, "5"},
        {"13", DateMonth, "3"},
        {"", DateYear, "2024"},
        {"abc", DateDay, "15"},
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
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"05月08日", "2024-05-08"}, {"abc", ""},
                 {"2013-02-30", ""},         {"12.5", ""},
                 {"2013.5.8", "2013-05-08"}, {"13-5-8", "2013-05-08"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateText(QString::fromUtf8(c.in), "YYYY-MM-DD", kToday),
                  QString::fromUtf8(c.out))
            << c.in;
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
        const char* out;  // nullptr: refused
    } cases[] = {
        {"YYYY-MM-DD HH:MM:SS", "2013-04-11 09:30:15"},
        {"yyyy年m月d日", "2013年4月11日"},
        {"hh:nn", "09:30"},
        {"mm:ss", "30:15"},
        {"yy.mm.dd", "13.04.11"},
        {"\"第\"yyyy\"年度\"", "第2013年度"},
        {"abc", nullptr},
        {"\"yyyy", nullptr},
    };
    for (const auto& c : cases) {
        bool ok = false;
        const QString text = FormatDatePattern(when, QString::fromUtf8(c.pattern), &ok);
        EXPECT_EQ(ok, c.out != nullptr) << c.pattern;
        if (c.out) {
            EXPECT_EQ(text, QString::fromUtf8(c.out)) << c.pattern;
        }
    }
    EXPECT_EQ(DefaultDateText(when), "2013-4-11 9:30:15");
    EXPECT_EQ(DefaultDateText(QDateTime(QDate(2013, 4, 11), QTime(0, 0))), "2013-4-11");
}

TEST(IdNumbers, SexAndBirthDateWhateverTheCheckCharacter) {
    const struct {
        const char* first17;
        const char* sex;
        QDate birth;
    } cases[] = {
        {"11010519491231002", "女", QDate(1949, 12, 31)},
        {"44030119900307083", "男", QDate(1990, 3, 7)},
        {"32010220000229004", "女", QDate(2000, 2, 29)},
    };
    for (const auto& c : cases)
        for (bool good : {true, false}) {
            QChar check = checkChar(QString::fromUtf8(c.first17));
            if (!good) check = check == u'0' ? u'1' : u'0';
            const QString id = QString::fromUtf8(c.first17) + check;
            SCOPED_TRACE(id.toStdString());
            EXPECT_EQ(GenderFromIdNumber(id), QString::fromUtf8(c.sex));
            EXPECT_EQ(IdNumberBirthDate(id), c.birth);
            EXPECT_EQ(FormatDateText(id, "YYYY-MM-DD", QDate(2024, 1, 1)),
                      c.birth.toString("yyyy-MM-dd"));
        }
    EXPECT_EQ(checkChar("11010519491231002"), u'X');
    EXPECT_EQ(GenderFromIdNumber("11010519491231002X"), "女");
    // Fifteen-digit numbers of the old kind.
    EXPECT_EQ(GenderFromIdNumber("110105491231002"), "女");
    EXPECT_EQ(IdNumberBirthDate("440301900307083"), QDate(1990, 3, 7));
    EXPECT_EQ(DatePartDigits("440301900307083", DateMonth, QDate(2024, 1, 1)), "03");
    for (const char* bad : {"440301901307083", "44030119901307083X", "4403011990030708"})
        EXPECT_FALSE(IdNumberBirthDate(bad)) << bad;  // month 13, month 13, 16 characters
    // Other texts stay as they are.
    for (const char* t : {"12345", "男", "abcdefghijklmnopqr", "0000000001234567"})
        EXPECT_EQ(GenderFromIdNumber(QString::fromUtf8(t)), QString::fromUtf8(t));
}

TEST(FormatPostcode, KeepsSixDigits) {
    EXPECT_EQ(FormatPostcode("12345678"), "123456");
    EXPECT_EQ(FormatPostcode("无"), "");
    EXPECT_EQ(KeepChars("a1b2", "0123456789"), "12");
}
