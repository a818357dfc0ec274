#include "filling/IdentityAndPostcode.h"

#include <cmath>

#include "platform/VbNumbers.h"

namespace bw {

namespace {
bool digitsOnly(QStringView s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}
}  // namespace

std::optional<QDate> IdNumberBirthDate(const QString& text) {
    QDate d;
    if (text.size() == 18 && digitsOnly(QStringView(text).left(17))) {
        d = QDate(text.mid(6, 4).toInt(), text.mid(10, 2).toInt(), text.mid(12, 2).toInt());
    } else if (text.size() == 15 && digitsOnly(text)) {
        d = QDate(1900 + text.mid(6, 2).toInt(), text.mid(8, 2).toInt(), text.mid(10, 2).toInt());
    }
    if (!d.isValid()) return std::nullopt;
    return d;
}

QString GenderFromIdNumber(const QString& text) {
    if (text.size() < 15 || !(Val(text.left(10)) > 999999999)) return text;
    const QChar digit = text.size() == 18 ? text[16] : text[14];
    const double v = RoundHalfEven(Val(QString(digit)));
    return std::fmod(v, 2.0) == 0 ? QStringLiteral("女") : QStringLiteral("男");
}

QString FormatPostcode(const QString& text) {
    QString d = KeepChars(text, QStringLiteral("0123456789"));
    if (d.isEmpty()) return d;
    if (d.size() > 6) return d.left(6);
    return QString(6 - d.size(), u'0') + d;
}

QString KeepChars(const QString& text, const QString& allowed) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (allowed.contains(c)) out += c;
    return out;
}

}  // namespace bw
