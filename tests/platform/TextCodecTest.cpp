#include <gtest/gtest.h>

#include "platform/TextCodec.h"

using namespace bw;

TEST(TextCodec, GbkRoundTripsAndOtherTextsDoNotStopTheRead) {
    const QString text = QStringLiteral("进账单】★【收款人｜全称\r\n￥1,234.50 §☆§ abc");
    QByteArray gbk = ToAnsi(text);
    EXPECT_EQ(gbk.left(6), QByteArray("\xBD\xF8\xD5\xCB\xB5\xA5"));  // 进账单 in GBK
    EXPECT_EQ(FromAnsi(gbk), text);
    // UTF-8 with its byte order mark is read as such.
    QByteArray bytes = QByteArray("\xEF\xBB\xBF") + QStringLiteral("电汇单,金额").toUtf8();
    EXPECT_EQ(FromAnsi(bytes), QStringLiteral("电汇单,金额"));
    // Characters outside GBK become question marks; broken bytes are skipped.
    EXPECT_EQ(ToAnsi(QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b")),
              QByteArray("a?b"));
    QString t =
        FromAnsi(ToAnsi(QStringLiteral("甲")) + QByteArray("\xFF") + ToAnsi(QStringLiteral("乙")));
    EXPECT_TRUE(t.startsWith(QStringLiteral("甲")));
    EXPECT_TRUE(t.endsWith(QStringLiteral("乙")));
}

// One encoder over many texts: the bytes of a character met before are those of its first
// time; a surrogate pair or a lone half is one "?".
TEST(TextCodec, AnsiEncoderOverManyTexts) {
    AnsiEncoder gbk;
    QByteArray out;
    gbk.Append(QStringLiteral("中a￥"), out);
    gbk.Append(QStringLiteral("中") + QChar(0xD83D) + QStringLiteral("b"), out);
    gbk.Append(QString::fromUcs4(U"\U0001F600") + QStringLiteral("中"), out);
    EXPECT_EQ(out, QByteArray("\xD6\xD0"
                              "a"
                              "\xA3\xA4"
                              "\xD6\xD0"
                              "?b"
                              "?"
                              "\xD6\xD0"));
}
