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

TEST(TextsByValue, AValueSeenBeforeGivesItsTextWithoutMakingItAgain) {
    TextsByValue amounts;
    int made = 0, keyed = 0;
    auto text = [&](const std::string& value) {
        return amounts.Text(
            [&](std::string& key) {
                ++keyed;
                key = value;
            },
            [&] {
                ++made;
                return QString::fromStdString(value + ".00");
            });
    };
    const QString first = text("12");
    EXPECT_EQ(text("7"), QStringLiteral("7.00"));
    const QString again = text("12");
    EXPECT_EQ(again, QStringLiteral("12.00"));
    EXPECT_EQ(again.constData(), first.constData());
    EXPECT_EQ(text(std::string("1\0"
                               "2",
                               3)),
              QString::fromStdString(std::string("1\0"
                                                 "2.00",
                                                 6)));
    EXPECT_EQ(made, 3);

    // Values that never repeat: after the trial their keys are no longer even written.
    for (int i = 0; i < 1500; ++i)
        ASSERT_EQ(text(std::to_string(1000 + i)), QString("%1.00").arg(1000 + i));
    const int keyedAfterTrial = keyed;
    EXPECT_EQ(text("12"), QStringLiteral("12.00"));
    EXPECT_EQ(keyed, keyedAfterTrial);
}

}  // namespace
}  // namespace bw
