#pragma once
// The conversion of a value by the data type of the box it is filled into: what happens to
// a text when the clerk leaves a box, when a linked box passes a value on, when a new bill
// gets its dates and numbers and when a stored value is shown again.

#include <QString>
#include <optional>

namespace bw {

class ConversionContext;

struct ConversionResult {
    QString text;                    // the converted text, for the box to show
    std::optional<int> borderStyle;  // 0 no border, 1 single line; unset: leave it alone
};

// The border of a box of the data type: a single line for the boxes printed in cells
// (0 < code < 100 and 200 < code < 400), none for every other.
int DataTypeBorderStyle(double dataType);

// The data types whose boxes hold an amount: money and digit cells (1..99, 104, 105, 117,
// 118, 123, 301..399), capitals (103, 120) and capital digit cells (114, 121), percentages
// (116).
bool IsAmountDataType(double dataType);

// The amount types written in capitals: 103, 120, 114 and 121.
bool IsCapitalsDataType(double dataType);

// True when the text stands for an amount in a box of the data type: an amount as a clerk
// writes it (IsAmountText; a percentage may end in "%"), or, in a box of capitals, the
// capitals the conversion writes ("壹仟元整", "零零壹贰"). An empty text is no fault: true.
bool HoldsAmount(double dataType, const QString& text, const QString& currencySign);

// Converts a text by the data-type code of its box (the whole part of the code selects the
// conversion, the fraction of 114 and 121 holds the digit count). An empty text comes back
// empty and the border is left as it is.
ConversionResult ConvertValue(double dataType, const QString& text, const ConversionContext& ctx);

// The percentage of a text as a box of data type 116 writes it: a bare number is a fraction
// ("0.125" gives "12.5%"); a text already holding "%" keeps its value ("12.5%" stays).
QString PercentText(const QString& text, const QString& currencySign);

}  // namespace bw
