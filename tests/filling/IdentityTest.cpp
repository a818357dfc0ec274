#include <gtest/gtest.h>

#include "QStringPrint.h"
#include "filling/Dates.h"
#include "filling/IdentityAndPostcode.h"

using namespace bw;

namespace {

// The check character of an 18-character identity-card number.
QChar checkChar(const QString& first17) {
    static const int weight[] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i) sum += (first17[i].unicode() - u'0') * weight[i];
    return QStringLiteral("10X98765432")[sum % 11];
}

QString withCheck(const QString& first17, bool good) {
    QChar c = checkChar(first17);
    if (!good) c = c == u'0' ? u'1' : u'0';
    return first17 + c;
}

}  // namespace

TEST(IdNumbers, SexAndBirthDateWhateverTheCheckCharacter) {
    const struct {
        const char* first17;
        const char* sex;
        QDate birth;
    } cases[] = {
        {"11010519491231002", "女", QDate(1949, 12, 31)},
        {"44030119900307083", "男", QDate(1990, 3, 7)},
        {"32010220000229004", "女", QDate(2000, 2, 29)},
        {"51010719851108999", "男", QDate(1985, 11, 8)},
    };
    for (const auto& c : cases)
        for (bool good : {true, false}) {
            const QString id = withCheck(QString::fromUtf8(c.first17), good);
            SCOPED_TRACE(id.toStdString());
            EXPECT_EQ(GenderFromIdNumber(id), QString::fromUtf8(c.sex));
            EXPECT_EQ(IdNumberBirthDate(id), c.birth);
            EXPECT_EQ(FormatDateText(id, "YYYY-MM-DD", QDate(2024, 1, 1)),
                      c.birth.toString("yyyy-MM-dd"));
        }
    EXPECT_EQ(checkChar("11010519491231002"), u'X');
    EXPECT_EQ(GenderFromIdNumber("11010519491231002X"), "女");
}

TEST(IdNumbers, FifteenDigitNumbersOfTheOldKind) {
    EXPECT_EQ(GenderFromIdNumber("110105491231002"), "女");
    EXPECT_EQ(GenderFromIdNumber("440301900307083"), "男");
    EXPECT_EQ(IdNumberBirthDate("440301900307083"), QDate(1990, 3, 7));
    EXPECT_EQ(DatePartDigits("440301900307083", DateMonth, QDate(2024, 1, 1)), "03");
    EXPECT_FALSE(IdNumberBirthDate("440301901307083"));  // month 13
    EXPECT_FALSE(IdNumberBirthDate("44030119901307083X"));
    EXPECT_FALSE(IdNumberBirthDate("4403011990030708"));  // 16 characters
}

TEST(IdNumbers, OtherTextsStayAsTheyAre) {
    for (const char* t : {"12345", "男", "abcdefghijklmnopqr", "0000000001234567"})
        EXPECT_EQ(GenderFromIdNumber(QString::fromUtf8(t)), QString::fromUtf8(t));
}

TEST(FormatPostcode, KeepsSixDigits) {
    EXPECT_EQ(FormatPostcode("邮编：100-86"), "010086");
    EXPECT_EQ(FormatPostcode("12345678"), "123456");
    EXPECT_EQ(FormatPostcode("100086"), "100086");
    EXPECT_EQ(FormatPostcode("无"), "");
    EXPECT_EQ(KeepChars("a1b2", "0123456789"), "12");
    EXPECT_EQ(KeepChars("", "0123456789"), "");
}
