#pragma once
// Whether the open bill may go to the paper: a bill whose amount is no number, or does not
// fit its digit cells, would go out wrong, so it is neither printed nor recorded, and the
// clerk is told which box holds what.

#include <QString>

namespace bw {

// Why the open bill must not be printed, naming the box and its text, or "" when it may be:
// a text box that reads an amount (its data type is an amount's, or it adds into a total)
// holding a text that is no amount ("“小写”的内容“abc”不是金额"), or an amount whose digits do
// not fit its cells ("“金额”的金额“…”超出了n个数字格"). Boxes written in digits are looked at
// before those in capitals, which mostly follow them.
QString BillRefusal();

// What the clerk is asked to do about a refused bill.
inline const QString kRefusalAdvice = QStringLiteral("\r\n请改正金额或该框的数据类别后再打印。");

// The refusal followed by what it means for one bill and what to do; "" when the bill may be
// printed.
QString BillRefusalMessage();

}  // namespace bw
