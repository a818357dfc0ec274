#include "store/PsdPara.h"

#include <QStringList>

#include "platform/VbNumbers.h"

namespace bw {

namespace {

const QString kPsdSeparator = QStringLiteral("{[]}");

void readCount(const QString& text, std::int16_t& setting) {
    QString t = text.trimmed();
    if (!IsNumeric(t)) return;
    t.remove(u',');
    const double v = t.toDouble();
    if (!(v > -32768.5 && v < 32767.5)) return;
    setting = CInt(v);
}

PsdPara& current() {
    static PsdPara para;
    return para;
}

}  // namespace

PsdPara ParsePsdPara(const QString& text) {
    PsdPara p;
    if (text.isEmpty()) return p;
    const QStringList part = text.split(kPsdSeparator);
    p.charset = part[0];
    if (part.size() > 1) readCount(part[1], p.perSegment);
    if (part.size() > 2) readCount(part[2], p.segments);
    if (part.size() > 3) p.separator = part[3];
    return p;
}

QString PsdParaText(const PsdPara& p) {
    return p.charset + kPsdSeparator + QString::number(p.perSegment) + kPsdSeparator +
           QString::number(p.segments) + kPsdSeparator + p.separator;
}

void LoadPsdPara(const QString& text) {
    current() = ParsePsdPara(text);
}
QString PsdParaString() {
    return PsdParaText(current());
}
PsdPara& CurrentPsdPara() {
    return current();
}

}  // namespace bw
