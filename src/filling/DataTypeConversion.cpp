#include "filling/DataTypeConversion.h"

#include <cmath>

#include "common/Common.h"
#include "filling/Capitals.h"
#include "filling/ConversionContext.h"
#include "filling/Dates.h"
#include "filling/IdentityAndPostcode.h"
#include "filling/Money.h"
#include "platform/VbNumbers.h"

namespace bw {

int DataTypeBorderStyle(double t) {
    if (std::isnan(t)) return 0;
    return ((t <= 0 || t >= 100) && (t <= 200 || t >= 400)) ? 0 : 1;
}

QString PercentText(const QString& text, const QString& currencySign) {
    if (text.contains(u'%')) {
        QString number = text;
        number.remove(u'%');
        return NumText(ParseMoney(number, currencySign)) + u'%';
    }
    return NumText(ParseMoney(text, currencySign) * 100.0) + u'%';
}

namespace {

int codeOf(double t) {
    return (Fix(t) > 0 && t < 400) ? int(Fix(t)) : 0;
}

// An amount as typed: a percentage may end in "%".
bool typedAmount(int code, const QString& text, const QString& sign) {
    QString number = text.trimmed();
    if (code == 116 && number.endsWith(u'%')) number.chop(1);
    return IsAmountText(number, sign);
}

// Capitals as the conversion writes them: of a whole amount with its units (103, 120), or
// capital digits alone (114, 121); a minus sign in front.
bool capitalsText(int code, const QString& text) {
    static const QString units = QStringLiteral("拾佰仟万亿元圆角分整");
    const QString t = text.startsWith(u'-') ? text.mid(1) : text;
    if (t.isEmpty() || !IsCapitalDigit(t[0])) return false;
    const bool withUnits = code == 103 || code == 120;
    for (QChar c : t)
        if (!IsCapitalDigit(c) && !(withUnits && units.contains(c))) return false;
    return true;
}

}  // namespace

bool IsCapitalsDataType(double dataType) {
    const int code = codeOf(dataType);
    return code == 103 || code == 120 || code == 114 || code == 121;
}

bool IsAmountDataType(double dataType) {
    const int code = codeOf(dataType);
    return (code > 0 && code < 100) || code > 300 || IsCapitalsDataType(dataType) || code == 104 ||
           code == 105 || code == 116 || code == 117 || code == 118 || code == 123;
}

bool HoldsAmount(double dataType, const QString& text, const QString& currencySign) {
    if (text.isEmpty()) return true;
    const int code = codeOf(dataType);
    return typedAmount(code, text, currencySign) ||
           (IsCapitalsDataType(dataType) && capitalsText(code, text));
}

namespace {

QString convert(double t, const QString& text, const ConversionContext& ctx) {
    // Codes of 400 and above, and codes no stored row can hold, leave the text alone.
    if (!(Fix(t) > 0 && t < 400)) return text;
    const int code = int(Fix(t));
    const QString sign = ctx.CurrencySign();
    const int cut = ctx.NumCutMethod();
    // The clock is read only by the date codes that need it.
    const auto today = [&ctx] { return ctx.Now().date(); };
    // The amount conversions keep a text that is no amount as it was typed: the clerk sees
    // it, and the print refuses it.
    if (IsAmountDataType(t) && !typedAmount(code, text, sign)) return text;

    if (code < 100) return FormatMoney(text, sign, cut);
    if (code > 300 && code < 400) return FormatMoney(text, sign, cut, MoneyWithCommas);
    switch (code) {
        case 100:
        case 101:
        case 102:
            return DatePartCapitals(text, code - 100, ctx.MonthZero());
        case 103:
            return AmountToCapitals(text, QStringLiteral("元"), sign, cut);
        case 104:
            return FormatMoney(text, sign, cut);
        case 105:
            return FormatMoney(text, sign, cut, MoneyWithCommas);
        case 106:
        case 107:
        case 108:
            return DatePartDigits(text, code - 106, today());
        case 109:
            return FormatPostcode(text);
        case 110:
            return FormatDateText(text, QStringLiteral("YYYY年MM月DD日"), today());
        case 111:
            return FormatDateText(text, QStringLiteral("YYYY-MM-DD"), today());
        case 112:
            return FormatDateText(text, QStringLiteral("MM月DD日"), today());
        case 113:
            return FormatDateText(text, QStringLiteral("MM-DD"), today());
        case 114:
            return CapitalDigitCells(text, int(Int((t - 114 + 0.0001) * 100)), sign);
        case 116:
            return PercentText(text, sign);
        case 117:
            return FormatMoney(text, sign, cut, MoneyPlain);
        case 118:
            return FormatMoney(text, sign, cut, MoneyWithSign);
        case 120:
            return AmountToCapitals(text, QStringLiteral("圆"), sign, cut);
        case 121: {
            if (IsCapitalDigit(text[0])) return text;
            // Two cells more than the code holds are written, the jiao and the fen, and then
            // left off: what remains are the whole yuan in exactly the code's cells.
            QString cells = CapitalDigitCells(text, int(Int((t - 121 + 0.0201) * 100)), sign);
            if (cells == text || cells.size() < 2) return text;  // an amount beyond any cells
            cells.chop(2);
            return cells;
        }
        case 123: {
            // The amount as a plain number: no symbol, no commas, no trailing zeros.
            const MoneyAmount a = ReadMoneyAmount(text, sign, cut);
            QString number = a.negative ? QStringLiteral("-") + a.yuan : a.yuan;
            QString cents = a.cents;
            while (cents.endsWith(u'0')) cents.chop(1);
            if (!cents.isEmpty()) number += u'.' + cents;
            return number + u'元';
        }
        case 131:
            return GenderFromIdNumber(text);
        default:
            return text;  // ticks, running numbers, custom lists and dates, random codes
    }
}

}  // namespace

ConversionResult ConvertValue(double dataType, const QString& text, const ConversionContext& ctx) {
    ConversionResult r;
    r.text = text;
    if (text.isEmpty()) return r;
    r.borderStyle = DataTypeBorderStyle(dataType);
    r.text = convert(dataType, text, ctx);
    return r;
}

}  // namespace bw
