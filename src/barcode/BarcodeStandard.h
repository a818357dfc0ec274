#pragma once
// The barcode standard of the open format and the one way every place that shows a
// barcode box (the print engine, the box display, the label-sheet preview and printing)
// draws it.

#include <QString>

#include "platform/DrawTarget.h"

namespace bw {

// The standards, as stored in the format's options.
enum : int { kCode39 = 0, kEAN13 = 1, kQRCode = 2 };

// The open format's barcode standard: 0 Code 39, 1 EAN-13, 2 QR Code; any other value
// draws no barcode. 0 until a format is loaded.
int& BarcodeStandard();

// A barcode box on a target.
struct BarcodeBox {
    double x = 0;  // top-left corner and size in millimetres on the target
    double y = 0;
    double width = 0;
    double height = 0;
    double fontSize = 0;  // points of the human-readable text; 0 = none
    QString fontName;     // the box's font, for the characters under a Code 39 symbol
    // The greatest Code 39 width in twips; below 0 the box width converted by the target.
    double code39MaxWidth = -1;
};

// Draws the text as a barcode of the standard into the box: Code 39 at the widest module
// that fits the width, EAN-13 filling the width, QR Code as a square at the top-left corner.
// False when nothing was drawn (an empty text, an unknown standard, a text the symbol
// cannot hold, a box too small).
bool DrawBarcode(DrawTarget& target, int standard, const QString& text, const BarcodeBox& box);
// The same in the open format's standard.
inline bool DrawBarcode(DrawTarget& target, const QString& text, const BarcodeBox& box) {
    return DrawBarcode(target, BarcodeStandard(), text, box);
}

}  // namespace bw
