#pragma once
// Number reading, rounding and number text with the behaviour the program's stored data
// and users rely on: a leading-number reader that ignores blanks, halves rounded to the
// even neighbour, and the 15-significant-digit text of a double.

#include <QString>
#include <cstdint>

namespace bw {

// The longest leading part of the text that forms a decimal number (sign, digits, one
// ".", an exponent "E"/"D" with optional sign); blanks, tabs and line feeds anywhere
// are skipped. 0 when there is none.
double Val(const QString& text);

// True when the text, trimmed, is a number as a whole (what a user would call numeric):
// optional sign, digits with an optional point, optional exponent; "," groups allowed.
bool IsNumeric(const QString& text);

double Fix(double x);  // integer part toward zero
double Int(double x);  // next lower integer

// Round to the nearest whole number, halves to the even neighbour. NaN gives 0.
double RoundHalfEven(double x);

// Round to `digits` decimals, halves to even (VB Round). A tiny relative tolerance makes a
// decimal half such as 2.675 (held as 2.67499999...) count as a half.
double RoundTo(double x, int digits);

// Whole-number conversions that round halves to even and never fail: NaN gives 0 and
// values beyond the type's range are clamped.
std::int16_t CInt(double x);
std::int32_t CLng(double x);
std::int64_t CLng64(double x);

// Whole-number conversion of text: CLng(Val(text)).
std::int32_t CLngText(const QString& text);

// The text of a double with at most 15 significant digits, trailing zeros removed,
// scientific notation ("1E+15", "1.5E-05") outside 1E-4 .. 1E15, "-" for negatives,
// "0" for zero. Equal to what the program always wrote into its files and tables.
QString NumText(double x);

// NumText(RoundHalfEven(x * 100) / 100): an amount to the cent, as grids show numbers;
// written without the general formatting when the cents fit in 13 digits.
QString CentsText(double x);

// The same for a 64-bit whole number.
inline QString NumText(std::int64_t x) {
    return QString::number(static_cast<qlonglong>(x));
}
inline QString NumText(int x) {
    return QString::number(x);
}

}  // namespace bw
