#pragma once
// EAN-13 symbols of a box's text: twelve digits and their check digit as 95 modules
// (guards, six left-hand digits in the code sets chosen by the first digit, six right-hand
// digits), filling the box's width, with the digits printed below.

#include <QString>

#include "platform/DrawTarget.h"

namespace bw {

// The 13 digits of a text: its digits alone (every other character removed), the first
// twelve of them (padded on the left with "0" when fewer), and the check digit.
QString EAN13Normalize(const QString& text);

// Replaces the text by its normalised form and returns its 95 modules, "1" bar, "0" space.
QString EAN13Modules(QString& text);

// The string of "0" and "1" with every character complemented.
QString InvertBits(const QString& bits);

// Draws the symbol of the text in the box at (x, y) with the given height and width
// (millimetres), filling the width after room for the first digit; with fontSize > 0 and
// showText the bars are shortened by a text line and, from 2 points on, the digits are
// printed below. False when nothing was drawn (an empty text, a box too narrow). The
// drawing settings of the target are given back.
bool DrawEAN13(DrawTarget& target, const QString& text, double x, double y, double height,
               double width, double fontSize, bool showText);

}  // namespace bw
