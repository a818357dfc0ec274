#include "filling/Capitals.h"

#include <array>
#include <cmath>

#include "common/Common.h"
#include "filling/ConversionContext.h"
#include "filling/Money.h"
#include "platform/VbNumbers.h"

namespace bw {

const QString kCapitalDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");

namespace {

const QChar kZero = u'零';

// The unit of each place of an amount in fen, counted from the fen.
const std::array<QString, 15> kPlaceUnits = {
    QStringLiteral("分"), QStringLiteral("角"), QStringLiteral("元"), QStringLiteral("拾"),
    QStringLiteral("佰"), QStringLiteral("仟"), QStringLiteral("万"), QStringLiteral("拾"),
    QStringLiteral("佰"), QStringLiteral("仟"), QStringLiteral("亿"), QStringLiteral("拾"),
    QStringLiteral("佰"), QStringLiteral("仟"), QStringLiteral("万")};

// The units a group of a capital amount is read by, largest first.
const std::array<QChar, 5> kGroupUnits = {u'亿', u'万', u'仟', u'佰', u'拾'};

QString capitalsToDigits(QString s) {
    for (QChar& c : s) {
        int d = kCapitalDigits.indexOf(c);
        if (d >= 0) c = QChar(u'0' + d);
    }
    return s;
}

// One group of a capital amount ("壹仟零伍") as its digits ("壹零零伍", still in capitals).
// `firstUnit` is where the search for the group's highest unit starts; with `fourDigits`
// the group always gives four digits.
QString groupDigits(QString g, int firstUnit, bool fourDigits) {
    int k = kGroupUnits.size();
    if (fourDigits) {
        k = 2;
    } else {
        for (int u = firstUnit; u < int(kGroupUnits.size()); ++u)
            if (g.contains(kGroupUnits[u])) {
                k = u;
                break;
            }
    }
    g.remove(kZero);
    if (g.isEmpty() || !IsCapitalDigit(g.back())) g += kZero;
    for (int j = k; j < int(kGroupUnits.size()); ++j) {
        if (g.contains(kGroupUnits[j]))
            g.remove(kGroupUnits[j]);
        else
            g.insert(qMin(j - k, int(g.size())), kZero);
    }
    return g;
}

QString readCapitalAmount(QString t) {
    const bool negative = t.startsWith(u'-');
    if (negative) t.remove(0, 1);  // the sign is no digit of the highest group
    t.remove(u'整');

    QString digits;
    int yi = t.lastIndexOf(u'亿');
    if (yi >= 0) {
        digits += groupDigits(t.left(yi), 0, false);
        t = t.mid(yi + 1);
    }
    int wan = t.indexOf(u'万');
    if (wan < 0) {
        if (!digits.isEmpty()) digits += QStringLiteral("零零零零");
    } else {
        digits += groupDigits(t.left(wan), 2, !digits.isEmpty());
        t = t.mid(wan + 1);
    }
    int yuan = t.indexOf(u'元');
    if (yuan >= 0) {
        digits += groupDigits(t.left(yuan), 2, !digits.isEmpty());
        t = t.mid(yuan + 1);
    }
    digits += u'.';
    int jiao = t.indexOf(u'角');
    if (jiao >= 0) {
        digits += t.left(jiao);
        t = t.mid(jiao + 1);
    } else {
        digits += kZero;
        if (t.startsWith(kZero)) t.remove(0, 1);
    }
    t.remove(u'分');
    digits += t;

    QString result = NumText(Val(capitalsToDigits(digits)));
    if (negative && !result.startsWith(u'-') && result != u"0") result.prepend(u'-');
    return result;
}

}  // namespace

bool IsCapitalDigit(QChar c) {
    return kCapitalDigits.contains(c);
}

QString AmountToCapitals(const QString& text, const QString& unit, const QString& currencySign,
                         int numCutMethod) {
    if (text.isEmpty()) return text;
    QString unsignedText = text;
    unsignedText.remove(u'-');
    if (!unsignedText.isEmpty() && IsCapitalDigit(unsignedText[0])) return text;

    const MoneyAmount amount = ReadMoneyAmount(text, currencySign, numCutMethod);
    const QString s = ConvertCapitalDigits(amount.FenDigits(), 1);
    const int L = s.size();
    if (L > int(kPlaceUnits.size())) return text;

    std::array<QString, 15> part;
    for (int i = 0; i < L; ++i) part[i] = s[L - 1 - i] + kPlaceUnits[i];

    // A run of zeros is written as one "零" at its highest place; within the yuan it stops at
    // the yuan place, the jiao and fen zeros stand alone.
    for (int i = L - 1; i >= 0; --i) {
        if (!part[i].startsWith(kZero)) continue;
        part[i] = kZero;
        for (int j = i - 1; j >= 2 && part[j].startsWith(kZero); --j) part[j].clear();
    }
    // The group words stand even when their place is zero.
    if (L > 10) {
        if (part[10].isEmpty())
            part[10] = QStringLiteral("亿");
        else if (part[10].startsWith(kZero))
            part[10] = QStringLiteral("亿零");
    }
    if (L > 6) {
        if (part[6].isEmpty())
            part[6] = QStringLiteral("万");
        else if (part[6].startsWith(kZero))
            part[6] = QStringLiteral("万零");
    }
    if (L > 2 && (part[2].isEmpty() || part[2].startsWith(kZero))) part[2] = QStringLiteral("元");

    QString out;
    for (int i = L - 1; i >= 0; --i) out += part[i];

    // A zero in front of a group word belongs after it. The hundred-million word goes first:
    // a zero run from the hundred-million group through the whole ten-thousand group must
    // not leave "亿零万".
    out.replace(QStringLiteral("零亿"), QStringLiteral("亿零"));
    out.replace(QStringLiteral("零万"), QStringLiteral("万零"));
    out.replace(QStringLiteral("零零"), QStringLiteral("零"));
    out.replace(QStringLiteral("零元"), QStringLiteral("元"));
    if (out.endsWith(kZero)) out.chop(1);
    if (!out.endsWith(u'分')) out += u'整';
    if (out == u"元整" || out == u"整") out = QStringLiteral("零元整");
    out.replace(QStringLiteral("亿万"), QStringLiteral("亿"));
    if (unit == u"圆") out.replace(u'元', u'圆');
    if (amount.negative) out.prepend(u'-');
    return out;
}

QString AmountToCapitals(const QString& text, const QString& unit, const ConversionContext& ctx) {
    return AmountToCapitals(text, unit, ctx.CurrencySign(), ctx.NumCutMethod());
}

QString CapitalsToAmount(const QString& text, double dataType) {
    const int code = (dataType > 0 && dataType < 1000) ? int(Fix(dataType)) : 0;
    if (code == 114 || code == 121) {
        QString s = text;
        if (code == 121) s += QStringLiteral("零零");
        return NumText(Val(capitalsToDigits(s)) / 100.0);
    }
    if (code == 103) return readCapitalAmount(text);
    if (code == 120) return readCapitalAmount(QString(text).replace(u'圆', u'元'));
    return text;
}

QString CapitalDigitCells(const QString& text, int n, const QString& currencySign) {
    if (text.isEmpty() || IsCapitalDigit(text[0])) return text;
    const double fen = ParseMoney(text, currencySign) * 100.0;
    if (!(std::fabs(fen) < 9.2e18)) return text;  // beyond any sum a bill can hold
    QString s = QString::number(static_cast<qlonglong>(CLng64(fen)));
    for (QChar& c : s) c = (c >= u'0' && c <= u'9') ? kCapitalDigits[c.unicode() - u'0'] : kZero;
    if (s.size() < n) s.prepend(QString(n - s.size(), kZero));
    return s;
}

QString ConvertCapitalDigits(const QString& text, int direction) {
    QString s = text;
    if (direction >= 0) {
        for (QChar& c : s)
            if (c >= u'0' && c <= u'9') c = kCapitalDigits[c.unicode() - u'0'];
        return s;
    }
    s = capitalsToDigits(s);
    if (direction == -10) return s;
    if (s.startsWith(u'拾')) s.replace(0, 1, u'1');
    if (s.endsWith(u'拾')) s.replace(s.size() - 1, 1, u'0');
    QString digits;
    for (QChar c : s)
        if (c >= u'0' && c <= u'9') digits += c;
    if (digits.startsWith(u'0')) digits.remove(0, 1);
    return digits;
}

}  // namespace bw
