#pragma once
// Amounts in the house style of the bills: the format's currency symbol, digits grouped by
// commas, exactly two decimals, a minus sign after the symbol. Extra decimals are cut off or
// rounded by the program's rounding method.

#include <QString>

namespace bw {

class ConversionContext;

// The rounding methods for decimals beyond the second (the parameter "NumCutMethod").
enum NumCut : int {
    NumCutOff = 0,     // "舍去多余小数"
    NumCutHalfUp = 1,  // "四舍五入": the third decimal 5 or more adds a cent
    NumCutUp = 2,      // "有小数加整": anything in the third to fifth decimal adds a cent
};

// An amount as the money formats read it from a text, rounded to whole cents.
struct MoneyAmount {
    bool negative = false;  // never set for a zero amount
    QString yuan;           // whole yuan, decimal digits without leading zeros ("0")
    QString cents;          // exactly two digits

    bool IsZero() const { return yuan == u"0" && cents == u"00"; }
    // The amount in fen as decimal digits without leading zeros ("0" for zero).
    QString FenDigits() const;
};

// Reads an amount: the currency symbol is taken off, every character but the digits and
// the point is dropped, the decimals beyond the second are cut by `numCutMethod`. The
// amount is negative when a "-" comes before its first digit. A text without digits is 0.
MoneyAmount ReadMoneyAmount(const QString& text, const QString& currencySign, int numCutMethod);

// Which parts of the house style an amount is written with.
enum MoneyStyle : int {
    MoneyPlain = 0,       // "-1234.00"
    MoneyWithSign = 1,    // "￥-1234.00"
    MoneyWithCommas = 2,  // "-1,234.00"
    MoneyStandard = 3,    // "￥-1,234.00"
};

// Writes an amount in the chosen style; blanks at both ends are removed.
QString WriteMoneyAmount(const MoneyAmount& amount, const QString& currencySign,
                         int style = MoneyStandard);

// True when the text is an amount as a clerk writes one: an optional currency symbol (the
// format's or "￥") and sign, digits with "," groups and one point (or a number in exponent
// form, as computed values are written), an optional "元" at the end, blanks around. A text
// holding anything else ("abc12元", "1,2a3") is no amount.
bool IsAmountText(const QString& text, const QString& currencySign);

// The amount of the text as money: "1234.5" gives "￥1,234.50". An empty text, "-" and a
// text that is no amount (IsAmountText) come back unchanged, so that no digits are made up
// from a text that holds other characters. Formatting a formatted amount changes nothing,
// whatever the symbol.
QString FormatMoney(const QString& text, const QString& currencySign, int numCutMethod,
                    int style = MoneyStandard);
QString FormatMoney(const QString& text, const ConversionContext& ctx);

// The text without the currency symbol. A symbol that holds digits, a point or a minus sign
// ("Rs.", "1") is taken off only where it stands in front of the amount, so that the
// amount's own characters stay; any other symbol is removed wherever it occurs. (Reading an
// amount back into a number is ParseMoney of the format store.)
QString RemoveCurrencySign(const QString& text, const QString& currencySign);

// "1234567" gives "1,234,567": commas between groups of three digits from the right.
QString GroupThousands(const QString& digits);

// Adds one to a run of decimal digits, growing it when it carries out: "0099" gives "0100",
// "999" gives "1000".
QString IncrementDigits(const QString& digits);

}  // namespace bw
