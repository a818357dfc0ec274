#include "filling/Dates.h"

#include <QStringList>
#include <cmath>

#include "filling/Capitals.h"
#include "filling/IdentityAndPostcode.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

bool allDigits(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

std::optional<QTime> readTime(const QString& text) {
    const QStringList f = text.split(u':');
    if (f.size() < 2 || f.size() > 3) return std::nullopt;
    for (const QString& x : f)
        if (!allDigits(x) || x.size() > 2) return std::nullopt;
    QTime t(f[0].toInt(), f[1].toInt(), f.size() == 3 ? f[2].toInt() : 0);
    if (!t.isValid()) return std::nullopt;
    return t;
}

QString pad(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

// Whether the date-time field letter after position `from` of the pattern is a second:
// "mm:ss" is a minute.
bool nextFieldIsSecond(const QString& p, int from) {
    bool quoted = false;
    for (int i = from; i < p.size(); ++i) {
        QChar c = p[i];
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        switch (c.toLower().unicode()) {
            case u's':
                return true;
            case u'y':
            case u'm':
            case u'd':
            case u'h':
            case u'n':
                return false;
            default:
                break;
        }
    }
    return false;
}

const QString kCapitalsWithTen = QStringLiteral("零壹贰叁肆伍陆柒捌玖拾");

bool allCapitals(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (!kCapitalsWithTen.contains(c)) return false;
    return true;
}

}  // namespace

std::optional<QDateTime> ReadDateText(const QString& text, const QDate& today) {
    QString t = text.trimmed();
    t.replace(u'年', u'-').replace(u'月', u'-').remove(u'日');
    QString datePart = t, timePart;
    int blank = -1;
    for (int i = 0; i < t.size(); ++i)
        if (t[i].isSpace()) {
            blank = i;
            break;
        }
    if (blank >= 0) {
        datePart = t.left(blank);
        timePart = t.mid(blank + 1).trimmed();
    }

    QString unified = datePart;
    unified.replace(u'/', u'-').replace(u'.', u'-');
    const QStringList f = unified.split(u'-');
    for (const QString& x : f)
        if (!allDigits(x)) return std::nullopt;

    int y, m, d;
    if (f.size() == 3) {
        if (f[0].size() == 4) {
            y = f[0].toInt();
        } else if (f[0].size() <= 2) {
            int yy = f[0].toInt();
            y = yy < 30 ? 2000 + yy : 1900 + yy;
        } else {
            return std::nullopt;
        }
        m = f[1].toInt();
        d = f[2].toInt();
    } else if (f.size() == 2 && f[0].size() <= 2 && !datePart.contains(u'.')) {
        // "12.5" is an amount, not the fifth of December.
        y = today.year();
        m = f[0].toInt();
        d = f[1].toInt();
    } else {
        return std::nullopt;
    }
    if (f[1].size() > 2 || f.back().size() > 2) return std::nullopt;
    QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;

    QTime time(0, 0);
    if (!timePart.isEmpty()) {
        auto tm = readTime(timePart);
        if (!tm) return std::nullopt;
        time = *tm;
    }
    return QDateTime(date, time);
}

QString FormatDatePattern(const QDateTime& when, const QString& pattern, bool* ok) {
    const QDate date = when.date();
    const QTime time = when.time();
    QString out;
    bool anyField = false;
    bool afterHour = false;
    int i = 0;
    const int n = pattern.size();
    while (i < n) {
        const QChar c = pattern[i];
        if (c == u'"') {
            int close = pattern.indexOf(u'"', i + 1);
            if (close < 0) {
                if (ok) *ok = false;
                return out;
            }
            out += pattern.mid(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        const char16_t letter = c.toLower().unicode();
        if (letter != u'y' && letter != u'm' && letter != u'd' && letter != u'h' &&
            letter != u'n' && letter != u's') {
            out += c;
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < n && pattern[i + run].toLower() == QChar(letter)) ++run;
        anyField = true;
        switch (letter) {
            case u'y':
                if (run >= 3)
                    out += pad(date.year(), 4);
                else if (run == 2)
                    out += pad(date.year() % 100, 2);
                else
                    out += QString::number(date.dayOfYear());
                break;
            case u'm':
                if (afterHour || nextFieldIsSecond(pattern, i + run))
                    out += run >= 2 ? pad(time.minute(), 2) : QString::number(time.minute());
                else
                    out += run >= 2 ? pad(date.month(), 2) : QString::number(date.month());
                break;
            case u'd':
                out += run >= 2 ? pad(date.day(), 2) : QString::number(date.day());
                break;
            case u'h':
                out += run >= 2 ? pad(time.hour(), 2) : QString::number(time.hour());
                break;
            case u'n':
                out += run >= 2 ? pad(time.minute(), 2) : QString::number(time.minute());
                break;
            case u's':
                out += run >= 2 ? pad(time.second(), 2) : QString::number(time.second());
                break;
        }
        afterHour = letter == u'h';
        i += run;
    }
    if (ok) *ok = anyField;
    return out;
}

QString DefaultDateText(const QDateTime& when) {
    if (when.time() == QTime(0, 0)) return ShortDateText(when.date());
    return ShortDateText(when.date()) + u' ' + FormatDatePattern(when, QStringLiteral("h:nn:ss"));
}

QString ShortDateText(const QDate& date) {
    return FormatDatePattern(QDateTime(date, QTime(0, 0)), QStringLiteral("yyyy-m-d"));
}

QString ChequeDateCapitals(const QString& digits, int part, bool monthZero) {
    const double n = RoundHalfEven(Val(digits));
    QString s = ConvertCapitalDigits(digits, 1);
    const QChar zero = u'零';
    if (s.size() == 1) {
        if (!(part == DateMonth && n >= 3 && n < 10 && !monthZero)) s.prepend(zero);
    } else if (s.size() == 2) {
        if (s[1] != zero) {
            if (s[0] != zero) s = s[0] + QStringLiteral("拾") + s[1];
        } else {
            s = s[0] + QStringLiteral("拾");
        }
    }
    if (s.size() == 2 && std::fmod(n, 10.0) == 0) s.prepend(zero);
    return s;
}

QString DatePartCapitals(const QString& text, int part, bool monthZero) {
    if (text.isEmpty()) return text;
    if (!(text[0] >= u'0' && text[0] <= u'9')) return text;
    static const double low[] = {2000, 1, 1}, high[] = {3000, 12, 31};
    if (part < DateYear || part > DateDay) return text;
    const double v = Val(text);
    if (v < low[part] || v > high[part]) return text;
    int end = 0;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') ++end;
    return ChequeDateCapitals(text.left(end), part, monthZero);
}

QString DatePartDigits(const QString& text, int part, const QDate& today) {
    if (part < DateYear || part > DateDay) return text;
    QString s = text;
    if (s.size() >= 15) s = FormatDateText(s, QStringLiteral("YYYY-MM-DD"), today);
    if (allCapitals(s)) s = ConvertCapitalDigits(s, -1);
    s.replace(u'年', u'-').replace(u'月', u'-').remove(u'日');
    if (auto when = ReadDateText(s, today)) {
        const QDate d = when->date();
        s = part == DateYear ? pad(d.year(), 4) : pad(part == DateMonth ? d.month() : d.day(), 2);
    }
    static const double low[] = {1000, 1, 1}, high[] = {5000, 12, 31};
    const double v = RoundHalfEven(Val(s));
    if (v >= low[part] && v <= high[part]) return s;
    const int now[] = {today.year(), today.month(), today.day()};
    return QString::number(now[part]);
}

QString FormatDateText(const QString& text, const QString& pattern, const QDate& today) {
    if (auto when = ReadDateText(text, today)) return FormatDatePattern(*when, pattern);
    if (auto birth = IdNumberBirthDate(text))
        return FormatDatePattern(QDateTime(*birth, QTime(0, 0)), pattern);
    return QString();
}

}  // namespace bw
