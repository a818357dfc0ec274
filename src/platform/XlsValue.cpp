#include "platform/XlsValue.h"

#include <QDate>
#include <cmath>

#include "platform/VbNumbers.h"

namespace bw {

namespace {

constexpr double kLastSerial1900 = 2958466.0;  // the day after 9999-12-31

double asNumber(const XlsValue& v) {
    switch (v.kind) {
        case XlsValue::Bool:
            return v.number != 0 ? -1.0 : 0.0;
        case XlsValue::Number:
        case XlsValue::Date:
            return v.number;
        default:
            return 0;
    }
}

}  // namespace

QString XlsDateText(double serial, bool date1904) {
    // Days after 1899-12-30 (day 0 of the program's dates).
    double days = serial;
    if (date1904) {
        days = serial + 1462;
    } else if (serial >= 1 && serial < 60) {
        days = serial + 1;  // Excel counts a 29 February 1900 that never was
    }
    if (!(serial >= 0) || days >= kLastSerial1900) return NumText(serial);
    double whole = std::floor(days);
    auto seconds = static_cast<qint64>(std::floor((days - whole) * 86400.0 + 0.5));
    auto day = static_cast<qint64>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600, 2, 10, QChar(u'0'))
                             .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
                             .arg(seconds % 60, 2, 10, QChar(u'0'));
    if (day == 0 && !date1904) return time;
    const QString date = QDate(1899, 12, 30).addDays(day).toString(QStringLiteral("yyyy-MM-dd"));
    return seconds == 0 ? date : date + u' ' + time;
}

QString XlsValueText(const XlsValue& value, bool date1904) {
    switch (value.kind) {
        case XlsValue::Number:
            return NumText(value.number);
        case XlsValue::Date:
            return XlsDateText(value.number, date1904);
        case XlsValue::Text:
            return value.text;
        case XlsValue::Bool:
            return value.number != 0 ? QStringLiteral("True") : QStringLiteral("False");
        default:
            return {};
    }
}

bool IsXlsDateFormat(int formatIndex, const QString& formatString) {
    if (formatString.isEmpty()) {
        return (formatIndex >= 14 && formatIndex <= 22) ||
               (formatIndex >= 45 && formatIndex <= 47) ||
               (formatIndex >= 27 && formatIndex <= 36) || (formatIndex >= 50 && formatIndex <= 58);
    }
    const QString& f = formatString;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == u'"') {
            i = f.indexOf(u'"', i + 1);
            if (i < 0) return false;
        } else if (c == u'[') {
            i = f.indexOf(u']', i + 1);
            if (i < 0) return false;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (QStringLiteral("ymdhsYMDHS年月日").contains(c)) {
            return true;
        }
    }
    return false;
}

bool XlsSameValue(const XlsValue& a, const XlsValue& b) {
    using K = XlsValue;
    if (a.kind == K::Error || b.kind == K::Error) return a.kind == b.kind && a.number == b.number;
    if (a.kind == K::Empty && b.kind == K::Empty) return true;
    const bool aText = a.kind == K::Text, bText = b.kind == K::Text;
    if (aText && bText) return a.text == b.text;
    if (aText || bText) {
        const XlsValue& t = aText ? a : b;
        const XlsValue& o = aText ? b : a;
        return o.kind == K::Empty && t.text.isEmpty();
    }
    return asNumber(a) == asNumber(b);
}

}  // namespace bw
