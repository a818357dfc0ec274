#include "platform/FontWarmUp.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QMutex>
#include <QSet>

namespace bw {

FontWarmUp::FontWarmUp(const QFont& font) {
    static QMutex mutex;
    static QSet<QString> warmed;
    const QString key = font.key();
    {
        QMutexLocker lock(&mutex);
        if (warmed.contains(key)) return;
        warmed.insert(key);
    }
    // The thread gets a font of its own, made from the description, sharing nothing.
    thread_ = std::thread([description = font.toString()] {
        QFont own;
        own.fromString(description);
        const QString sample = QStringLiteral("序号名称金额 Aa0123456789.,-√");
        QFontMetrics(own).horizontalAdvance(sample);
        QFontMetricsF(own).horizontalAdvance(sample.front());
    });
}

FontWarmUp::~FontWarmUp() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace bw
