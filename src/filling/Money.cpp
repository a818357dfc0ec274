#include "filling/Money.h"

#include <QRegularExpression>

#include "filling/ConversionContext.h"

namespace bw {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QString stripLeadingZeros(const QString& digits) {
    int i = 0;
    while (i < digits.size() - 1 && digits[i] == u'0') ++i;
    return digits.isEmpty() ? QStringLiteral("0") : digits.mid(i);
}

// A whole text of the form [+-]digits[.digits] or [+-].digits, with an exponent of one to
// three digits after E or D in either case; a single line break may end it.
bool isPlainNumber(const QString& t) {
    const qsizetype n = t.size() > 1 && t.back() == u'\n' ? t.size() - 1 : t.size();
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isDigit(t[i])) ++i;
        return i - from;
    };
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    if (digits() > 0) {
        if (i < n && t[i] == u'.') {
            ++i;
            digits();
        }
    } else if (i < n && t[i] == u'.') {
        ++i;
        if (digits() == 0) return false;
    } else {
        return false;
    }
    if (i < n && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
        const qsizetype e = digits();
        if (e < 1 || e > 3) return false;
    }
    return i == n;
}

// True when a "-" stands before the first digit (or the text has a "-" and no digit).
bool minusBeforeDigits(const QString& text) {
    for (QChar c : text) {
        if (c == u'-') return true;
        if (isDigit(c)) return false;
    }
    return false;
}

// A whole text that is a number in exponent form ("1E-05", "-1.5E+20", as the program writes
// very small and very large computed values) in plain decimals; any other text unchanged.
QString expandExponent(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?[eEdD]([+-]?\\d{1,3})\\s*$"));
    bool mayHoldExponent = false;
    for (QChar c : text)
        if (c == u'E' || c == u'e' || c == u'D' || c == u'd') mayHoldExponent = true;
    if (!mayHoldExponent) return text;
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty())) return text;
    QString digits = m.captured(2) + m.captured(3);
    int point = m.captured(2).size() + m.captured(4).toInt();
    if (point < 0) {
        digits.prepend(QString(-point, u'0'));
        point = 0;
    }
    if (point > digits.size()) digits += QString(point - digits.size(), u'0');
    return m.captured(1) + digits.left(point) + u'.' + digits.mid(point);
}

}  // namespace

QString MoneyAmount::FenDigits() const {
    return stripLeadingZeros(yuan + cents);
}

QString RemoveCurrencySign(const QString& text, const QString& currencySign) {
    if (currencySign.isEmpty()) return text;
    bool holdsAmountChars = false;
    for (QChar c : currencySign)
        if (isDigit(c) || c == u'.' || c == u'-') holdsAmountChars = true;
    if (!holdsAmountChars) return QString(text).remove(currencySign);

    int p = 0;
    while (p < text.size() && text[p].isSpace()) ++p;
    QString out = text;
    if (QStringView(text).mid(p).startsWith(currencySign))
        out.remove(p, currencySign.size());
    else if (p < text.size() && text[p] == u'-' &&
             QStringView(text).mid(p + 1).startsWith(currencySign))
        out.remove(p + 1, currencySign.size());
    return out;
}

QString GroupThousands(const QString& digits) {
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += u',';
        out += digits[i];
    }
    return out;
}

QString IncrementDigits(const QString& digits) {
    QString out = digits;
    int i = out.size() - 1;
    for (; i >= 0; --i) {
        if (out[i] == u'9') {
            out[i] = u'0';
        } else {
            out[i] = QChar(out[i].unicode() + 1);
            return out;
        }
    }
    return QStringLiteral("1") + out;
}

MoneyAmount ReadMoneyAmount(const QString& text, const QString& currencySign, int numCutMethod) {
    const QString body = expandExponent(RemoveCurrencySign(text, currencySign));

    // Only the digits and the point count; the whole yuan end at the first point and the
    // decimals at the next character that is no digit.
    QString yuan, frac;
    bool pointSeen = false, fracEnded = false;
    for (QChar c : body) {
        if (isDigit(c)) {
            if (!pointSeen)
                yuan += c;
            else if (!fracEnded)
                frac += c;
        } else if (c == u'.') {
            if (pointSeen) fracEnded = true;
            pointSeen = true;
        }
    }

    QString cents = frac.left(2);
    while (cents.size() < 2) cents += u'0';
    bool addCent = false;
    if (numCutMethod == NumCutHalfUp) {
        addCent = frac.size() > 2 && frac[2] >= u'5';
    } else if (numCutMethod == NumCutUp) {
        // The third to fifth decimals are looked at; what follows them is not.
        for (int i = 2; i < qMin<int>(frac.size(), 5); ++i)
            if (frac[i] != u'0') addCent = true;
    }

    MoneyAmount a;
    QString all = stripLeadingZeros(yuan + cents);
    if (addCent) all = IncrementDigits(all);
    while (all.size() < 3) all.prepend(u'0');
    a.yuan = stripLeadingZeros(all.left(all.size() - 2));
    a.cents = all.right(2);
    a.negative = minusBeforeDigits(body) && !a.IsZero();
    return a;
}

QString WriteMoneyAmount(const MoneyAmount& amount, const QString& currencySign, int style) {
    QString out;
    if (style & MoneyWithSign) out += currencySign;
    if (amount.negative) out += u'-';
    out += (style & MoneyWithCommas) ? GroupThousands(amount.yuan) : amount.yuan;
    out += u'.';
    out += amount.cents;
    return out.trimmed();
}

bool IsAmountText(const QString& text, const QString& currencySign) {
    QString t = text.trimmed();
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        // A sign before the symbol: "-￥12".
        const QString rest = RemoveCurrencySign(t.mid(1).trimmed(), currencySign);
        t = t.left(1) + rest;
    } else {
        t = RemoveCurrencySign(t, currencySign);
    }
    if (currencySign != u"￥") t = RemoveCurrencySign(t, QStringLiteral("￥"));
    t = t.trimmed();
    if (t.endsWith(u'元')) t.chop(1);
    t.remove(u',');
    t.remove(u' ');
    return isPlainNumber(t);
}

QString FormatMoney(const QString& text, const QString& currencySign, int numCutMethod, int style) {
    if (text.isEmpty() || text == u"-") return text;
    if (!IsAmountText(text, currencySign)) return text;
    return WriteMoneyAmount(ReadMoneyAmount(text, currencySign, numCutMethod), currencySign, style);
}

QString FormatMoney(const QString& text, const ConversionContext& ctx) {
    return FormatMoney(text, ctx.CurrencySign(), ctx.NumCutMethod());
}

}  // namespace bw
