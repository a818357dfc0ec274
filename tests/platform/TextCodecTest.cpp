#include <gtest/gtest.h>

#include "platform/TextCodec.h"

using namespace bw;

TEST(TextCodec, GbkRoundTripsChineseText) {
    const QString text = QStringLiteral("进账单】★【收款人｜全称\r\n￥1,234.50 §☆§ abc");
    QByteArray gbk = ToAnsi(text);
    EXPECT_EQ(gbk.left(6), QByteArray("\xBD\xF8\xD5\xCB\xB5\xA5"));  // 进账单 in GBK
    EXPECT_EQ(FromAnsi(gbk), text);
}

TEST(TextCodec, ReadsUtf8WithByteOrderMark) {
    QByteArray bytes = QByteArray("\xEF\xBB\xBF") + QStringLiteral("电汇单,金额").toUtf8();
    EXPECT_EQ(FromAnsi(bytes), QStringLiteral("电汇单,金额"));
}

TEST(TextCodec, CharactersOutsideGbkBecomeQuestionMarks) {
    QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b");
    EXPECT_EQ(ToAnsi(text), QByteArray("a?b"));
}

TEST(TextCodec, BrokenBytesDoNotStopTheRead) {
    QByteArray bytes =
        ToAnsi(QStringLiteral("甲")) + QByteArray("\xFF") + ToAnsi(QStringLiteral("乙"));
    QString t = FromAnsi(bytes);
    EXPECT_TRUE(t.startsWith(QStringLiteral("甲")));
    EXPECT_TRUE(t.endsWith(QStringLiteral("乙")));
}
