#pragma once
// Amounts in Chinese capital numerals as banks write them ("壹仟贰佰叁拾肆元伍角整"), read
// back into numbers, and written as rows of capital digits for pre-printed digit cells.

#include <QString>

namespace bw {

class ConversionContext;

// "零壹贰叁肆伍陆柒捌玖": the capital of each digit 0 to 9, in this order.
extern const QString kCapitalDigits;

bool IsCapitalDigit(QChar c);

// The amount of the text in capitals with the unit word "元" or "圆". The amount is read and
// rounded as FormatMoney reads it. An empty text gives an empty text; a text already in
// capitals comes back unchanged; an amount of 10,000,000,000,000 yuan or more has no place
// in the capitals and comes back unchanged too.
QString AmountToCapitals(const QString& text, const QString& unit, const QString& currencySign,
                         int numCutMethod);
QString AmountToCapitals(const QString& text, const QString& unit, const ConversionContext& ctx);

// The number text of an amount held in capitals by a box of the data type: 103 and 120
// (capital amounts), 114 and 121 (capital digit cells, 121 without the two fen cells). For
// any other data type the text comes back unchanged.
QString CapitalsToAmount(const QString& text, double dataType);

// The amount in fen as capital digits, "零" in front up to n characters: ("1234.5", 8) gives
// "零零壹贰叁肆伍零". A longer amount is returned whole; a text that begins with a capital digit
// comes back unchanged.
QString CapitalDigitCells(const QString& text, int n, const QString& currencySign);

// direction >= 0: every digit becomes its capital, other characters stay. direction < 0:
// every capital becomes its digit; with -10 that is all; otherwise "拾" is read as in a
// cheque date ("壹拾贰" 12, "贰拾" 20, "零壹拾" 10), everything but digits is dropped and one
// leading "0" is removed ("零伍" gives "5").
QString ConvertCapitalDigits(const QString& text, int direction);

}  // namespace bw
