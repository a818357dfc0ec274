#include "filling/AutoValues.h"

#include <QStringList>

#include "filling/ConversionContext.h"
#include "filling/Dates.h"
#include "filling/Money.h"
#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"

namespace bw {

QString IncrementCode(const QString& text) {
    int i = text.size() - 1;
    while (i >= 0 && text[i] >= u'0' && text[i] <= u'9') --i;
    const QString tail = text.mid(i + 1);
    if (tail.isEmpty()) return text;
    return text.left(i + 1) + IncrementDigits(tail);
}

QString CustomDateText(const QDateTime& date, const QString& pattern) {
    if (pattern.isEmpty()) return DefaultDateText(date);
    bool ok = false;
    QString text = FormatDatePattern(date, pattern, &ok);
    if (!ok) {
        dlg::MsgBox(QStringLiteral("自定义日期格式设置有误：“") + pattern + QStringLiteral("”"),
                    dlg::Exclamation);
        return QString();
    }
    if (pattern.contains(u'/')) text.replace(u'-', u'/');
    if (pattern.contains(u'\\')) text.replace(u'-', u'\\');
    return text;
}

QString CustomDateText(const QDateTime& date, int code, const ConversionContext& ctx) {
    return CustomDateText(date, ctx.CustomValue(code));
}

float RandomCodeSource::Next() {
    // 24 random bits: every float of the form k / 2^24, never 1.
    return float(engine_() >> 40) * (1.0f / 16777216.0f);
}

std::uint64_t DateTimeSeed(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return std::uint64_t(d.year() + d.month() + d.day() + t.hour() + t.minute() + t.second());
}

QString CreateRandomPsd(const PsdPara& para, RandomCodeSource& source) {
    QString out;
    const int len = para.charset.size();
    int drawn = 0;
    for (int seg = 1; seg <= para.segments && drawn < kMaxPsdChars; ++seg) {
        for (int c = 0; c < para.perSegment && drawn < kMaxPsdChars; ++c, ++drawn) {
            const double r = source.Next();
            if (len > 0) out += para.charset[int(len * r)];
        }
        if (seg < para.segments && drawn < kMaxPsdChars) out += para.separator;
    }
    return out;
}

QString CreateRandomPsd() {
    static RandomCodeSource source = [] {
        std::random_device entropy;
        std::seed_seq seq{std::uint32_t(DateTimeSeed(QDateTime::currentDateTime())), entropy(),
                          entropy()};
        std::uint32_t words[2];
        seq.generate(words, words + 2);
        return RandomCodeSource((std::uint64_t(words[0]) << 32) | words[1]);
    }();
    return CreateRandomPsd(CurrentPsdPara(), source);
}

}  // namespace bw
