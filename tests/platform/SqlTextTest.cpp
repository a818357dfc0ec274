// The hand-written readers of SQL text agree with the regular expressions they stand in for,
// on chosen cases and on texts put together at random from the pieces that matter.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <random>

#include "platform/SqlText.h"

using namespace bw::sql;

namespace {

const QRegularExpression kName(QStringLiteral("^[\\w\\x{80}-\\x{10FFFF}]+$"),
                               QRegularExpression::UseUnicodePropertiesOption);
const QRegularExpression kSelect(
    QStringLiteral(
        "^\\s*SELECT\\s+(.+?)\\s+FROM\\s+([^\\s,();]+)(\\s+(WHERE|ORDER)\\b.*)?\\s*;?\\s*$"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
const QRegularExpression kGrouping(
    QStringLiteral("\\b(GROUP|UNION|JOIN|HAVING|LIMIT\\s+\\d+\\s*,)\\b"),
    QRegularExpression::CaseInsensitiveOption);

void expectAgrees(const QString& text) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(IsPlainName(text), kName.match(text).hasMatch());
    EXPECT_EQ(HasGroupingOrJoin(text), kGrouping.match(text).hasMatch());
    SingleTableSelect got;
    const QRegularExpressionMatch m = kSelect.match(text);
    ASSERT_EQ(SplitSingleTableSelect(text, &got), m.hasMatch());
    if (!m.hasMatch()) return;
    EXPECT_EQ(got.columns, m.captured(1));
    EXPECT_EQ(got.table, m.captured(2));
    EXPECT_EQ(got.rest, m.captured(3));
}

}  // namespace

TEST(SqlText, ChosenTextsReadAsThePatternsReadThem) {
    const QStringList texts = {"",
                               "Fmt",
                               "默认",
                               "a_1",
                               "a b",
                               "a-b",
                               "a\n",
                               "\n",
                               "a\n\n",
                               "表\t",
                               QString(QChar(0xD800)),
                               QString(QChar(0xDC00)) + "a",
                               QString::fromUcs4(U"\U0001F600x"),
                               "SELECT * FROM Fmt",
                               "  select a, b from [表] where x=1;  ",
                               "SELECT a FROM t ORDER BY a",
                               "SELECT a FROM t;",
                               "SELECT a FROM t; x",
                               "SELECT a FROM t WHEREx",
                               "SELECT a FROM t WHERE",
                               "SELECT FROM t",
                               "SELECT   FROM FROM t",
                               "SELECT a FROM b FROM c",
                               "SELECT a FROM t,u",
                               "SELECT a FROM (t)",
                               "SELECT a\nFROM\tt\nWHERE b\n",
                               "SELECTa FROM t",
                               "SELECT a FROMt",
                               "SELECT a FROM \"t\"",
                               "ſelect a from t",
                               "SELECT a FROM t WHERE x GROUP BY y",
                               "SELECT a FROM t LIMIT 5,10",
                               "SELECT a FROM t WHERE 1 LIMIT 5, 10",
                               "SELECT a FROM t WHERE 1 LIMIT 5 ,1",
                               "SELECT a FROM t WHERE x='UNION'",
                               "SELECT a FROM t WHERE xjoin=1",
                               "x HAVING_ y",
                               "x HAVING",
                               "LIMIT 3,",
                               "limit\t7\n,z"};
    for (const QString& t : texts) expectAgrees(t);
}

TEST(SqlText, RandomTextsReadAsThePatternsReadThem) {
    const QStringList pieces = {"SELECT", "select", "FROM",   "from",  "WHERE", "ORDER", "GROUP",
                                "UNION",  "JOIN",   "HAVING", "LIMIT", " ",     "  ",    "\t",
                                "\n",     ";",      ",",      "(",     ")",     "a",     "_",
                                "1",      "22",     "表",     "\"t\"", "[t]",   "=",     "'",
                                "*",      "x1",     "ſ"};
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> piece(0, static_cast<int>(pieces.size()) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        // Most texts begin as queries do, so that the later parts get tried too.
        if (i % 4 != 0) text = QStringLiteral("SELECT a FROM t ");
        for (int n = length(random); n > 0; --n) text += pieces[piece(random)];
        expectAgrees(text);
        if (HasFailure()) return;
    }
}

TEST(SqlText, PrefixSpansTellApartTheCasesOfTheFirstLettersAndEndPastThePrefix) {
    auto spans = [](const QString& prefix, int letters) {
        QStringList out;
        for (const TextSpan& s : LikePrefixSpans(prefix, letters))
            out << s.low + u'~' + (s.high.isNull() ? QStringLiteral("(none)") : s.high);
        return out;
    };
    EXPECT_EQ(spans("a1bc", 2), QStringList({"A1B~A1C", "a1B~a1C", "A1b~A1c", "a1b~a1c"}));
    EXPECT_EQ(spans("", 3), QStringList({"~(none)"}));
    EXPECT_EQ(spans("x", 0), QStringList({"~(none)"}));
    // The next code point after the last: no surrogate, and past the last there is none.
    EXPECT_EQ(spans(QString::fromUcs4(U"1\uD7FF"), 3),
              QStringList({QString::fromUcs4(U"1\uD7FF~1\uE000")}));
    EXPECT_EQ(spans(QString::fromUcs4(U"1\U0010FFFF"), 3),
              QStringList({QString::fromUcs4(U"1\U0010FFFF~2")}));
    EXPECT_EQ(spans(QString::fromUcs4(U"\U0010FFFF"), 3),
              QStringList({QString::fromUcs4(U"\U0010FFFF~(none)")}));
}
