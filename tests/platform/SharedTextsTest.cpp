// Texts shared within a grid column: every text reads back as it came, repeats share one
// string, and a column of texts that do not repeat is left alone after a trial.

#include <gtest/gtest.h>

#include "platform/SharedTexts.h"

namespace bw {
namespace {

TEST(SharedTexts, RepeatsShareOneStringAndEveryTextReadsBackAsItCame) {
    SharedTexts dates;
    const QString first = dates.Share(QStringLiteral("2013.01.05"));
    QString again = QStringLiteral("2013.01.");
    again += QStringLiteral("05");  // equal, with characters of its own
    const QString shared = dates.Share(again);
    EXPECT_EQ(shared, QStringLiteral("2013.01.05"));
    EXPECT_EQ(shared.constData(), first.constData());
    EXPECT_EQ(dates.Share(QStringLiteral("2013.01.06")), QStringLiteral("2013.01.06"));
    EXPECT_TRUE(dates.Share(QString()).isNull());
    EXPECT_FALSE(dates.Share(QStringLiteral("")).isNull());

    // Texts that never repeat: each comes back as itself; after the trial even a repeat keeps
    // its own characters, as the column is no longer looked up.
    SharedTexts names;
    for (int i = 0; i < 1500; ++i)
        ASSERT_EQ(names.Share(QStringLiteral("第%1号").arg(i)), QStringLiteral("第%1号").arg(i));
    const QString one = names.Share(QStringLiteral("重复"));
    QString two = QStringLiteral("重");
    two += QStringLiteral("复");
    EXPECT_EQ(names.Share(two), one);
    EXPECT_NE(names.Share(two).constData(), one.constData());
}

}  // namespace
}  // namespace bw
