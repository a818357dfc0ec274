// Fonts loaded on a thread of their own while the main thread measures text: the widths are
// those the main thread measures on its own, whether it comes before, during or after.

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "platform/FontWarmUp.h"

namespace bw {
namespace {

TEST(FontWarmUp, MeasuringDuringAndAfterAWarmUpGivesTheSameWidths) {
    const QString text = QStringLiteral("序号 上海申通物流有限公司12345 2013.01.05 √");
    QFont serif(QStringLiteral("serif"), 13);
    QFont mono(QStringLiteral("monospace"), 11);
    int during = 0;
    {
        const FontWarmUp first(serif);
        const FontWarmUp second(mono);
        const FontWarmUp again(serif);  // already under way: starts nothing
        during = QFontMetrics(serif).horizontalAdvance(text);
    }
    EXPECT_GT(during, 0);
    EXPECT_EQ(QFontMetrics(serif).horizontalAdvance(text), during);
    const int monoAfter = QFontMetrics(mono).horizontalAdvance(text);
    { const FontWarmUp late(mono); }
    EXPECT_EQ(QFontMetrics(mono).horizontalAdvance(text), monoAfter);
}

}  // namespace
}  // namespace bw
