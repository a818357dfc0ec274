#include "platform/VbNumbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace bw {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u3000';
}

// Collects the leading number of `text` into ASCII, skipping blanks. Returns the number
// of significant characters consumed (0 when no digits were seen).
QByteArray leadingNumber(const QString& text) {
    QByteArray out;
    int i = 0;
    const int n = text.size();
    auto skip = [&] {
        while (i < n && isBlank(text[i])) ++i;
    };
    skip();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') out += '-';
        ++i;
    }
    bool digits = false;
    auto readDigits = [&] {
        for (;;) {
            skip();
            if (i < n && text[i] >= u'0' && text[i] <= u'9') {
                out += char(text[i].unicode());
                digits = true;
                ++i;
            } else {
                break;
            }
        }
    };
    readDigits();
    skip();
    if (i < n && text[i] == u'.') {
        out += '.';
        ++i;
        readDigits();
    }
    if (!digits) return {};
    skip();
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        int save = i;
        QByteArray exp = "e";
        ++i;
        skip();
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            exp += char(text[i].unicode());
            ++i;
        }
        bool expDigits = false;
        for (;;) {
            skip();
            if (i < n && text[i] >= u'0' && text[i] <= u'9') {
                exp += char(text[i].unicode());
                expDigits = true;
                ++i;
            } else {
                break;
            }
        }
        if (expDigits)
            out += exp;
        else
            i = save;
    }
    return out;
}

template <typename T>
T clampRound(double x) {
    if (std::isnan(x)) return 0;
    double r = RoundHalfEven(x);
    if (r >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    if (r <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    return static_cast<T>(r);
}

// The plain form most stored numbers take: an optional sign, digits and at most one point,
// nothing else, at least one digit and short enough for a stack buffer. Such a text is its
// own leading number (without a "+"), so it skips the general reader's copying; `digits`
// and `point` tell how many digits it holds and whether it has a point.
bool plainNumber(const QString& text, int& digits, bool& point) {
    constexpr qsizetype kLongest = 40;
    const qsizetype n = text.size();
    if (n == 0 || n > kLongest) return false;
    const QChar* s = text.constData();
    qsizetype i = (s[0] == u'+' || s[0] == u'-') ? 1 : 0;
    digits = 0;
    point = false;
    for (; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

}  // namespace

double Val(const QString& text) {
    int digits = 0;
    bool point = false;
    if (plainNumber(text, digits, point)) {
        const QChar* s = text.constData();
        const bool negative = s[0] == u'-';
        const qsizetype from = (negative || s[0] == u'+') ? 1 : 0;
        if (!point && digits <= 15) {
            // Exact in a double: what strtod gives for the same digits.
            qint64 whole = 0;
            for (qsizetype i = from; i < text.size(); ++i)
                whole = whole * 10 + (s[i].unicode() - u'0');
            const double v = static_cast<double>(whole);
            return negative ? -v : v;
        }
        char buffer[48];
        int k = 0;
        if (negative) buffer[k++] = '-';
        for (qsizetype i = from; i < text.size(); ++i)
            buffer[k++] = static_cast<char>(s[i].unicode());
        buffer[k] = '\0';
        const double v = std::strtod(buffer, nullptr);
        return std::isfinite(v) ? v : 0.0;
    }
    QByteArray num = leadingNumber(text);
    if (num.isEmpty()) return 0.0;
    double v = std::strtod(num.constData(), nullptr);
    if (std::isinf(v) || std::isnan(v)) return 0.0;
    return v;
}

bool IsNumeric(const QString& text) {
    int digits = 0;
    bool point = false;
    // A sign and digits, with a point only between digits: a number to any reader.
    if (plainNumber(text, digits, point) && text.back() != u'.') {
        const qsizetype at = text.indexOf(u'.');
        const qsizetype first = (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
        if (at < 0 || at > first) return true;
    }
    QString t = text.trimmed();
    t.remove(u',');
    if (t.isEmpty()) return false;
    bool ok = false;
    t.toDouble(&ok);
    return ok;
}

double Fix(double x) {
    return std::isfinite(x) ? std::trunc(x) : 0.0;
}
double Int(double x) {
    return std::isfinite(x) ? std::floor(x) : 0.0;
}

double RoundHalfEven(double x) {
    if (std::isnan(x)) return 0.0;
    if (std::isinf(x)) return x;
    double f = std::floor(x);
    double diff = x - f;
    if (diff > 0.5) return f + 1.0;
    if (diff < 0.5) return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

double RoundTo(double x, int digits) {
    if (!std::isfinite(x)) return std::isnan(x) ? 0.0 : x;
    if (digits <= 0) return RoundHalfEven(x);
    double scale = std::pow(10.0, digits);
    double y = x * scale;
    double f = std::floor(y);
    double diff = y - f;
    const double eps = 1e-9 * std::max(1.0, std::fabs(y));
    double r;
    if (std::fabs(diff - 0.5) <= eps)
        r = std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
    else
        r = diff > 0.5 ? f + 1.0 : f;
    return r / scale;
}

std::int16_t CInt(double x) {
    return clampRound<std::int16_t>(x);
}
std::int32_t CLng(double x) {
    return clampRound<std::int32_t>(x);
}
std::int64_t CLng64(double x) {
    return clampRound<std::int64_t>(x);
}
std::int32_t CLngText(const QString& text) {
    return CLng(Val(text));
}

QString NumText(double x) {
    if (std::isnan(x)) return QStringLiteral("0");
    if (std::isinf(x)) return x > 0 ? QStringLiteral("1E+308") : QStringLiteral("-1E+308");
    if (x == 0.0) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    QString s = QString::fromLatin1(buf);
    // %G already drops trailing zeros; normalise the exponent to at least two digits.
    int e = s.indexOf(u'E');
    if (e >= 0) {
        QString mant = s.left(e);
        QChar sign = s[e + 1];
        QString digits = s.mid(e + 2);
        while (digits.size() > 2 && digits.startsWith(u'0')) digits.remove(0, 1);
        if (digits.size() < 2) digits.prepend(u'0');
        s = mant + u'E' + sign + digits;
    }
    return s;
}

QString CentsText(double x) {
    const double cents = RoundHalfEven(x * 100);
    // Below 1E13 cents the quotient has at most 13 significant digits, and the nearest
    // double to it prints back exactly at 15 digits: the digits are those of the cents.
    if (!(std::fabs(cents) < 1e13)) return NumText(cents / 100);
    const auto k = static_cast<std::int64_t>(cents);
    if (k == 0) return QStringLiteral("0");
    const std::uint64_t a = static_cast<std::uint64_t>(k < 0 ? -k : k);
    char buf[24];
    char* end = buf + sizeof buf;
    char* p = end;
    const int frac = static_cast<int>(a % 100);
    if (frac != 0) {
        if (frac % 10 != 0) *--p = static_cast<char>('0' + frac % 10);
        *--p = static_cast<char>('0' + frac / 10);
        *--p = '.';
    }
    std::uint64_t whole = a / 100;
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (k < 0) *--p = '-';
    return QString::fromLatin1(p, end - p);
}

}  // namespace bw
