#pragma once
// Code 39 symbols of a box's text: the characters 0-9, A-Z, "-", "%", "$" and the start
// and stop character "*", each of five bars and four spaces, three of the nine elements
// wide. Narrow bars and spaces are one module, wide ones three modules (the module rounded
// to whole twips), with a one-module gap after every character.

#include <QString>
#include <vector>

#include "platform/DrawTarget.h"

namespace bw {

// The 40 patterns, index 0 to 39: five bars then four spaces, "1" wide, "0" narrow.
extern QString Code39Patterns[40];
void InitCode39Patterns();

// The table index of a character (digits 0-9, letters 10-35, "-" 36, "%" 37, "$" 38,
// "*" 39), -1 for a character Code 39 cannot carry here.
int Code39Index(QChar c);

// The text as it is drawn: upper-cased, with "*" put in front and at the end when missing.
QString Code39Text(const QString& text);

// The geometry of a symbol in twips from its left edge.
struct Code39Layout {
    struct Bar {
        double left;
        double width;
    };
    QString chars;                 // the characters drawn (stars included)
    std::vector<double> charLeft;  // left edge of each character's first bar
    std::vector<Bar> bars;
    double width = 0;    // to the end of the last character's gap
    int invalidAt = -1;  // index in chars of the first character without a pattern
};
Code39Layout LayoutCode39(const QString& text, double moduleWidth);

// The width in twips of the symbol that DrawCode39 draws with this module width; a
// character without a pattern ends the measurement.
double Code39Width(const QString& text, double moduleWidth);

// The widest whole-twip module at which the symbol is at most maxWidth twips wide
// (0 for an empty text, or when even one twip is too wide).
double FitCode39Module(const QString& text, double maxWidth);

// Draws the symbol of the text with its top-left corner at (x, y) and the given height
// (millimetres), moduleWidth twips to a module, in ForeColor. With fontSize > 0 and
// showText the characters stand under the bars in the font `fontName` and the bars are
// shortened by the text height. A character outside the set shows a message and ends the
// symbol there. Returns true when the whole symbol was drawn. The drawing settings of the
// target are given back.
bool DrawCode39(DrawTarget& target, const QString& text, double x, double y, double height,
                double moduleWidth, double fontSize, bool showText, const QString& fontName);

}  // namespace bw
